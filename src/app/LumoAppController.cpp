#include "LumoAppController.h"

#include "SingleInstance.h"
#include "core/Resources.h"
#include "capture/CaptureBackends.h"
#include "capture/recording/Recorder.h"
#include "photos/LumoActionController.h"
#include "photos/series/PhotoSeries.h"
#include "ui/drawing/DrawingController.h"
#include "ui/drawing/DrawingModel.h"
#include "core/Delays.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/RuntimePaths.h"
#include "core/UserDefaults.h"
#include "device/LumoCamerasController.h"
#include "settings/CamSettingController.h"
#include "device/linux/UdevBackend.h"
#include "device/virtual/ControlServer.h"
#include "device/virtual/VirtualCameraCommands.h"
#include "device/virtual/VirtualCameraHub.h"
#include "library/LibraryFolder.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/about/LumoAboutWindowController.h"
#include "ui/preferences/LumoPreferencesWindowController.h"
#include "ui/freeze/FreezeControls.h"
#include "ui/pan/PanControls.h"
#include "ui/recording/RecordingControls.h"
#include "ui/rotation/RotationControls.h"
#include "ui/series/SeriesControls.h"
#include "ui/shortcuts/KeyboardShortcutsWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace {

// The registry's current camera, looked up when asked: the controllers are made before the
// registry, and the registry changes its current camera as cameras come and go.
CameraPtr registryCurrentCamera()
{
    auto *registry = LumoCamerasController::sharedController();
    return registry ? registry->currentCamera() : nullptr;
}

} // namespace

LumoAppController::LumoAppController(const CommandLineOptions &options, QObject *parent)
    : QObject(parent), options_(options)
{}

LumoAppController::~LumoAppController()
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->removeObserver(this);
    if (mainWindowController_)
        center->removeObserver(mainWindowController_.get());
    if (actionController_)
        center->removeObserver(actionController_.get());
    if (recorder_)
        center->removeObserver(recorder_.get());
    controlServer_.reset();
    preferences_.reset();
    seriesControls_.reset();
    recordingControls_.reset();
    panControls_.reset();
    rotationControls_.reset();
    freezeControls_.reset();
    series_.reset();
    mainWindowController_.reset(); // stops the live picture
    recorder_.reset();             // closes a recording still running
    actionController_.reset();     // waits for photos still being written
    cameras_.reset();              // ends the device thread before the virtual cameras go
    captureBackend_.reset();
    hub_.reset();
}

void LumoAppController::awakeFromNib(bool redirectLog)
{
    if (redirectLog)
        setUpLog();
    LumoLog::setEnabled(options_.verbose);
    LUMO_LOG("Arvo %s starting", qPrintable(QCoreApplication::applicationVersion()));

    // Which cameras: simulated ones, or the USB cameras plugged in.
    std::unique_ptr<DeviceBackend> backend;
    if (options_.useVirtualCameras) {
        hub_ = std::make_unique<VirtualCameraHub>();
        for (const QString &name : std::as_const(options_.virtualCameras)) {
            VirtualCamera::Model model;
            if (VirtualCamera::modelFromName(name, &model))
                hub_->plug(model);
        }
        backend = hub_->createBackend();
        captureBackend_ = createVirtualCaptureBackend(hub_.get());
    } else {
        backend = createLinuxBackend();
        captureBackend_ = createLinuxCaptureBackend();
    }

    const QString libraryProblem = setAppDefault();
    actionController_ =
        std::make_unique<LumoActionController>(UserDefaults::standard(), registryCurrentCamera);
    // Recordings take their numbers from the photos' writer, so the two never share one.
    recorder_ = std::make_unique<Recorder>(UserDefaults::standard());
    recorder_->setPhotoWriter(&actionController_->photoWriter());
    mainWindowController_ =
        std::make_unique<LumoMainWindowController>(captureBackend_.get(), registryCurrentCamera);
    // A snapshot waiting for a frame has the picture run for it (review mode pauses it); Escape
    // and the countdown's floater end a countdown.
    connect(actionController_.get(), &LumoActionController::framesWanted,
            mainWindowController_->captureController(), &LumoCaptureViewController::setFramesWanted);
    connect(mainWindowController_.get(), &LumoMainWindowController::countdownCancelRequested,
            actionController_.get(), &LumoActionController::cancelCountdown);
    // A series takes each photo as a snapshot is taken, in every mode (review mode shows them
    // as they come).
    LumoActionController *action = actionController_.get();
    series_ = std::make_unique<PhotoSeries>([action] { action->snapshot(); }, registryCurrentCamera);
    seriesControls_ = std::make_unique<SeriesControls>(series_.get(), mainWindowController_.get(),
                                                       UserDefaults::standard());
    // A photo holds the drawing over the picture when the user wants it there.
    actionController_->setPhotoDecorator(
        [drawing = QPointer<DrawingController>(mainWindowController_->drawing())](const QImage &picture,
                                                                                  const LiveFrame &frame) {
            return drawing ? drawing->decoratePhoto(picture, frame) : picture;
        });
    freezeControls_ = std::make_unique<FreezeControls>(mainWindowController_.get());
    connect(actionController_.get(), &LumoActionController::freezeToggleRequested, freezeControls_.get(),
            &FreezeControls::toggle);
    rotationControls_ = std::make_unique<RotationControls>(mainWindowController_.get(),
                                                           CamSettingController::sharedInstance());
    panControls_ = std::make_unique<PanControls>(mainWindowController_.get());
    connectRecorder();
    recordingControls_ = std::make_unique<RecordingControls>(recorder_.get(), mainWindowController_.get(),
                                                             UserDefaults::standard());
    connect(actionController_.get(), &LumoActionController::recordingToggleRequested,
            recordingControls_.get(), &RecordingControls::toggle);
    buildMainMenu();
    setNotifications();
    if (!libraryProblem.isEmpty())
        mainWindowController_->reportProblem(libraryProblem);
    // Settings that could not be read were set aside at this start; said once, in passing.
    const QString damagedSettings = UserDefaults::standard()->damagedCopy();
    if (!damagedSettings.isEmpty())
        mainWindowController_->showMessage(
            tr("The settings file could not be read and was kept as \"%1\"; Arvo starts with "
               "its default settings.")
                .arg(QDir::toNativeSeparators(damagedSettings)));

    cameras_ = LumoCamerasController::createShared(std::move(backend));

    if (hub_) {
        controlServer_ = std::make_unique<ControlServer>();
        LumoCamerasController *registry = cameras_.get();
        addVirtualCameraCommands(*controlServer_, *hub_, [registry] {
            CameraPtr current = registry ? registry->currentCamera() : nullptr;
            return current ? current->deviceKey() : QString();
        });
        // Starts and stops a recording from outside, for demonstrations and measurements.
        Recorder *recorder = recorder_.get();
        controlServer_->addCommand(QStringLiteral("record"), [recorder](const QStringList &args) {
            const QString what = args.value(0);
            if (args.size() != 1 || (what != QLatin1String("start") && what != QLatin1String("stop")))
                return ControlServer::Reply::error(QStringLiteral("usage: record start|stop"));
            if (what == QLatin1String("stop")) {
                recorder->stop();
                return ControlServer::Reply{};
            }
            QString problem;
            const auto connection =
                connect(recorder, &Recorder::failed, [&problem](const QString &m) { problem = m; });
            const bool started = recorder->start();
            disconnect(connection);
            return started ? ControlServer::Reply{true, {recorder->path()}}
                           : ControlServer::Reply::error(problem);
        });
        controlServer_->listen(RuntimePaths::virtualCameraSocket());
    }
}

void LumoAppController::applicationWillFinishLaunching(SingleInstance *instance)
{
    if (instance) {
        instance->listen([this] { reopen(); });
    }
    QTimer::singleShot(Delays::scaled(Delays::InitializeMode), this, [this] { initializeMode(); });
}

void LumoAppController::reopen()
{
    if (!mainWindowController_)
        return;
    // show() alone leaves a minimized window minimized.
    QMainWindow *window = mainWindowController_->window();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    mainWindowController_->showWindow();
}

void LumoAppController::quit()
{
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

void LumoAppController::applicationWillTerminate()
{
    // A running series takes no photo after this; the one it took last is saved with the rest.
    if (series_)
        series_->stop(PhotoSeries::End::Quit);
    // A recording gets its end written, as a photo being saved is waited for.
    if (recorder_) {
        recorder_->stop(Recorder::End::Quit);
        recorder_->waitUntilFinished(2000);
    }
    controlServer_.reset();
    if (mainWindowController_)
        mainWindowController_->saveWindowFrame();
    if (cameras_)
        cameras_->flushDeviceEvents();
    // Events queued behind the one that ended the loop.
    QCoreApplication::sendPostedEvents();
    if (actionController_) {
        actionController_->finishPendingSnapshots();
        // Every photo written, then the counter after them stored.
        actionController_->waitForSaves();
        actionController_->photoWriter().flushCounter();
    }
    // Settings changed in the last moments are still being gathered for their write.
    UserDefaults::flushAll();
}

void LumoAppController::initializeMode()
{
    mainWindowController_->initAttachController();
    mainWindowController_->restoreWindowFrame();
    mainWindowController_->setMode(LumoMainWindowController::CameraMode);
    mainWindowController_->showWindow();
}

QString LumoAppController::setAppDefault()
{
    UserDefaults *defaults = UserDefaults::standard();
    const QString problem = LibraryFolder::prepare(defaults);

    if (!defaults->contains(DefaultsKeys::FocusSoundEffectSwitch))
        defaults->setValue(DefaultsKeys::FocusSoundEffectSwitch, true);
    if (!defaults->contains(DefaultsKeys::SnapshotSoundEffectSwitch))
        defaults->setValue(DefaultsKeys::SnapshotSoundEffectSwitch, true);
    return problem;
}

void LumoAppController::setNotifications()
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    using namespace NotificationNames;
    center->addObserver(this, KeepCameraSetDidChange,
                        [this](const Notification &n) { keepCameraSetDidChange(n); });

    LumoActionController *action = actionController_.get();
    const std::pair<const char *, void (LumoActionController::*)(const Notification &)> actions[] = {
        {CameraSetToSingleFocus, &LumoActionController::velmarDidSetToSingleFocus},
        {CameraSetToContinueFocus, &LumoActionController::velmarDidSetToContinueFocus},
        {Snapshot, &LumoActionController::velmarDidSnapshot},
        {CameraWillFocus, &LumoActionController::velmarDidBeginFocus},
        {CameraDidFocus, &LumoActionController::velmarDidEndFocus},
        {CaptureAutoFocusWillBegin, &LumoActionController::velmarWillBeginAutoFocus},
        {CameraCustomButton, &LumoActionController::velmarDidPressCustomButton},
        {PhotoLibraryLocationDidChange, &LumoActionController::photoLibraryLocationDidChange},
        {PhotoNameFormatSelDidChange, &LumoActionController::photoNameFormatSelDidChange},
        {FocusSoundEffectDidChange, &LumoActionController::focusSoundEffectDidChange},
        {SnapshotSoundEffectDidChange, &LumoActionController::snapshotSoundEffectDidChange},
        {ProgramKeyFunctionDidChange, &LumoActionController::programKeyFunctionDidChange},
        // Delivered on the frame thread.
        {WillDisplayImage, &LumoActionController::captureViewWillDisplayImage},
    };
    for (const auto &[name, method] : actions)
        center->addObserver(action, name,
                            [action, method = method](const Notification &n) { (action->*method)(n); });

    LumoMainWindowController *main = mainWindowController_.get();
    center->addObserver(main, FileDidCreate, [main](const Notification &n) { main->fileDidCreate(n); });
    center->addObserver(main, InstantPreviewDidChange,
                        [main](const Notification &n) { main->instantPreviewDidChange(n); });
    center->addObserver(main, PhotoLibraryLocationDidChange,
                        [main](const Notification &n) { main->photoLibraryLocationDidChange(n); });
    center->addObserver(main, CameraDidChange,
                        [main](const Notification &n) { main->velmarCameraDidChange(n); });
}

// The recorder takes every shown frame on the frame thread, paints the drawing over it as the
// view shows it, and ends when the camera goes or changes.
void LumoAppController::connectRecorder()
{
    Recorder *recorder = recorder_.get();
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(recorder, NotificationNames::WillDisplayImage, [recorder](const Notification &n) {
        const QVariant image = n.userInfo.value(NotificationNames::InfoKeys::Image);
        if (image.canConvert<LiveFrame>())
            recorder->addFrame(image.value<LiveFrame>());
    });
    // A recording renders every frame at full size: the live picture then decodes each frame
    // whole, once for both.
    LumoCaptureViewController *capture = mainWindowController_->captureController();
    connect(recorder, &Recorder::started, capture, [capture] { capture->setWholeFramesKept(true); });
    connect(recorder, &Recorder::finished, capture, [capture] { capture->setWholeFramesKept(false); });
    connect(recorder, &Recorder::failed, capture,
            [capture, recorder] { capture->setWholeFramesKept(recorder->isRecording()); });
    // The camera change is posted after the registry switched: no current camera now means the
    // camera went away.
    center->addObserver(recorder, NotificationNames::CameraWillChange, [recorder](const Notification &) {
        recorder->stop(registryCurrentCamera() ? Recorder::End::CameraChanged
                                               : Recorder::End::CameraUnplugged);
    });

    // The strokes belong to the main thread; the recorder's thread paints a copy of them, taken
    // at each change.
    struct Drawing {
        std::mutex mutex;
        QVector<Stroke> strokes;
        QSize drawnOn;
    };
    auto drawing = std::make_shared<Drawing>();
    DrawingModel *model = mainWindowController_->drawing()->model();
    connect(model, &DrawingModel::changed, recorder, [drawing, model] {
        std::lock_guard<std::mutex> lock(drawing->mutex);
        drawing->strokes = model->strokes();
        drawing->drawnOn = model->pictureSize();
    });
    recorder->setOverlay([drawing](QImage &picture, const LiveFrame &frame) {
        std::unique_lock<std::mutex> lock(drawing->mutex);
        if (drawing->strokes.isEmpty())
            return;
        const QVector<Stroke> strokes = drawing->strokes;
        const QSize drawnOn = drawing->drawnOn;
        lock.unlock();
        picture = DrawingController::photoWithDrawing(picture, frame, strokes, drawnOn);
    });
}

void LumoAppController::keepCameraSetDidChange(const Notification &notification)
{
    const bool restoreable = notification.userInfo.value(DefaultsKeys::KeepCameraSet).toInt() == 0;
    CamSettingController::sharedInstance()->setRestoreable(restoreable);
}

void LumoAppController::buildMainMenu()
{
    QMenuBar *bar = mainWindowController_->window()->menuBar();

    QMenu *file = bar->addMenu(tr("&File"));
    file->addAction(mainWindowController_->takePhotoAction());
    file->addAction(seriesControls_->startAction());
    file->addAction(seriesControls_->stopAction());
    file->addSeparator();
    file->addAction(recordingControls_->recordAction());
    file->addSeparator();
    QAction *quit = file->addAction(tr("&Quit"), this, &LumoAppController::quit);
    quit->setShortcut(QKeySequence::Quit);

    QMenu *edit = bar->addMenu(tr("&Edit"));
    QAction *copyItem = edit->addAction(tr("&Copy"), this, &LumoAppController::copy);
    copyItem->setShortcut(QKeySequence::Copy);
    edit->addSeparator();
    QAction *preferences = edit->addAction(tr("&Preferences…"), this, &LumoAppController::openPreferences);
    // Ctrl+, as desktop programs have it, and the desktop's own key for it where that differs.
    QList<QKeySequence> preferenceKeys{QKeySequence(Qt::CTRL | Qt::Key_Comma)};
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::Preferences))
        if (!preferenceKeys.contains(keys))
            preferenceKeys << keys;
    preferences->setShortcuts(preferenceKeys);
    preferences->setMenuRole(QAction::PreferencesRole);

    QMenu *view = bar->addMenu(tr("&View"));
    view->addAction(freezeControls_->freezeAction());
    view->addAction(rotationControls_->rotateAction());
    view->addSeparator();
    view->addActions(panControls_->actions());

    QMenu *modeMenu = bar->addMenu(tr("&Mode"));
    modeMenu->addActions(mainWindowController_->modeActions());

    bar->addMenu(mainWindowController_->drawing()->menu());

    QMenu *help = bar->addMenu(tr("&Help"));
    // The online help is offered only where the build names a real address for it.
    if (!LumoAboutWindowController::isPlaceholder(QUrl(helpBaseUrl())))
        help->addAction(tr("Arvo &Help"), this, &LumoAppController::onlineHelp);
    QAction *shortcuts =
        help->addAction(tr("&Keyboard Shortcuts"), this, &LumoAppController::openKeyboardShortcuts);
    shortcuts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Slash));
    shortcuts->setToolTip(tr("Every key of Arvo's window (Ctrl+/)"));
    help->addAction(tr("&About Arvo"), this, &LumoAppController::openAbout);
}

void LumoAppController::openKeyboardShortcuts()
{
    if (!shortcutsWindow_)
        shortcutsWindow_ = new KeyboardShortcutsWindow(mainWindowController_->window());
    shortcutsWindow_->showAndRaise();
}

QString LumoAppController::helpBaseUrl()
{
    initArvoResources();
    QSettings strings(QStringLiteral(":/strings/Server.ini"), QSettings::IniFormat);
    return strings.value(QStringLiteral("HelpBaseURL"), QString()).toString();
}

void LumoAppController::onlineHelp()
{
    const QUrl url(helpBaseUrl());
    if (!LumoAboutWindowController::isPlaceholder(url))
        QDesktopServices::openUrl(url);
}

void LumoAppController::openPreferences()
{
    if (!preferences_) {
        preferences_ =
            std::make_unique<LumoPreferencesWindowController>(LumoPreferencesWindowController::Services{
                UserDefaults::standard(), CamSettingController::sharedInstance(), cameras_.get(),
                LumoAboutWindowController::serverAddresses().update});
    }
    preferences_->showWindow();
}

void LumoAppController::openAbout()
{
    LumoAboutWindowController::sharedInstance(registryCurrentCamera)->showWindow();
}

void LumoAppController::copy()
{
    mainWindowController_->copyPhoto();
}
