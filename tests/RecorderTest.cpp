#include "TestSupport.h"
#include "capture/recording/Mp4Fragments.h"
#include "capture/recording/Recorder.h"
#include "capture/recording/RecordingPipeline.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "photos/PhotoWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using namespace std::chrono_literals;

// What ffprobe reads back from a file: per stream its codec and, for video, size, frames and
// duration.
struct Probe {
    bool ok = false;
    double duration = 0;
    QString video, audio;
    QSize size;
    int frames = 0;
};

Probe probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-show_entries",
                                              "stream=codec_type,codec_name,width,height,nb_read_frames,duration", "-of", "json", path});
    Probe p;
    if (!ffprobe.waitForFinished(60000) || ffprobe.exitCode() != 0)
        return p;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    for (const QJsonValue &value : root["streams"].toArray()) {
        const QJsonObject stream = value.toObject();
        if (stream["codec_type"] == "video") {
            p.video = stream["codec_name"].toString();
            p.size = QSize(stream["width"].toInt(), stream["height"].toInt());
            p.frames = stream["nb_read_frames"].toString().toInt();
            p.duration = stream["duration"].toString().toDouble();
        } else if (stream["codec_type"] == "audio") {
            p.audio = stream["codec_name"].toString();
        }
    }
    p.ok = !p.video.isEmpty();
    return p;
}

// A page with a moving bar, so that each frame differs as a camera's do.
LiveFrame frameAt(const QSize &size, int index, LiveFrame::TimePoint shownAt)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(230, 225, 210));
    for (int y = 0; y < size.height(); ++y)
        image.setPixel((index * 4) % size.width(), y, qRgb(200, 30, 30));
    return LiveFrame(image, LiveFrame::Transform()).stamped(shownAt, size);
}

bool canRecord(QString *why)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        *why = QStringLiteral("ffprobe is not installed");
    else if (const QStringList missing = RecordingPipeline::missingElements(true); !missing.isEmpty())
        *why = QStringLiteral("GStreamer elements missing: ") + missing.join(QStringLiteral(", "));
    return why->isEmpty();
}

// When frame `index` of a camera sending `fps` frames a second is shown.
LiveFrame::TimePoint frameTime(int index, int fps)
{
    static const LiveFrame::TimePoint origin = LiveFrame::steadyNow();
    return origin + std::chrono::nanoseconds(1'000'000'000LL * index / fps);
}

// Frames of `size` at `fps`, timed from now on, as fast as the recorder takes them.
void feed(Recorder &recorder, const QSize &size, int fps, int count, int first = 0)
{
    for (int i = first; i < first + count; ++i)
        recorder.addFrame(frameAt(size, i, frameTime(i, fps)));
}

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString why;
        if (!canRecord(&why))
            GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(QDir().mkpath(library));
        defaults.setValue(DefaultsKeys::PhotoLibraryLocation, library);
    }

    Recorder::Options options(const QString &sound = QStringLiteral("audiotestsrc"))
    {
        Recorder::Options o;
        o.audioSource = sound;
        o.live = false;
        return o;
    }

    Sandbox sandbox;
    const QString library = sandbox.path("Pictures/Arvo");
    UserDefaults defaults{sandbox.path("Arvo.conf")};
};

TEST_F(RecorderTest, RecordingReadsBackAsH264AndAacWithEveryFrameAndSharesThePhotosNumbers)
{
    PhotoWriter writer(&defaults);
    writer.setSettings(PhotoSettings::fromDefaults(&defaults));
    Recorder recorder(&defaults, options());
    recorder.setPhotoWriter(&writer);
    // The overlay paints into every frame, as the drawing does.
    recorder.setOverlay([](QImage &picture, const LiveFrame &) { picture.setPixel(0, 0, qRgb(0, 0, 255)); });
    NotificationRecorder announced({NotificationNames::FileDidCreate});
    QString startedPath;
    bool startedWithSound = false;
    QObject::connect(&recorder, &Recorder::started, [&](const QString &path, bool sound) {
        startedPath = path;
        startedWithSound = sound;
    });
    QString message;
    QObject::connect(&recorder, &Recorder::finished, [&](const QString &, Recorder::End, const QString &m) { message = m; });

    const QSize size(320, 240);
    feed(recorder, size, 30, 1); // the picture shown before the start is the first frame
    ASSERT_TRUE(recorder.start());
    EXPECT_TRUE(startedWithSound);
    EXPECT_TRUE(recorder.isRecording());
    const QString date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(QFileInfo(startedPath).fileName(), date + "_0001.mp4");
    // A photo during the recording takes the next number.
    const PhotoResult photo = writer.save(QImage(64, 48, QImage::Format_RGB32), QString());
    EXPECT_EQ(QFileInfo(photo.path).fileName(), date + "_0002.jpg");

    feed(recorder, size, 30, 89, 1);
    recorder.stop();
    ASSERT_TRUE(waitUntil([&] { return !recorder.isRecording(); }, 20000));
    EXPECT_EQ(recorder.stats().framesDropped, 0);
    EXPECT_EQ(message, Recorder::endMessage(Recorder::End::Stopped, date + "_0001.mp4"));
    ASSERT_EQ(announced.notifications().size(), 1);

    const Probe p = probe(startedPath);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.video, "h264");
    EXPECT_EQ(p.audio, "aac");
    EXPECT_EQ(p.size, size);
    EXPECT_EQ(p.frames, 90);
    EXPECT_NEAR(p.duration, 3.0, 0.1);
}

TEST_F(RecorderTest, WithoutASoundSourceThePictureAloneIsRecordedAndWithoutAPictureNothing)
{
    // A sound server that is not there, as on a machine without one.
    Recorder recorder(&defaults, options(QStringLiteral("pulsesrc server=unix:/nonexistent/socket")));
    QStringList failures;
    QObject::connect(&recorder, &Recorder::failed, [&](const QString &m) { failures << m; });
    EXPECT_FALSE(recorder.start());
    EXPECT_EQ(failures.size(), 1);
    EXPECT_TRUE(QDir(library).isEmpty()) << "no file and no number for a refused start";

    bool withSound = true;
    QObject::connect(&recorder, &Recorder::started, [&](const QString &, bool sound) { withSound = sound; });
    feed(recorder, QSize(160, 120), 15, 1);
    ASSERT_TRUE(recorder.start());
    EXPECT_FALSE(withSound);
    EXPECT_FALSE(recorder.hasSound());
    // A turned picture (or another resolution) is fitted into the first frame's size.
    feed(recorder, QSize(120, 160), 15, 29, 1);
    recorder.stop();
    ASSERT_TRUE(waitUntil([&] { return !recorder.isRecording(); }, 20000));
    const Probe p = probe(recorder.path());
    EXPECT_EQ(p.video, "h264");
    EXPECT_EQ(p.audio, "");
    EXPECT_EQ(p.size, QSize(160, 120));
    EXPECT_EQ(p.frames, 30);
}

TEST_F(RecorderTest, FramesComingFasterThanTheEncoderTakesThemDropTheOldestAndAreCounted)
{
    Recorder::Options live;
    live.maxWaitingFrames = 2;
    Recorder recorder(&defaults, live);
    defaults.setValue(DefaultsKeys::RecordWithSound, false);
    const QSize size(640, 480);
    QVector<LiveFrame> frames;
    for (int i = 0; i < 100; ++i)
        frames << frameAt(size, i, {});
    recorder.addFrame(frames[0].stamped(LiveFrame::steadyNow(), size));
    ASSERT_TRUE(recorder.start());
    // The frame thread hands over a hundred frames at once and never waits for the encoder.
    for (const LiveFrame &frame : frames)
        recorder.addFrame(frame.stamped(LiveFrame::steadyNow(), size));
    recorder.stop();
    ASSERT_TRUE(waitUntil([&] { return !recorder.isRecording(); }, 20000));
    const Recorder::Stats stats = recorder.stats();
    EXPECT_EQ(stats.framesGiven, 101);
    EXPECT_GT(stats.framesDropped, 0);
    EXPECT_EQ(stats.framesEncoded, stats.framesGiven - stats.framesDropped);
    EXPECT_EQ(probe(recorder.path()).frames, stats.framesEncoded);
}

TEST(RecordingFrames, ConvertedAsTheyAreOrFittedOnBlack)
{
    QImage white(400, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    struct Row {
        QSize size;
        int y;        // a luma row to look at
        int expected; // its luma: 235 white, 16 black (limited range)
    } rows[] = {
        {{400, 200}, 0, 235},   {{400, 200}, 199, 235}, {{200, 200}, 10, 16}, // the wide picture fitted into a square: black above
        {{200, 200}, 100, 235},                                               // and the picture in the middle
        {{200, 200}, 190, 16},
    };
    for (const Row &row : rows) {
        const QByteArray i420 = RecordingPipeline::toI420(white, row.size);
        ASSERT_EQ(i420.size(), row.size.width() * row.size.height() * 3 / 2);
        const int luma = uchar(i420[row.y * row.size.width() + row.size.width() / 2]);
        EXPECT_NEAR(luma, row.expected, 2) << row.size.width() << "x" << row.size.height() << " row " << row.y;
    }
}

QByteArray box(const char *type, int payload)
{
    QByteArray b(8 + payload, '\0');
    const quint32 size = quint32(b.size());
    b[0] = char(size >> 24), b[1] = char(size >> 16), b[2] = char(size >> 8), b[3] = char(size);
    b.replace(4, 4, type);
    return b;
}

TEST(Mp4Fragments, PlayableLengthEndsAtTheLastWholeFragment)
{
    const QByteArray head = box("ftyp", 12) + box("moov", 100);
    const QByteArray fragment = box("moof", 40) + box("mdat", 500);
    struct Row {
        QByteArray file;
        qint64 playable;
    } rows[] = {
        {head + fragment, head.size() + fragment.size()},
        {head + fragment + box("moof", 40), head.size() + fragment.size()},         // media never came
        {head + fragment + fragment.left(300), head.size() + fragment.size()},      // cut in the media
        {head + fragment + box("moof", 40).left(5), head.size() + fragment.size()}, // cut in a header
        {head.left(30), 20},                                                        // cut in the movie box
        {QByteArray(), 0},
    };
    for (const Row &row : rows) {
        QByteArray bytes = row.file;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(Mp4Fragments::playableLength(buffer), row.playable) << row.file.size();
    }
}

// The recording that a parent test ends: a child process of this test program, started with
// the folder to record into and how it ends ("kill": the parent kills it; "full": the disk
// fills up). It prints "ready" when five seconds of frames are in the encoder's hands.
TEST_F(RecorderTest, DISABLED_ChildRecording)
{
    const QString mode = qEnvironmentVariable("ARVO_RECORDER_CHILD");
    defaults.setValue(DefaultsKeys::PhotoLibraryLocation, qEnvironmentVariable("ARVO_RECORDER_FOLDER"));
    Recorder recorder(&defaults, options());
    QTextStream out(stdout);
    QObject::connect(&recorder, &Recorder::finished, [&](const QString &, Recorder::End why, const QString &message) {
        out << "finished " << int(why) << " " << message << Qt::endl;
    });
    const QSize size(640, 480);
    feed(recorder, size, 30, 1);
    ASSERT_TRUE(recorder.start());
    if (mode == "full") {
        // Frames of noise until the disk is full (or the file as large as the limit allows, past
        // which writing fails instead of ending the process); at most a minute of them. The file
        // is copied out of the small disk, which only this process sees, for the parent to read.
        ::signal(SIGXFSZ, SIG_IGN);
        for (int i = 1; i < 1800 && recorder.isRecording(); i += 30) {
            for (int k = i; k < i + 30; ++k) {
                LiveFrame frame = frameAt(size, k, {});
                QImage noise = frame.picture();
                for (int y = 0; y < noise.height(); ++y)
                    for (int x = 0; x < noise.width(); x += 2)
                        noise.setPixel(x, y, uint(qHash(k * 100000 + y * 1000 + x)));
                recorder.addFrame(LiveFrame(noise, LiveFrame::Transform()).stamped(frameTime(k, 30), size));
            }
            QCoreApplication::processEvents();
        }
        waitUntil([&] { return !recorder.isRecording(); }, 30000);
        QFile::copy(recorder.path(), qEnvironmentVariable("ARVO_RECORDER_COPY"));
        return;
    }
    feed(recorder, size, 30, 150, 1);
    ASSERT_TRUE(waitUntil([&] { return recorder.stats().framesEncoded >= 150; }, 60000));
    out << "ready" << Qt::endl;
    waitUntil([] { return false; }, 60000);
}

// Runs DISABLED_ChildRecording in a child process (in `wrapper` when given).
QProcess *startChild(const QString &mode, const QString &folder, const QString &copy = {}, const QStringList &wrapper = {})
{
    auto *child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ARVO_RECORDER_CHILD", mode);
    env.insert("ARVO_RECORDER_FOLDER", folder);
    env.insert("ARVO_RECORDER_COPY", copy);
    child->setProcessEnvironment(env);
    QStringList arguments = wrapper;
    arguments << QCoreApplication::applicationFilePath() << "--gtest_also_run_disabled_tests"
              << "--gtest_filter=RecorderTest.DISABLED_ChildRecording";
    child->start(arguments.takeFirst(), arguments);
    return child;
}

TEST_F(RecorderTest, KilledWhileRecordingLeavesAFileThatPlays)
{
    std::unique_ptr<QProcess> child(startChild("kill", library));
    child->setProcessChannelMode(QProcess::SeparateChannels);
    QByteArray output;
    ASSERT_TRUE(waitUntil([&] { return (output += child->readAllStandardOutput()).contains("ready"); }, 90000));
    ::kill(pid_t(child->processId()), SIGKILL);
    child->waitForFinished();
    const QStringList files = QDir(library).entryList({"*.mp4"});
    ASSERT_EQ(files.size(), 1);
    const Probe p = probe(library + "/" + files[0]);
    EXPECT_EQ(p.video, "h264");
    EXPECT_GE(p.duration, 3.0);
    EXPECT_GE(p.frames, 90);
}

TEST_F(RecorderTest, FullDiskEndsTheRecordingWithAPlayableFileAndSaysSo)
{
    // A 2 MB disk of its own in a private mount namespace where that is allowed; otherwise a
    // limit on file sizes stands in for it.
    const QString disk = sandbox.path("disk");
    QDir().mkpath(disk);
    QStringList wrapper;
    QProcess probeMount;
    probeMount.start("unshare", {"--mount", "sh", "-c", "mount -t tmpfs -o size=2m tmpfs " + disk});
    const bool tmpfs = probeMount.waitForFinished() && probeMount.exitCode() == 0;
    if (tmpfs)
        wrapper = QStringList{"unshare", "--mount", "sh", "-c", "mount -t tmpfs -o size=2m tmpfs \"$0\" && exec \"$@\"", disk};
    else
        wrapper = QStringList{"sh", "-c", "ulimit -f 2048 && exec \"$@\"", "sh"};
    const QString copy = sandbox.path("copy.mp4");
    std::unique_ptr<QProcess> child(startChild("full", tmpfs ? disk : library, copy, wrapper));
    ASSERT_TRUE(child->waitForFinished(120000));
    const QString output = QString::fromUtf8(child->readAllStandardOutput());
    const Recorder::End expected = tmpfs ? Recorder::End::DiskFull : Recorder::End::WriteFailed;
    EXPECT_TRUE(output.contains(QStringLiteral("finished %1 ").arg(int(expected)))) << output.toStdString();
    const Probe p = probe(copy);
    EXPECT_EQ(p.video, "h264");
    EXPECT_GE(p.duration, 2.0);
}

} // namespace
