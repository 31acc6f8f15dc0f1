#include "LumoActionController.h"

#include "CameraSounds.h"
#include "core/Delays.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>

using namespace NotificationNames;

namespace {

// The self-timer's settings in seconds; 0 is off.
constexpr int ShortTimer = 3;
constexpr int LongTimer = 10;

} // namespace

LumoActionController::LumoActionController(UserDefaults *defaults, CameraProvider currentCamera,
                                           PhotoWriter::Clock clock, QObject *parent)
    : QObject(parent), defaults_(defaults), currentCamera_(std::move(currentCamera)),
      sounds_(new CameraSounds(this)), writer_(std::make_unique<PhotoWriter>(defaults, std::move(clock)))
{
    loadDefaults();
    // The kept frame belongs to the camera that showed it: once the camera changes (or goes),
    // a snapshot has no picture until the new camera shows one.
    NotificationCenter *center = NotificationCenter::defaultCenter();
    for (const char *name : {CameraWillChange, CameraDidChange})
        center->addObserver(this, name, [this](const Notification &) { setCurrentImage({}); });
}

LumoActionController::~LumoActionController()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    waitForSaves();
}

CameraPtr LumoActionController::currentCamera() const
{
    return currentCamera_ ? currentCamera_() : nullptr;
}

void LumoActionController::loadDefaults()
{
    shouldPlayFocusSound_ = defaults_->boolForKey(DefaultsKeys::FocusSoundEffectSwitch, true);
    shouldPlayShutterSound_ = defaults_->boolForKey(DefaultsKeys::SnapshotSoundEffectSwitch, true);
    programmableKeyFunc_ = defaults_->integerForKey(DefaultsKeys::ProgramKeyFunction, FocusAgain);
    shouldUseCustPrefix_ = defaults_->integerForKey(DefaultsKeys::PhotoNameFormatSel) != 0;
    custPrefix_ = defaults_->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix);
    baseDir_ = defaults_->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    zoomFactor_ = 1.0f;
    exposure_ = 0;
    timerValue_ = 0;
    applyPhotoSettings();
    addDeviceCacheObservers();
}

void LumoActionController::applyPhotoSettings()
{
    PhotoSettings settings;
    settings.libraryFolder = baseDir_;
    settings.useCustomPrefix = shouldUseCustPrefix_;
    settings.customPrefix = custPrefix_;
    writer_->setSettings(settings);
}

void LumoActionController::addDeviceCacheObservers()
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    for (const char *name : {DeviceCacheWillUpdateExposure, DeviceCacheWillUpdateZoomFactor,
                             DeviceCacheWillUpdateTimer, DeviceCacheWillUpdateMirror})
        center->removeObserver(this, name);
    center->addObserver(this, DeviceCacheWillUpdateExposure, [this](const Notification &n) {
        exposure_ = int16_t(n.userInfo.value(InfoKeys::Exposure).toInt());
    });
    center->addObserver(this, DeviceCacheWillUpdateZoomFactor, [this](const Notification &n) {
        zoomFactor_ = n.userInfo.value(InfoKeys::ZoomFactor).toFloat();
    });
    center->addObserver(this, DeviceCacheWillUpdateTimer, [this](const Notification &n) {
        timerValue_ = n.userInfo.value(InfoKeys::Timer).toInt();
    });
    center->addObserver(this, DeviceCacheWillUpdateMirror, [this](const Notification &n) {
        horizontalFlipped_ = n.userInfo.value(InfoKeys::Horizontal).toBool();
        verticalFlipped_ = n.userInfo.value(InfoKeys::Vertical).toBool();
    });
}

// --- Frames ----------------------------------------------------------------------------------

void LumoActionController::captureViewWillDisplayImage(const Notification &notification)
{
    const QVariant image = notification.userInfo.value(InfoKeys::Image);
    if (image.canConvert<LiveFrame>())
        setCurrentFrame(image.value<LiveFrame>());
    else
        setCurrentImage(image.value<QImage>());
}

LiveFrame LumoActionController::currentFrame() const
{
    std::lock_guard<std::mutex> lock(imageMutex_);
    return currentFrame_;
}

void LumoActionController::setCurrentFrame(const LiveFrame &frame)
{
    std::lock_guard<std::mutex> lock(imageMutex_);
    currentFrame_ = frame;
}

QImage LumoActionController::currentImage() const
{
    // Keeping a frame costs nothing: it is rendered (decoded whole, zoomed and mirrored) only
    // when a photo takes it.
    return currentFrame().render();
}

void LumoActionController::setCurrentImage(const QImage &image)
{
    setCurrentFrame(LiveFrame(image, {}));
}

// --- Snapshot and countdown --------------------------------------------------------------------

bool LumoActionController::countdownRunning() const
{
    return snapshotTimer_ && snapshotTimer_->isActive();
}

void LumoActionController::velmarDidSnapshot(const Notification &)
{
    const bool running = countdownRunning();
    if (!running)
        count_ = timerValue_;
    if (timerValue_ != ShortTimer && timerValue_ != LongTimer) {
        // Off, or a value the timer does not offer (damaged settings): the photo is taken now,
        // never after a countdown that could not end.
        snapshot();
        return;
    }
    if (shouldPlayShutterSound_)
        sounds_->play(CameraSounds::TimerTick);
    if (running)
        return; // a press during a countdown only ticks
    LUMO_LOG("self-timer: %d s", timerValue_);
    NotificationCenter::defaultCenter()->post(CaptureDidTriggleTimer);

    NotificationCenter::defaultCenter()->post(CaptureWillUpdateTimer, nullptr,
                                              {{InfoKeys::Timer, timerValue_}});
    if (!snapshotTimer_) {
        snapshotTimer_ = new QTimer(this);
        connect(snapshotTimer_, &QTimer::timeout, this, &LumoActionController::timerToSnapshot);
    }
    snapshotTimer_->start(Delays::scaled(Delays::SelfTimerTick));
}

void LumoActionController::timerToSnapshot()
{
    if (count_ > 0)
        --count_;
    if (count_ != 0 && shouldPlayShutterSound_)
        sounds_->play(CameraSounds::TimerTick);
    NotificationCenter::defaultCenter()->post(CaptureWillUpdateTimer, nullptr, {{InfoKeys::Timer, count_}});
    if (count_ == 0) {
        if (snapshotTimer_)
            snapshotTimer_->stop();
        snapshot();
    }
}

void LumoActionController::snapshot()
{
    const LiveFrame frame = currentFrame();
    const QImage image = frame.render();
    NotificationCenter *center = NotificationCenter::defaultCenter();
    if (image.isNull()) {
        // Nothing has been shown yet, so there is nothing to save; or the frame shown is damaged
        // where it was not decoded for the screen (outside the zoomed part).
        const QString message = frame.isNull()
                                    ? tr("No picture to take yet: the camera has not shown a frame.")
                                    : tr("The camera sent a damaged picture, so no photo was taken. Take "
                                         "the photo again.");
        LUMO_LOG("%s", qPrintable(message));
        center->post(PhotoSaveDidFail, nullptr, {{InfoKeys::Message, message}});
        center->post(CaptureDidInvalidateTimer); // a countdown ends whatever its photo became
        return;
    }
    center->post(AppWillSnapshot, nullptr, {{InfoKeys::Image, image}});
    if (shouldPlayShutterSound_)
        sounds_->play(CameraSounds::Shutter);
    CameraPtr camera = currentCamera();
    QPointer<LumoActionController> self = this;
    writer_->saveAsync(image, camera ? camera->model() : QString(), [self](const PhotoResult &result) {
        if (self)
            self->photoDidSave(result);
    });
    center->post(CaptureViewWillFeedback);
}

void LumoActionController::photoDidSave(const PhotoResult &result)
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    if (!result.ok) {
        LUMO_LOG("photo not saved: %s", qPrintable(result.error));
        center->post(PhotoSaveDidFail, nullptr, {{InfoKeys::Message, result.error}});
    } else {
        LUMO_LOG("photo saved: %s", qPrintable(result.path));
        center->post(FileDidCreate, nullptr, {{InfoKeys::FileURL, QUrl::fromLocalFile(result.path)}});
    }
    center->post(CaptureDidInvalidateTimer);
}

void LumoActionController::waitForSaves()
{
    writer_->waitForSaves();
}

// --- Focus -------------------------------------------------------------------------------------

void LumoActionController::velmarWillBeginAutoFocus(const Notification &)
{
    isAutoFocus_ = true;
}

void LumoActionController::velmarDidBeginFocus(const Notification &)
{
    NotificationCenter::defaultCenter()->post(CaptureFocusWillBegin);
    if (shouldPlayFocusSound_ && !isAutoFocus_)
        sounds_->play(CameraSounds::ServoAutoFocus);
}

void LumoActionController::velmarDidEndFocus(const Notification &)
{
    NotificationCenter::defaultCenter()->post(CaptureFocusWillEnd);
    if (!shouldPlayFocusSound_)
        return;
    if (!isAutoFocus_)
        sounds_->play(CameraSounds::FocusBeep);
    isAutoFocus_ = false;
}

void LumoActionController::velmarDidSetToSingleFocus(const Notification &)
{
    NotificationCenter::defaultCenter()->post(CaptureFocusDidSetSingle);
}

void LumoActionController::velmarDidSetToContinueFocus(const Notification &)
{
    NotificationCenter::defaultCenter()->post(CaptureFocusDidSetContinous);
}

void LumoActionController::velmarDidPressCustomButton(const Notification &)
{
    // Zoom, exposure and mirror are steps of the camera-mode controls, which apply, show and
    // save them as a choice in the toolbar; this only asks for them.
    NotificationCenter *center = NotificationCenter::defaultCenter();
    switch (programmableKeyFunc_) {
    case FocusAgain:
        if (CameraPtr camera = currentCamera())
            camera->focusAgain();
        break;
    case ZoomStep:
        center->post(CaptureWillDigitalZoom);
        break;
    case ExposureStep:
        center->post(CaptureViewWillUpdateExposure);
        break;
    case Mirror:
        center->post(CaptureWillMirror);
        break;
    default:
        break;
    }
}

// --- Preferences -------------------------------------------------------------------------------

void LumoActionController::programKeyFunctionDidChange(const Notification &n)
{
    programmableKeyFunc_ = n.userInfo.value(DefaultsKeys::ProgramKeyFunction).toInt();
}

void LumoActionController::photoNameFormatSelDidChange(const Notification &n)
{
    shouldUseCustPrefix_ = n.userInfo.value(DefaultsKeys::PhotoNameFormatSel).toInt() != 0;
    custPrefix_ = n.userInfo.value(DefaultsKeys::PhotoNameFormatSelPrefix).toString();
    applyPhotoSettings();
}

void LumoActionController::photoLibraryLocationDidChange(const Notification &n)
{
    baseDir_ = n.userInfo.value(DefaultsKeys::PhotoLibraryLocation).toString();
    applyPhotoSettings();
}

void LumoActionController::snapshotSoundEffectDidChange(const Notification &n)
{
    shouldPlayShutterSound_ = n.userInfo.value(DefaultsKeys::SnapshotSoundEffectSwitch).toBool();
}

void LumoActionController::focusSoundEffectDidChange(const Notification &n)
{
    shouldPlayFocusSound_ = n.userInfo.value(DefaultsKeys::FocusSoundEffectSwitch).toBool();
}
