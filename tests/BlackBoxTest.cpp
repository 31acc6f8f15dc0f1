// Starts the real `arvo` and drives it with the real `arvo-vcam`, as a user would.

#include "TestSupport.h"
#include "core/UserDefaults.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ProcessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class BlackBox : public testing::Test {
protected:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", sandbox.path());
        env.insert("XDG_CONFIG_HOME", sandbox.path(".config"));
        env.insert("XDG_DATA_HOME", sandbox.path(".local/share"));
        env.insert("XDG_RUNTIME_DIR", sandbox.path("runtime"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!withDisplay)
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
        if (!temporaryFolder.isEmpty()) {
            env.remove("XDG_RUNTIME_DIR");
            env.insert("TMPDIR", temporaryFolder);
        }
        // Memory errors and leaks found by the sanitizers, in files of their own for each process.
        for (const char *name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
            const QString options = env.value(name);
            env.insert(name, options + (options.isEmpty() ? "" : ":") + "log_path=" + sandbox.path("sanitizer"));
        }
        return env;
    }

    // Off: neither an X server, nor Wayland, nor Qt's offscreen platform, as on a console.
    bool withDisplay = true;

    ProcessRun run(const QString &program, const QStringList &args, int timeoutMs = 10000)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
        }
        const ProcessRun r{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                           QString::fromUtf8(p.readAllStandardError())};
        if (r.err.contains(UndefinedBehaviour))
            ADD_FAILURE() << qPrintable(r.err);
        return r;
    }

    ProcessRun vcam(const QStringList &args) { return run(ARVO_VCAM_EXECUTABLE, args); }

    void startArvo(const QStringList &args)
    {
        arvo.setProcessEnvironment(environment());
        arvo.start(ARVO_EXECUTABLE, args);
        ASSERT_TRUE(arvo.waitForStarted());
    }

    // Polls `arvo-vcam list` until `line` is one of its lines.
    bool waitForListLine(const QString &pattern)
    {
        return waitUntil(
            [&] {
                const ProcessRun r = vcam({"list"});
                for (const QString &l : r.out.split('\n'))
                    if (l.contains(QRegularExpression(pattern)))
                        return true;
                return false;
            },
            15000);
    }

    QString logText() const { return QString::fromUtf8(readFile(sandbox.path(".local/share/Arvo/Log.txt"))); }

    // Starts arvo with the virtual cameras `models` and waits for the `current` line of the list.
    void startWithCameras(const QString &models, const QString &current)
    {
        startArvo({"--verbose", "--virtual-camera=" + models, "--time-scale=0.1"});
        ASSERT_TRUE(waitForListLine(current));
    }

    // Presses the snapshot button of camera `id` until the library holds `count` photos: presses
    // before the first frame save nothing.
    bool photoAfterPress(const QString &id, int count)
    {
        const QDir library(sandbox.path("Pictures/Arvo"));
        return waitUntil(
            [&] {
                vcam({"press", id, "snapshot"});
                return waitUntil([&] { return library.entryList({"*.jpg"}).size() >= count; }, 1000);
            },
            15000);
    }

    void TearDown() override
    {
        if (arvo.state() != QProcess::NotRunning) {
            arvo.terminate();
            if (!arvo.waitForFinished(10000))
                arvo.kill();
            arvo.waitForFinished();
            // A sanitizer that finds a fault, leaks at exit included, ends the program with an error status.
            EXPECT_EQ(arvo.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(arvo.exitCode(), 0);
        }
        for (const QString &report : QDir(sandbox.path()).entryList({"sanitizer.*"}, QDir::Files))
            ADD_FAILURE() << readFile(sandbox.path(report)).toStdString();
        // Undefined behaviour is reported on standard error only, which arvo writes into its log.
        const QString log = logText();
        const qsizetype found = log.indexOf(UndefinedBehaviour);
        if (found >= 0)
            ADD_FAILURE() << qPrintable(log.mid(log.lastIndexOf('\n', found) + 1, 4000));
    }

    static constexpr char UndefinedBehaviour[] = "runtime error:";

    Sandbox sandbox;
    QProcess arvo;
    QString temporaryFolder; // when set, stands for a session without XDG_RUNTIME_DIR
};

TEST_F(BlackBox, VirtualCameraBecomesCurrentAndFollowsPlugging)
{
    startWithCameras("arvo", "^1 arvo 0x[0-9a-f]{8} plugged current$");

    const ProcessRun plug = vcam({"plug", "tobble"});
    EXPECT_EQ(plug.exitCode, 0);
    EXPECT_EQ(plug.out, "2\n");
    EXPECT_EQ(vcam({"unplug", "1"}).exitCode, 0);
    ASSERT_TRUE(waitForListLine("^2 tobble 0x[0-9a-f]{8} plugged current$"));
    EXPECT_TRUE(vcam({"list"}).out.startsWith("1 arvo 0x"));

    const ProcessRun unknown = vcam({"unplug", "7"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("no virtual camera with id \"7\"")) << qPrintable(unknown.err);

    // What start-up leaves behind.
    const QString text = logText();
    EXPECT_TRUE(text.contains("Found Arvo")) << qPrintable(text);
    EXPECT_TRUE(text.contains("Found Tobble"));
    EXPECT_TRUE(text.contains("current focus button mode: single"));
    EXPECT_TRUE(QFileInfo(sandbox.path("Pictures/Arvo")).isDir());
}

TEST_F(BlackBox, TwoLaunchesAtOnceLeaveExactlyOneRunning)
{
    QProcess other;
    other.setProcessEnvironment(environment());
    startArvo({"--virtual-camera=arvo", "--time-scale=0.1"});
    other.start(ARVO_EXECUTABLE, {"--virtual-camera=arvo", "--time-scale=0.1"});
    ASSERT_TRUE(other.waitForStarted());

    // The one that lost the race hands over to the other and exits.
    ASSERT_TRUE(waitUntil([&] { return arvo.state() == QProcess::NotRunning || other.state() == QProcess::NotRunning; }, 15000));
    QProcess &ended = arvo.state() == QProcess::NotRunning ? arvo : other;
    QProcess &running = &ended == &arvo ? other : arvo;
    EXPECT_EQ(ended.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended.exitCode(), 0);
    ASSERT_TRUE(waitForListLine("^1 arvo .* current$"));
    // The survivor still answers later launches through its own socket.
    EXPECT_EQ(run(ARVO_EXECUTABLE, {"--virtual-camera=arvo"}).exitCode, 0);
    EXPECT_EQ(running.state(), QProcess::Running);
    other.terminate();
    other.waitForFinished(5000);
}

// The camera's button takes numbered photos into the library; a termination signal lets every
// press finish its photo and stores the counter after them.
TEST_F(BlackBox, CameraButtonTakesNumberedPhotosAndTerminationLetsEveryPressFinish)
{
    startWithCameras("tobble", "^1 tobble .* current$");
    const ProcessRun state = vcam({"state", "1"});
    EXPECT_EQ(state.exitCode, 0);
    EXPECT_TRUE(state.out.contains("\n02 00 03 00 00\n")) << qPrintable(state.out);
    EXPECT_TRUE(state.out.contains("brightness ")) << qPrintable(state.out);

    const auto logCount = [&](const char *text) { return int(logText().count(text)); };
    const QDir library(sandbox.path("Pictures/Arvo"));
    // Wait for a photo and for every press to settle.
    ASSERT_TRUE(photoAfterPress("1", 1));
    EXPECT_EQ(QImage(library.filePath(QDate::currentDate().toString("yyyy-MM-dd") + "_0001.jpg")).size(), QSize(1280, 960));
    ASSERT_TRUE(waitUntil([&] { return logCount("snapshot button") == logCount("photo saved") + logCount("snapshot refused"); }));
    const int photosBefore = library.entryList({"*.jpg"}).size();
    const int pressesBefore = logCount("snapshot button");

    const int presses = 12;
    for (int i = 0; i < presses; ++i)
        ASSERT_EQ(vcam({"press", "1", "snapshot"}).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return logCount("snapshot button") == pressesBefore + presses; }));
    arvo.terminate(); // SIGTERM
    ASSERT_TRUE(arvo.waitForFinished(10000));
    EXPECT_EQ(arvo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(arvo.exitCode(), 0);

    const QStringList photos = library.entryList({"*.jpg"});
    EXPECT_EQ(photos.size(), photosBefore + presses);
    EXPECT_EQ(QSettings(sandbox.path(".config/Arvo/Arvo.conf"), QSettings::IniFormat).value("LumoCapturedNumber").toInt(),
              photos.size() + 1);
    for (const QString &name : photos) {
        const QByteArray bytes = readFile(library.filePath(name));
        EXPECT_TRUE(bytes.startsWith("\xff\xd8") && bytes.endsWith("\xff\xd9")) << qPrintable(name);
    }
}

TEST_F(BlackBox, PressesOnACameraThatIsNotCurrentAreDroppedNotReplayed)
{
    startWithCameras("arvo,tobble", "^1 arvo .* current$");
    // More presses on the second camera than its event queue holds, once it is open.
    ASSERT_TRUE(waitUntil([&] { return vcam({"press", "2", "snapshot"}).exitCode == 0; }, 15000));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(vcam({"press", "2", "snapshot"}).exitCode, 0);
    EXPECT_EQ(vcam({"unplug", "1"}).exitCode, 0);
    ASSERT_TRUE(waitForListLine("^2 tobble .* current$"));

    // One press now; the custom button after it arrives once everything before it was handled.
    EXPECT_EQ(vcam({"press", "2", "snapshot"}).exitCode, 0);
    EXPECT_EQ(vcam({"press", "2", "custom"}).exitCode, 0);
    QString log;
    ASSERT_TRUE(waitUntil([&] { return (log = logText()).contains("custom button"); }));
    EXPECT_EQ(log.count("snapshot button"), 1) << qPrintable(log);
    EXPECT_EQ(log.count("of a camera that is not current dropped"), 9);
}

TEST_F(BlackBox, SnapshotAfterTheCameraChangedSavesNothingOfTheOldCamera)
{
    startWithCameras("arvo,tobble", "^1 arvo .* current$");
    const QDir library(sandbox.path("Pictures/Arvo"));
    ASSERT_TRUE(photoAfterPress("1", 1));

    // The camera that takes over shows no picture: a snapshot now has nothing to save.
    EXPECT_EQ(vcam({"stall", "2", "on"}).exitCode, 0);
    EXPECT_EQ(vcam({"unplug", "1"}).exitCode, 0);
    ASSERT_TRUE(waitForListLine("^2 tobble .* current$"));
    EXPECT_EQ(vcam({"press", "2", "snapshot"}).exitCode, 0);
    EXPECT_TRUE(waitUntil([&] { return logText().contains("No picture to take yet"); }));
    EXPECT_EQ(library.entryList({"*.jpg"}).size(), 1);
}

TEST_F(BlackBox, RestoredSelfTimerCountsDownAndTheProgrammableButtonMirrors)
{
    {
        UserDefaults settings(sandbox.path(".config/Arvo/Arvo.conf"));
        settings.setDictionary("LumoDevices", {{"Tobble", QVariantMap{{"Timer", 3}}}});
        settings.setValue("ProgramKeyFunctionKey", 3); // mirror
        settings.sync();
    }
    startArvo({"--verbose", "--virtual-camera=tobble", "--time-scale=0.1"});
    ASSERT_TRUE(waitUntil([&] { return logText().contains("Notification: LumoCamSettingDidRestoreNotification"); }, 15000));
    const QDir library(sandbox.path("Pictures/Arvo"));
    ASSERT_TRUE(photoAfterPress("1", 1));
    EXPECT_TRUE(logText().contains("self-timer: 3 s")) << "the restored timer counts down";

    EXPECT_EQ(vcam({"press", "1", "custom"}).exitCode, 0);
    ASSERT_TRUE(photoAfterPress("1", 2));
    const QStringList names = library.entryList({"*.jpg"}, QDir::Files, QDir::Name);
    const QImage before = QImage(library.filePath(names[0])).scaled(160, 120).convertToFormat(QImage::Format_Grayscale8);
    const QImage after = QImage(library.filePath(names[1])).scaled(160, 120).convertToFormat(QImage::Format_Grayscale8);
    auto difference = [](const QImage &a, const QImage &b) {
        qint64 sum = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
        return sum;
    };
    // The second photo is nearer the first one turned left-right than the first one itself.
    EXPECT_LT(difference(after, before.mirrored(true, false)), difference(after, before));
}

// Without XDG_RUNTIME_DIR the runtime folder is in the temporary folder: a link that someone put
// there is refused, leaving the files it points to alone, and the folder Arvo makes itself works.
TEST_F(BlackBox, LinkInPlaceOfTheRuntimeFolderIsRefusedAndTheOneArvoMakesWorks)
{
    temporaryFolder = sandbox.path("tmp");
    QDir().mkpath(temporaryFolder);
    const QString folder = QString("%1/arvo-%2").arg(temporaryFolder).arg(getuid());
    ASSERT_TRUE(writeFile(sandbox.path("Documents/vcam"), "mine"));
    ASSERT_TRUE(writeFile(sandbox.path("Documents/instance"), "mine"));
    ASSERT_TRUE(QFile::link(sandbox.path("Documents"), folder));
    const ProcessRun refused = run(ARVO_EXECUTABLE, {"--virtual-camera=arvo"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("will not use the runtime folder " + folder)) << qPrintable(refused.err);
    EXPECT_EQ(vcam({"list"}).exitCode, 2);
    EXPECT_EQ(readFile(sandbox.path("Documents/vcam")) + readFile(sandbox.path("Documents/instance")), "minemine");

    ASSERT_TRUE(QFile::remove(folder));
    startWithCameras("arvo", "^1 arvo .* current$");
    struct stat info = {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode) && (info.st_mode & 07777) == 0700);
}

// Help, the version and mistakes on the command line are answered without a display, before
// anything starts; arvo-vcam without a running instance is a clear error too.
TEST_F(BlackBox, CommandLineAnswersWithoutADisplay)
{
    struct Case {
        const char *program;
        QStringList args;
        int exitCode;
        const char *out; // patterns
        const char *err;
    };
    const Case cases[] = {
        {ARVO_EXECUTABLE, {"--version"}, 0, "^arvo " ARVO_VERSION "\n$", "^$"},
        {ARVO_EXECUTABLE, {"--help"}, 0, "^Usage: arvo .*--virtual-camera=.*--version", "^$"},
        {ARVO_EXECUTABLE, {"--frobnicate"}, 2, "^$", "^arvo: unknown option \"--frobnicate\"\n\nUsage: arvo "},
        {ARVO_EXECUTABLE, {"--virtual-camera=arvo,webcam"}, 2, "^$", "unknown virtual camera model \"webcam\""},
        {ARVO_VCAM_EXECUTABLE, {"--version"}, 0, "^arvo-vcam " ARVO_VERSION "\n$", "^$"},
        {ARVO_VCAM_EXECUTABLE, {"--help"}, 0, "^Usage: arvo-vcam .*stall", "^$"},
        {ARVO_VCAM_EXECUTABLE, {}, 2, "^$", "^Usage: arvo-vcam "},
        {ARVO_VCAM_EXECUTABLE, {"--frobnicate"}, 2, "^$", "^arvo-vcam: unknown option \"--frobnicate\"\n\nUsage: "},
        {ARVO_VCAM_EXECUTABLE, {"plugin", "arvo"}, 2, "^$", "^arvo-vcam: unknown command \"plugin\"\n\nUsage: "},
        {ARVO_VCAM_EXECUTABLE, {"list"}, 2, "^$", "^arvo-vcam: no Arvo with virtual cameras is running\n$"},
    };
    withDisplay = false;
    for (const Case &c : cases) {
        const QString command = QFileInfo(c.program).fileName() + ' ' + c.args.join(' ');
        const ProcessRun r = run(c.program, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << qPrintable(command) << "\n" << qPrintable(r.err);
        const auto matches = [](const QString &text, const char *pattern) {
            return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(text).hasMatch();
        };
        EXPECT_TRUE(matches(r.out, c.out)) << qPrintable(command) << " wrote: " << qPrintable(r.out);
        EXPECT_TRUE(matches(r.err, c.err)) << qPrintable(command) << " wrote to stderr: " << qPrintable(r.err);
    }
}

} // namespace
