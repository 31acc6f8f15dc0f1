#include "LumoAppController.h"

#include "SingleInstance.h"
#include "core/Resources.h"
#include "core/Delays.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/RuntimePaths.h"
#include "core/UserDefaults.h"
#include "device/LumoCamerasController.h"
#include "device/linux/UdevBackend.h"
#include "device/virtual/ControlServer.h"
#include "device/virtual/VirtualCameraCommands.h"
#include "device/virtual/VirtualCameraHub.h"
#include "ui/LumoMainWindowController.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

LumoAppController::LumoAppController(const CommandLineOptions &options, QObject *parent)
    : QObject(parent)
    , options_(options)
{
}

LumoAppController::~LumoAppController()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    if (mainWindowController_)
        NotificationCenter::defaultCenter()->removeObserver(mainWindowController_.get());
    controlServer_.reset();
    mainWindowController_.reset();
    cameras_.reset();   // ends the device thread before the virtual cameras go
    hub_.reset();
}

void LumoAppController::awakeFromNib(bool redirectLog)
{
    if (redirectLog)
        setUpLog();
    LumoLog::setEnabled(options_.verbose);
    LUMO_LOG("Arvo %s starting", qPrintable(QCoreApplication::applicationVersion()));

    const QString libraryProblem = setAppDefault();
    mainWindowController_ = std::make_unique<LumoMainWindowController>();
    buildMainMenu();
    setNotifications();
    if (!libraryProblem.isEmpty())
        mainWindowController_->reportProblem(libraryProblem);

    std::unique_ptr<DeviceBackend> backend;
    if (options_.useVirtualCameras) {
        hub_ = std::make_unique<VirtualCameraHub>();
        for (const QString &name : std::as_const(options_.virtualCameras)) {
            VirtualCamera::Model model;
            if (VirtualCamera::modelFromName(name, &model))
                hub_->plug(model);
        }
        backend = hub_->createBackend();
    } else {
        backend = createLinuxBackend();
    }
    cameras_ = LumoCamerasController::createShared(std::move(backend));

    if (hub_) {
        controlServer_ = std::make_unique<ControlServer>();
        LumoCamerasController *registry = cameras_.get();
        addVirtualCameraCommands(*controlServer_, *hub_, [registry] {
            CameraPtr current = registry ? registry->currentCamera() : nullptr;
            return current ? current->deviceKey() : QString();
        });
        controlServer_->listen(RuntimePaths::virtualCameraSocket());
    }
}

void LumoAppController::applicationWillFinishLaunching(SingleInstance *instance)
{
    if (instance) {
        instance->listen([this] {
            if (mainWindowController_)
                mainWindowController_->showWindow();
        });
    }
    QTimer::singleShot(Delays::scaled(Delays::InitializeMode), this, [this] { initializeMode(); });
}

void LumoAppController::initializeMode()
{
    mainWindowController_->initAttachController();
    mainWindowController_->setMode(LumoMainWindowController::CameraMode);
    mainWindowController_->showWindow();
}

QString LumoAppController::setAppDefault()
{
    UserDefaults *defaults = UserDefaults::standard();
    QString library = defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    if (library.isEmpty()) {
        library = QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
                      .filePath(QStringLiteral("Arvo"));
        defaults->setValue(DefaultsKeys::PhotoLibraryLocation, library);
    }

    QString problem;
    const QFileInfo info(library);
    if (!info.exists()) {
        // A fresh home may have no Pictures folder yet, so the parents are made too.
        if (!QDir().mkpath(library))
            problem = tr("The photo library folder \"%1\" could not be created. "
                         "Photos cannot be saved until it exists.")
                          .arg(QDir::toNativeSeparators(library));
    } else if (!info.isDir()) {
        problem = tr("\"%1\" is a file, not a folder, so photos cannot be saved there. "
                     "The file was left as it is; move it away or choose another library "
                     "folder.")
                      .arg(QDir::toNativeSeparators(library));
    }
    if (!problem.isEmpty())
        LUMO_LOG("%s", qPrintable(problem));

    if (!defaults->contains(DefaultsKeys::FocusSoundEffectSwitch))
        defaults->setValue(DefaultsKeys::FocusSoundEffectSwitch, true);
    if (!defaults->contains(DefaultsKeys::SnapshotSoundEffectSwitch))
        defaults->setValue(DefaultsKeys::SnapshotSoundEffectSwitch, true);
    return problem;
}

void LumoAppController::setNotifications()
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, NotificationNames::KeepCameraSetDidChange,
                        [this](const Notification &n) { keepCameraSetDidChange(n); });
    LumoMainWindowController *main = mainWindowController_.get();
    center->addObserver(main, NotificationNames::CameraDidChange,
                        [main](const Notification &n) { main->velmarCameraDidChange(n); });
}

void LumoAppController::keepCameraSetDidChange(const Notification &notification)
{
    const bool restoreable = notification.userInfo.value(DefaultsKeys::KeepCameraSet).toInt() == 0;
    LUMO_LOG("camera settings are %s on camera change", restoreable ? "restored" : "reset");
}

void LumoAppController::buildMainMenu()
{
    QMenuBar *bar = mainWindowController_->window()->menuBar();

    QMenu *file = bar->addMenu(tr("&File"));
    QAction *quit = file->addAction(tr("&Quit"), qApp, &QCoreApplication::quit);
    quit->setShortcut(QKeySequence::Quit);

    QMenu *edit = bar->addMenu(tr("&Edit"));
    QAction *copyItem = edit->addAction(tr("&Copy"), this, &LumoAppController::copy);
    copyItem->setShortcut(QKeySequence::Copy);
    edit->addSeparator();
    QAction *preferences = edit->addAction(tr("&Preferences…"), this,
                                           &LumoAppController::openPreferences);
    preferences->setShortcut(QKeySequence::Preferences);
    preferences->setMenuRole(QAction::PreferencesRole);

    QMenu *modeMenu = bar->addMenu(tr("&Mode"));
    cameraItem_ = modeMenu->addAction(tr("&Camera"));
    cameraItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    projectItem_ = modeMenu->addAction(tr("&Project"));
    projectItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    reviewItem_ = modeMenu->addAction(tr("&Review"));
    reviewItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
    for (QAction *item : {cameraItem_, projectItem_, reviewItem_})
        connect(item, &QAction::triggered, this, [this, item] { changeMode(item); });

    QMenu *help = bar->addMenu(tr("&Help"));
    help->addAction(tr("Arvo &Help"), this, &LumoAppController::onlineHelp);
    help->addAction(tr("&About Arvo"), this, &LumoAppController::openAbout);
}

void LumoAppController::changeMode(QAction *sender)
{
    if (sender == projectItem_)
        mainWindowController_->setMode(LumoMainWindowController::ProjectMode);
    else if (sender == reviewItem_)
        mainWindowController_->setMode(LumoMainWindowController::ReviewMode);
    else if (sender == cameraItem_)
        mainWindowController_->setMode(LumoMainWindowController::CameraMode);
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
    if (url.isValid() && !url.isEmpty())
        QDesktopServices::openUrl(url);
}

void LumoAppController::openPreferences()
{
    QMessageBox::information(mainWindowController_->window(), tr("Preferences"),
                             tr("Preferences are not available yet."));
}

void LumoAppController::openAbout()
{
    QMessageBox::about(mainWindowController_->window(), tr("About Arvo"),
                       tr("<b>Arvo</b> %1<br>Live picture and snapshots for document cameras.")
                           .arg(QCoreApplication::applicationVersion()));
}

void LumoAppController::copy()
{
    mainWindowController_->copy();
}
