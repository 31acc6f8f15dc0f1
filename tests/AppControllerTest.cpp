#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/LumoAppController.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "core/DefaultsKeys.h"
#include "core/MainThread.h"
#include "core/NotificationNames.h"
#include "core/RuntimePaths.h"
#include "core/UserDefaults.h"
#include "device/virtual/ControlServer.h"
#include "photos/LumoActionController.h"
#include "photos/series/PhotoSeries.h"
#include "ui/LumoMainWindowController.h"
#include "ui/freeze/FreezeControls.h"
#include "ui/recording/RecordingControls.h"
#include "capture/recording/Recorder.h"
#include "ui/shortcuts/KeyboardShortcutsWindow.h"
#include "ui/rotation/RotationControls.h"
#include "ui/series/SeriesControls.h"
#include "device/virtual/VirtualCameraHub.h"
#include "device/LumoCameraUvc.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/widgets/LumoExposureButton.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QSettings>
#include <QAction>
#include <gtest/gtest.h>

#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(AppDefaults, FirstRunWritesLibraryAndSoundDefaultsAndMakesTheFolder)
{
    Sandbox sandbox; // no ~/Pictures yet
    EXPECT_TRUE(LumoAppController::setAppDefault().isEmpty());
    UserDefaults *defaults = UserDefaults::standard();
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation), sandbox.path("Pictures/Arvo"));
    EXPECT_TRUE(QFileInfo(sandbox.path("Pictures/Arvo")).isDir());
    EXPECT_TRUE(defaults->boolForKey(DefaultsKeys::FocusSoundEffectSwitch));
    EXPECT_TRUE(defaults->boolForKey(DefaultsKeys::SnapshotSoundEffectSwitch));
    // Stored in the file, not only in memory.
    UserDefaults reread(UserDefaults::standardPath());
    EXPECT_TRUE(reread.contains(DefaultsKeys::SnapshotSoundEffectSwitch));
}

TEST(AppDefaults, StoredValuesAreKept)
{
    Sandbox sandbox;
    UserDefaults *defaults = UserDefaults::standard();
    defaults->setValue(DefaultsKeys::SnapshotSoundEffectSwitch, false);
    // A chosen folder that has gone missing (a stick not plugged in) is reported, not made.
    defaults->setValue(DefaultsKeys::PhotoLibraryLocation, sandbox.path("Stick/Arvo"));
    EXPECT_TRUE(LumoAppController::setAppDefault().contains("is missing"));
    EXPECT_FALSE(defaults->boolForKey(DefaultsKeys::SnapshotSoundEffectSwitch, true));
    EXPECT_TRUE(defaults->boolForKey(DefaultsKeys::FocusSoundEffectSwitch));
    EXPECT_FALSE(QFileInfo::exists(sandbox.path("Stick")));

    // The default location stored as "~/...": the folder under home is made, never "./~".
    defaults->setValue(DefaultsKeys::PhotoLibraryLocation, "~/Pictures/Arvo");
    const QString working = QDir::currentPath();
    QDir::setCurrent(sandbox.path("runtime"));
    const QString problem = LumoAppController::setAppDefault();
    QDir::setCurrent(working);
    EXPECT_TRUE(problem.isEmpty()) << qPrintable(problem);
    EXPECT_TRUE(QFileInfo(sandbox.path("Pictures/Arvo")).isDir());
    EXPECT_FALSE(QFileInfo::exists(sandbox.path("runtime/~")));
}

TEST(AppController, StartsWithVirtualCamerasAndShowsTheProblemInTheStatusLine)
{
    Sandbox sandbox;
    ASSERT_TRUE(writeFile(sandbox.path("Pictures/Arvo"), "keep me")); // a plain file where the library belongs
    QByteArray settings;                                              // not an INI file
    for (int i = 0; i < 512; ++i)
        settings.append(char((i * 37) & 0xff));
    ASSERT_TRUE(writeFile(sandbox.path(".config/Arvo/Arvo.conf"), settings));

    LumoAppController controller(parseCommandLine({"arvo", "--virtual-camera=tobble"}));
    controller.awakeFromNib(false);
    controller.applicationWillFinishLaunching(nullptr);
    LumoMainWindowController *main = controller.mainWindowController();
    ASSERT_TRUE(waitUntil([&] { return main->window()->isVisible(); }));
    EXPECT_EQ(main->mode(), LumoMainWindowController::CameraMode);
    // The set-aside settings are told in passing; the lasting problem in its message box.
    EXPECT_TRUE(main->messageText().contains("Arvo.conf.damaged")) << qPrintable(main->messageText());
    auto *box = main->window()->findChild<QMessageBox *>();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text().contains("is a file")) << qPrintable(box->text());
    EXPECT_EQ(readFile(sandbox.path("Pictures/Arvo")), "keep me");
    ASSERT_TRUE(waitUntil([&] { return main->statusText().startsWith("Velmar Tobble"); })) << qPrintable(main->statusText());

    QStringList menus;
    for (QAction *action : main->window()->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&Mode", "&Draw", "&Help"}));
    // R is listed with the File menu's recording entry.
    QStringList keys;
    for (const KeyboardShortcutsWindow::Group &group : KeyboardShortcutsWindow::collect(main->window()))
        for (const KeyboardShortcutsWindow::Row &row : group.rows)
            keys << group.title + ": " + row.text + " = " + row.keys;
    EXPECT_TRUE(keys.contains("File: Start Recording = R")) << qPrintable(keys.join("\n"));
    EXPECT_TRUE(LumoAppController::helpBaseUrl().startsWith("https://")) << "the help address is bundled";
}

TEST(AppController, OneInstanceHoldsTheLockAndALaterLaunchBringsBackItsMinimizedWindow)
{
    Sandbox sandbox;
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Role::Primary);
    // The lock is taken but nobody listens yet: a launch now waits for an answer, then gives up.
    EXPECT_EQ(SingleInstance().claim(100), SingleInstance::Role::NoAnswer);

    LumoAppController controller(parseCommandLine({"arvo", "--virtual-camera=tobble"}));
    controller.awakeFromNib(false);
    controller.applicationWillFinishLaunching(&first);
    QMainWindow *window = controller.mainWindowController()->window();
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    // Without the lock nothing listens, and the running instance's socket stays where it is.
    EXPECT_FALSE(SingleInstance().listen([] {}));

    // The running instance answers on this thread, so the later launch asks from another.
    auto later = std::async(std::launch::async, [] { return SingleInstance().claim(5000); });
    ASSERT_TRUE(waitUntil([&] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(later.get(), SingleInstance::Role::HandedOver);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

// Without XDG_RUNTIME_DIR the runtime folder is in the temporary folder, which every local user
// may write: it is made private, and whatever another user or a link put in its place is refused.
TEST(AppController, RuntimeFolderInTheTemporaryFolderIsPrivateAndNothingInItIsFollowed)
{
    Sandbox sandbox;
    qunsetenv("XDG_RUNTIME_DIR");
    QDir().mkpath(sandbox.path("tmp"));
    qputenv("TMPDIR", sandbox.path("tmp").toUtf8());
    const QString folder = sandbox.path(QString("tmp/arvo-%1").arg(getuid()));
    const QString notes = sandbox.path("Documents/notes");
    ASSERT_TRUE(writeFile(notes, "keep me"));
    const auto refusal = [&] {
        QString problem;
        return RuntimePaths::runtimeFolder(&problem).isEmpty() ? problem : QString("(used)");
    };
    const auto reset = [&] {
        if (!QFile::remove(folder)) // a link goes itself, not what it points to
            QDir(folder).removeRecursively();
    };

    EXPECT_EQ(RuntimePaths::runtimeFolder(), folder);
    struct stat info = {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_TRUE(refusal().contains("mode 0755")) << qPrintable(refusal());
    reset();
    ASSERT_TRUE(QFile::link(sandbox.path("Documents"), folder));
    EXPECT_TRUE(refusal().contains("not a folder")) << qPrintable(refusal());
    EXPECT_EQ(SingleInstance().claim(100), SingleInstance::Role::Failed);
    if (getuid() == 0) {
        reset();
        QDir().mkpath(folder);
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        EXPECT_TRUE(refusal().contains("another user")) << qPrintable(refusal());
    }

    // In a folder of the user's own, a link in the lock's place is not followed and a file in a
    // socket's place is not replaced.
    reset();
    ASSERT_TRUE(QFile::link(notes, RuntimePaths::instanceLock()));
    SingleInstance instance;
    EXPECT_EQ(instance.claim(100), SingleInstance::Role::Failed);
    EXPECT_TRUE(instance.problem().contains("instance lock")) << qPrintable(instance.problem());
    QFile::remove(RuntimePaths::instanceLock());
    ASSERT_EQ(instance.claim(100), SingleInstance::Role::Primary);
    for (const QString &socket : {RuntimePaths::instanceSocket(), RuntimePaths::virtualCameraSocket()})
        ASSERT_TRUE(writeFile(socket, "mine"));
    EXPECT_FALSE(instance.listen([] {}));
    EXPECT_FALSE(ControlServer().listen(RuntimePaths::virtualCameraSocket()));
    EXPECT_EQ(readFile(RuntimePaths::instanceSocket()) + readFile(RuntimePaths::virtualCameraSocket()), "minemine");
    EXPECT_EQ(readFile(notes), "keep me");
}

TEST(AppController, CameraChangeRestoresTheSavedSettingsAndTheProgrammableButtonActs)
{
    Sandbox sandbox;
    UserDefaults *defaults = UserDefaults::standard();
    defaults->setDictionary(DefaultsKeys::Devices, {{"Tobble", QVariantMap{{"Zoom", 2.0}, {"Resolution", 3}, {"Timer", 3}}}});
    defaults->setValue(DefaultsKeys::ProgramKeyFunction, 3); // mirror
    defaults->flush();
    // Whatever the camera's arrival changes is gathered; here until the flush below.
    defaults->setGatherDelay(std::chrono::hours(1));
    const int writesBefore = defaults->writeCount();

    LumoAppController controller(parseCommandLine({"arvo", "--virtual-camera=tobble"}));
    controller.awakeFromNib(false);
    LumoCaptureViewController *capture = controller.mainWindowController()->captureController();
    LumoActionController *action = controller.actionController();
    // The whole camera-change sequence: image adjustments, then the restore, which reaches the
    // picture and the snapshot controller.
    ASSERT_TRUE(waitUntil([&] { return capture->zoom() == 2.0f; }));
    EXPECT_EQ(capture->resolution(), QSize(800, 600));
    EXPECT_EQ(action->timerValue(), 3);
    EXPECT_EQ(action->zoomFactor(), 2.0f);
    EXPECT_EQ(defaults->writeCount(), writesBefore);
    defaults->flush();
    EXPECT_EQ(defaults->writeCount(), writesBefore + 1);
    EXPECT_EQ(QSettings(UserDefaults::standardPath(), QSettings::IniFormat).value("LumoDevices/Tobble/Timer").toInt(), 3);
    defaults->setGatherDelay(std::chrono::milliseconds(-1));

    using namespace NotificationNames;
    NotificationCenter *center = NotificationCenter::defaultCenter();
    LumoCameraModeControls *controls = controller.mainWindowController()->cameraControls();
    auto saved = [&](const char *key) { return defaults->dictionaryForKey(DefaultsKeys::Devices).value("Tobble").toMap().value(key); };
    center->post(CameraCustomButton);
    EXPECT_TRUE(capture->hFlipped());
    EXPECT_TRUE(saved("HFlipped").toBool());
    center->post(ProgramKeyFunctionDidChange, nullptr, {{DefaultsKeys::ProgramKeyFunction, 1}});
    center->post(CameraCustomButton);
    EXPECT_EQ(capture->zoom(), 3.0f);
    // Freeze: a press holds the picture, the next lets it go, and the toolbar's button follows.
    center->post(ProgramKeyFunctionDidChange, nullptr, {{DefaultsKeys::ProgramKeyFunction, 4}});
    ASSERT_TRUE(waitUntil([&] { return capture->frameCount() > 0; }));
    for (bool frozen : {true, false}) {
        center->post(CameraCustomButton);
        EXPECT_EQ(capture->isFrozen(), frozen);
        EXPECT_EQ(controller.freezeControls()->freezeAction()->isChecked(), frozen);
    }
    // Recording: a press asks the recorder to start, which either starts or says why not; a
    // started recording ends at the next press.
    center->post(ProgramKeyFunctionDidChange, nullptr, {{DefaultsKeys::ProgramKeyFunction, 5}});
    int started = 0, failed = 0, finished = 0;
    Recorder *recorder = controller.recorder();
    QObject counting;
    QObject::connect(recorder, &Recorder::started, &counting, [&] { ++started; });
    QObject::connect(recorder, &Recorder::failed, &counting, [&] { ++failed; });
    QObject::connect(recorder, &Recorder::finished, &counting, [&] { ++finished; });
    center->post(CameraCustomButton);
    ASSERT_TRUE(waitUntil([&] { return started + failed == 1; }));
    EXPECT_EQ(controller.recordingControls()->isRecording(), started == 1);
    if (started == 1) {
        center->post(CameraCustomButton);
        ASSERT_TRUE(waitUntil([&] { return finished == 1; }));
        EXPECT_FALSE(controller.recordingControls()->isRecording());
    }

    // Turning: the mirror pop-up's entries and the key's action turn the picture, the window
    // takes its shape and the camera's record keeps the turn.
    QSize shape;
    QObject context;
    QObject::connect(capture, &LumoCaptureViewController::resolutionChanged, &context, [&](const QSize &size) { shape = size; });
    LumoPopUpButton *mirror = controls->mirrorButton();
    mirror->itemAtIndex(4)->trigger(); // turned 90°
    EXPECT_EQ(capture->quarterTurns(), 1);
    EXPECT_EQ(shape, QSize(600, 800));
    EXPECT_EQ(saved("Rotation").toInt(), 90);
    EXPECT_EQ(mirror->title(), "Mirror: H · 90°");
    mirror->itemAtIndex(6)->trigger(); // turned 270°
    controller.rotationControls()->rotateAction()->trigger();
    EXPECT_EQ(capture->quarterTurns(), 0);
    EXPECT_EQ(shape, QSize(800, 600));
    EXPECT_EQ(saved("Rotation").toInt(), 0);
    EXPECT_EQ(mirror->title(), "Mirror: H");
    EXPECT_TRUE(mirror->itemAtIndex(3)->isChecked() && !mirror->itemAtIndex(6)->isChecked());
    EXPECT_FALSE(capture->vFlipped()) << "the turn entries are no flips";

    // The model's default exposure level 4 reaches the camera; a press makes it 5 there, in
    // the toolbar and in the saved settings.
    VirtualCamera *camera = controller.virtualCameraHub()->camera(1).get();
    ASSERT_TRUE(waitUntil([&] { return camera->exposureStep() == 4 && controls->exposureButton()->title() == "Exposure: 4"; }));
    center->post(ProgramKeyFunctionDidChange, nullptr, {{DefaultsKeys::ProgramKeyFunction, 2}});
    center->post(CameraCustomButton);
    EXPECT_EQ(controls->exposureButton()->title(), "Exposure: 5");
    // A camera that is focusing takes it once the focus is over.
    EXPECT_TRUE(waitUntil([&] { return camera->exposureStep() == 5; }));
    EXPECT_EQ(saved("Exposure").toInt(), 5);

    // Automatic exposure off, then the camera plugged in again: the camera gets back exactly
    // what was saved, even though it focuses while the settings are restored.
    controls->exposureLockButton()->itemAtIndex(2)->trigger();
    ASSERT_TRUE(waitUntil([&] { return camera->exposureLocked(); }));
    controller.virtualCameraHub()->unplug(1);
    ASSERT_TRUE(waitUntil([&] { return !controls->zoomButton()->isEnabled(); }));
    VirtualCamera *again = controller.virtualCameraHub()->plug(VirtualCamera::Model::Tobble).get();
    ASSERT_TRUE(waitUntil([&] { return again->exposureStep() == 5 && again->exposureLocked(); }));
    waitUntil([] { return false; }, 100); // exposure reports come and go
    EXPECT_EQ(again->exposureStep(), 5);
    EXPECT_EQ(controls->exposureButton()->title(), "Exposure: 5");
    EXPECT_EQ(controls->exposureLockButton()->title(), "AE: Off");
    EXPECT_FALSE(saved("AutoBrightness").toBool());
}

// The picture shows with its first frame; photos have the camera's saved resolution even when
// pressed before its settings set it, and a press still on its way when Arvo quits is taken.
TEST(AppController, FirstFrameShowsAtOnceAndEveryPressGetsAPhotoOfTheSavedResolution)
{
    Sandbox sandbox;
    UserDefaults::standard()->setDictionary(DefaultsKeys::Devices, {{"Tobble", QVariantMap{{"Resolution", 3}}}});
    {
        LumoAppController controller(parseCommandLine({"arvo", "--verbose", "--virtual-camera=tobble"}));
        controller.awakeFromNib(false);
        controller.actionController()->setFrameWait(10000); // the restore's pace under load
        LumoMainWindowController *main = controller.mainWindowController();
        // By the second frame the first one's news is queued; the status tick is a second away.
        ASSERT_TRUE(waitUntil([&] { return main->captureController()->frameCount() > 1; }));
        QCoreApplication::processEvents();
        EXPECT_TRUE(main->statusText().contains("×")) << qPrintable(main->statusText());

        using namespace NotificationNames;
        NotificationRecorder saved({FileDidCreate});
        NotificationCenter::defaultCenter()->post(Snapshot);
        ASSERT_TRUE(saved.waitForCount(1, 10000));
        // A press still queued to the main thread when the event loop ended, and a series that
        // has taken its first photo: quitting ends it, with its photo.
        PhotoSeries *series = controller.photoSeries();
        ASSERT_TRUE(series->start({2, 0}));
        queueOnMainThread([] { NotificationCenter::defaultCenter()->post(Snapshot); });
        UserDefaults::standard()->setGatherDelay(std::chrono::hours(1));
        controller.applicationWillTerminate();
        // The counter of the photos saved while quitting is in the file when Arvo is gone.
        EXPECT_EQ(QSettings(UserDefaults::standardPath(), QSettings::IniFormat).value("LumoCapturedNumber").toInt(), 4);
        UserDefaults::standard()->setGatherDelay(std::chrono::milliseconds(-1));
        EXPECT_FALSE(series->isRunning());
        EXPECT_EQ(controller.seriesControls()->statusLabel()->text(), "Arvo is quitting, so the series ended after 1 photo.");
    }
    const QDir library(sandbox.path("Pictures/Arvo"));
    const QStringList photos = library.entryList({"*.jpg"});
    EXPECT_EQ(photos.size(), 3);
    for (const QString &name : photos)
        EXPECT_EQ(QImage(library.filePath(name)).size(), QSize(800, 600)) << qPrintable(name);
}

struct LanguageCase {
    const char *locale;
    QString language;
    QStringList menus;
    QString cancel;    // Qt's own button text, where Qt's translations are installed
    QString powerLine; // a driver's standard control name
};

void PrintTo(const LanguageCase &c, std::ostream *os) { *os << c.locale; }

class LanguageStart : public testing::TestWithParam<LanguageCase> {};

// The translator is in place before the windows are made, so the menu bar is built translated.
TEST_P(LanguageStart, MenuBarIsInTheUsersLanguage)
{
    const LanguageCase &c = GetParam();
    Sandbox sandbox;
    Translations translations{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(translations.language(), c.language);
    if (translations.hasQtTranslation()) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), c.cancel);
    }
    CameraControl control;
    control.name = QStringLiteral("Power Line Frequency");
    EXPECT_EQ(control.label(), c.powerLine);
    // A camera's settings record is found again whatever language Arvo is started in.
    EXPECT_EQ(LumoCameraUvc().shortModel(), "Video Camera ");

    LumoAppController controller(parseCommandLine({"arvo", "--virtual-camera=uvc"}));
    controller.awakeFromNib(false);
    controller.applicationWillFinishLaunching(nullptr);
    QMainWindow *window = controller.mainWindowController()->window();
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
    QStringList menus;
    for (QAction *action : window->menuBar()->actions())
        menus << action->text().remove(QLatin1Char('&'));
    EXPECT_EQ(menus, c.menus);
    controller.applicationWillTerminate();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, LanguageStart,
    testing::Values(
        LanguageCase{"de_DE", "de", {"Datei", "Bearbeiten", "Ansicht", "Modus", "Zeichnen", "Hilfe"}, "Abbrechen", "Netzfrequenz"},
        LanguageCase{"fr_FR", "fr", {"Fichier", "Édition", "Affichage", "Mode", "Dessin", "Aide"}, "Annuler", "Fréquence du secteur"},
        LanguageCase{"es_ES", "es", {"Archivo", "Editar", "Ver", "Modo", "Dibujo", "Ayuda"}, "Cancelar", "Frecuencia de la red"},
        // A language Arvo has no translation for reads English, Qt's buttons included.
        LanguageCase{"pt_BR", "en", {"File", "Edit", "View", "Mode", "Draw", "Help"}, "Cancel", "Power Line Frequency"}));

// Each .ts file, brought up to date with the sources by lupdate as scripts/update-translations
// does, has a finished translation of every text that keeps the text's placeholders, its count
// and its one keyboard accelerator: a text added without a translation, or a "%1" lost in one
// (the file name of a message gone), fails here.
TEST(Translations, EveryTextIsTranslatedWithItsPlaceholders)
{
    if (!QFileInfo(QStringLiteral(ARVO_LUPDATE)).isExecutable())
        GTEST_SKIP() << "lupdate is not installed (package qt6-l10n-tools)";
    Sandbox sandbox;
    const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    const QRegularExpression accelerator(QStringLiteral("&(?!&)\\S"));
    const auto markers = [&](const QString &text, const QRegularExpression &re) {
        QStringList found;
        for (auto it = re.globalMatch(QString(text).replace(QStringLiteral("&&"), QString())); it.hasNext();)
            found << it.next().captured(0);
        found.sort();
        return found;
    };
    for (const char *language : {"de", "fr", "es"}) {
        const QString name = QStringLiteral("arvo_%1.ts").arg(QLatin1String(language));
        const QString ts = sandbox.path(name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ARVO_SOURCE_DIR "/translations/") + name, ts));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(ARVO_SOURCE_DIR));
        lupdate.start(QStringLiteral(ARVO_LUPDATE), {"-recursive", "-no-obsolete", "-locations", "none", "-silent", "src", "-ts", ts});
        ASSERT_TRUE(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0) << lupdate.readAll().constData();

        QFile file(ts);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        QStringList problems;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
                ++messages;
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                QStringList forms; // one, or the numerus forms of a counted text
                QString text;
                while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == QLatin1String("translation"))) {
                    if (xml.isStartElement())
                        forms << xml.readElementText();
                    else if (xml.isCharacters())
                        text += xml.text();
                }
                if (forms.isEmpty())
                    forms << text;
                const QString where = QStringLiteral("%1 %2: \"%3\"").arg(name, context, source);
                if (!type.isEmpty())
                    problems << where + QStringLiteral(" is ") + type;
                for (const QString &form : forms) {
                    if (form.trimmed().isEmpty())
                        problems << where + QStringLiteral(" is empty");
                    else if (markers(form, placeholder) != markers(source, placeholder)
                             || markers(form, accelerator).size() != markers(source, accelerator).size())
                        problems << where + QStringLiteral(" has other placeholders or accelerators: ") + form;
                }
            }
        }
        EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
        EXPECT_GT(messages, 100) << qPrintable(name);
        EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems:\n" << qPrintable(problems.mid(0, 30).join(QLatin1Char('\n')));
    }
}

TEST(CommandLine, ParsesVirtualCamerasAndRejectsUnknownOptions)
{
    CommandLineOptions o = parseCommandLine({"arvo", "--verbose", "--virtual-camera=arvo,tobble,uvc"});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.useVirtualCameras);
    EXPECT_EQ(o.virtualCameras, QStringList({"arvo", "tobble", "uvc"}));

    o = parseCommandLine({"arvo", "--virtual-camera", "tobble"});
    EXPECT_EQ(o.virtualCameras, QStringList({"tobble"})) << "with a space as with \"=\"";
    o = parseCommandLine({"arvo", "--frobnicate"});
    EXPECT_FALSE(o.error.isEmpty());
    o = parseCommandLine({"arvo"});
    EXPECT_FALSE(o.useVirtualCameras);

    o = parseCommandLine({"arvo", "--version"});
    EXPECT_TRUE(o.showVersion && o.error.isEmpty());
    o = parseCommandLine({"arvo", "-h"});
    EXPECT_TRUE(o.showHelp && !o.showVersion);
    o = parseCommandLine({"arvo", "-v"});
    EXPECT_FALSE(o.error.isEmpty()) << "no short form that could be taken for --verbose";
    // Qt's own options, with their values, are left to QApplication.
    o = parseCommandLine({"arvo", "-platform", "offscreen", "--style=fusion", "-reverse", "--virtual-camera", "uvc"});
    EXPECT_TRUE(o.error.isEmpty()) << qPrintable(o.error);
    EXPECT_EQ(o.virtualCameras, QStringList({"uvc"}));
    o = parseCommandLine({"arvo", "-platformx"});
    EXPECT_FALSE(o.error.isEmpty());
}

} // namespace
