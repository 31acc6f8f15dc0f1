#include "LumoActionController.h"

#include "CameraSounds.h"
#include "core/Delays.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <utility>

using namespace NotificationNames;

namespace {

// The self-timer's settings in seconds; 0 is off.
constexpr int ShortTimer = 3;
constexpr int LongTimer = 10;
// A frame shown longer ago than this is not the page under the camera now: the stream stalled.
constexpr std::chrono::milliseconds MaxFrameAge{1000};

} // namespace

LumoActionController::LumoActionController(UserDefaults *defaults, CameraProvider currentCamera,
                                           PhotoWriter::Clock clock, QObject *parent)
    : QObject(parent), defaults_(defaults), currentCamera_(std::move(currentCamera)),
      sounds_(new CameraSounds(this)), writer_(std::make_unique<PhotoWriter>(defaults, std::move(clock))),
      frameWaitMs_(Delays::scaled(Delays::SnapshotFrameWait))
{
    loadDefaults();
    frameWaitTimer_ = new QTimer(this);
    frameWaitTimer_->setSingleShot(true);
    connect(frameWaitTimer_, &QTimer::timeout, this, [this] {
        switch (problemWith(currentFrame())) {
        case FrameProblem::None:
            takePendingSnapshots();
            break;
        case FrameProblem::Missing:
            failPendingSnapshots(tr("No picture to take yet: the camera has not shown a frame."));
            break;
        case FrameProblem::Stale:
            failPendingSnapshots(tr("The camera stopped sending pictures, so no photo was taken."));
            break;
        case FrameProblem::OtherSize:
            failPendingSnapshots(tr("The camera has not switched to the chosen resolution yet, so no "
                                    "photo was taken. Take the photo again."));
            break;
        }
    });
    // The kept frame belongs to the camera that showed it: once the camera changes (or goes),
    // a snapshot has no picture until the new camera shows one. A countdown or a snapshot
    // waiting for a frame would take its photo from the next camera: they end without one.
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, CameraWillChange, [this](const Notification &) {
        setCurrentImage({});
        if (countdownRunning() || pendingSnapshots_ > 0) {
            cancelCountdown();
            failPendingSnapshots(tr("The camera changed, so no photo was taken."));
        }
    });
    center->addObserver(this, CameraDidChange, [this](const Notification &) { setCurrentImage({}); });
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
    for (const char *name :
         {DeviceCacheWillUpdateExposure, DeviceCacheWillUpdateZoomFactor, DeviceCacheWillUpdateTimer})
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
    {
        std::lock_guard<std::mutex> lock(imageMutex_);
        currentFrame_ = frame;
    }
    // A snapshot waiting for a frame gets this one, on the main thread, if it suits.
    if (waiting_ && problemWith(frame) == FrameProblem::None && !completionQueued_.exchange(true))
        QMetaObject::invokeMethod(
            this, [this] { takePendingSnapshots(); }, Qt::QueuedConnection);
}

QImage LumoActionController::currentImage() const
{
    // Keeping a frame costs nothing: it is rendered (decoded whole, zoomed and mirrored) only
    // when a photo takes it.
    return currentFrame().render();
}

void LumoActionController::setCurrentImage(const QImage &image)
{
    // A picture given as such is what the camera shows now, at the size asked for.
    setCurrentFrame(LiveFrame(image, {}).stamped(frameClock_(), image.size()));
}

LumoActionController::FrameProblem LumoActionController::problemWith(const LiveFrame &frame) const
{
    if (frame.isNull())
        return FrameProblem::Missing;
    if (frameClock_() - frame.shownAt() > MaxFrameAge)
        return FrameProblem::Stale;
    if (!frame.hasRequestedSize())
        return FrameProblem::OtherSize;
    return FrameProblem::None;
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

void LumoActionController::cancelCountdown()
{
    if (!countdownRunning())
        return;
    snapshotTimer_->stop();
    count_ = 0;
    LUMO_LOG("self-timer cancelled");
    NotificationCenter::defaultCenter()->post(CaptureDidInvalidateTimer);
}

void LumoActionController::snapshot()
{
    ++pendingSnapshots_;
    // Set before the frame is looked at, so a suitable frame shown meanwhile is not missed.
    waiting_ = true;
    if (takePendingSnapshots() || frameWaitTimer_->isActive())
        return;
    LUMO_LOG("snapshot waits for a frame");
    frameWaitTimer_->start(frameWaitMs_);
    framesWanted_ = true;
    emit framesWanted(true);
}

bool LumoActionController::takePendingSnapshots()
{
    completionQueued_ = false;
    if (pendingSnapshots_ == 0)
        return true;
    const LiveFrame frame = currentFrame();
    if (problemWith(frame) != FrameProblem::None)
        return false;
    const int snapshots = std::exchange(pendingSnapshots_, 0);
    endFrameWait();
    for (int i = 0; i < snapshots; ++i)
        save(frame);
    return true;
}

void LumoActionController::failPendingSnapshots(const QString &message)
{
    const int snapshots = std::exchange(pendingSnapshots_, 0);
    if (snapshots == 0)
        return;
    endFrameWait();
    refuse(message, snapshots);
}

void LumoActionController::endFrameWait()
{
    waiting_ = false;
    frameWaitTimer_->stop();
    if (framesWanted_) {
        framesWanted_ = false;
        emit framesWanted(false);
    }
    emit pendingSnapshotsEnded();
}

void LumoActionController::finishPendingSnapshots()
{
    if (pendingSnapshots_ == 0)
        return;
    // Ends at the latest when the frame wait runs out.
    QEventLoop loop;
    connect(this, &LumoActionController::pendingSnapshotsEnded, &loop, &QEventLoop::quit);
    loop.exec();
}

void LumoActionController::refuse(const QString &message, int snapshots)
{
    for (int i = 0; i < snapshots; ++i)
        LUMO_LOG("snapshot refused: %s", qPrintable(message));
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->post(PhotoSaveDidFail, nullptr, {{InfoKeys::Message, message}});
    center->post(CaptureDidInvalidateTimer); // a countdown ends whatever its photo became
}

void LumoActionController::save(const LiveFrame &frame)
{
    QImage image = frame.render();
    if (!image.isNull() && decorate_)
        image = decorate_(image, frame);
    if (image.isNull()) {
        // The frame is damaged where it was not decoded for the screen (outside the zoomed part).
        refuse(tr("The camera sent a damaged picture, so no photo was taken. Take the photo again."), 1);
        return;
    }
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->post(AppWillSnapshot, nullptr, {{InfoKeys::Image, image}});
    if (shouldPlayShutterSound_)
        sounds_->play(CameraSounds::Shutter);
    CameraPtr camera = currentCamera();
    QPointer<LumoActionController> self = this;
    writer_->saveAsync(image, camera ? camera->model() : QString(), [self](const PhotoResult &result) {
        if (self)
            self->photoDidSave(result);
    });
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
    case Freeze:
        emit freezeToggleRequested();
        break;
    case Record:
        emit recordingToggleRequested();
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
