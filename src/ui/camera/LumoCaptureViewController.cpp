#include "LumoCaptureViewController.h"

#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/MainThread.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "ui/camera/CaptureView.h"

#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace {

constexpr QSize InitialResolution(1280, 960);
// A running stream that has shown nothing for longer than this stands still.
constexpr std::chrono::milliseconds StallAge{1000};

uint32_t packSize(const QSize &size)
{
    return uint32_t(size.width() & 0xffff) << 16 | uint32_t(size.height() & 0xffff);
}

QSize unpackSize(uint32_t packed)
{
    return QSize(int(packed >> 16), int(packed & 0xffff));
}

} // namespace

LumoCaptureViewController::LumoCaptureViewController(CaptureBackend *backend, CameraProvider currentCamera,
                                                     QObject *parent)
    : QObject(parent), backend_(backend), currentCamera_(std::move(currentCamera)),
      resolution_(packSize(InitialResolution))
{
    setPan({0.5, 0.5});
    connect(&freeze_, &PictureFreeze::frozenChanged, this, [this](bool frozen) {
        if (captureView_)
            captureView_->setFrozen(frozen);
    });
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, NotificationNames::CameraWillChange,
                        [this](const Notification &n) { deviceWillChange(n); });
    center->addObserver(this, NotificationNames::CameraDidChange,
                        [this](const Notification &n) { deviceDidChange(n); });
}

LumoCaptureViewController::~LumoCaptureViewController()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    stop();
}

void LumoCaptureViewController::setCaptureViewContainer(QWidget *container)
{
    container_ = container;
}

CaptureView *LumoCaptureViewController::captureView() const
{
    return captureView_;
}

CameraPtr LumoCaptureViewController::currentCamera() const
{
    return currentCamera_ ? currentCamera_() : nullptr;
}

bool LumoCaptureViewController::isRunning() const
{
    return device_ && device_->isRunning();
}

QSize LumoCaptureViewController::resolution() const
{
    return unpackSize(resolution_);
}

int64_t LumoCaptureViewController::now() const
{
    return clock_().time_since_epoch().count();
}

QSize LumoCaptureViewController::lastFrameSize() const
{
    return unpackSize(lastFrameSize_);
}

bool LumoCaptureViewController::watchdogArmed() const
{
    return watchdogTimer_ != nullptr;
}

void LumoCaptureViewController::start()
{
    if (isRunning())
        return;
    CameraPtr camera = currentCamera();
    if (!camera || !backend_)
        return;
    const QString uniqueId = camera->captureDeviceLocationId();
    LUMO_LOG("Search Device: %s", qPrintable(uniqueId));
    if (device_) {
        device_->stopRunning();
        device_->close();
    }
    device_ = backend_->deviceWithUniqueID(uniqueId);
    if (!device_)
        return;
    CaptureDevice::Error error;
    if (!device_->open(&error)) {
        device_.reset();
        presentError(error);
        return;
    }
    LUMO_LOG("open device: %s", qPrintable(uniqueId));

    if (container_ && !captureView_) {
        captureView_ = new CaptureView(container_);
        if (!container_->layout()) {
            auto *layout = new QVBoxLayout(container_);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        container_->layout()->addWidget(captureView_);
        captureView_->show();
    }
    frameView_ = captureView_.data();

    device_->setFrameCallback([this](const FramePayload &payload) { willDisplayImage(payload); });
    // A stream that ends by itself (camera unplugged, I/O error) is reported from the frame
    // thread; the user hears of it on the main thread.
    QPointer<LumoCaptureViewController> self = this;
    device_->setErrorCallback([self](const CaptureDevice::Error &error) {
        runOnMainThread([self, error] {
            if (!self)
                return;
            self->freeze_.release(); // the held page is not under this camera any more
            self->presentError(error);
        });
    });
    {
        std::lock_guard<std::mutex> lock(camera->objectLock());
        device_->setFrameSize(resolution());
    }
    streamStartedAt_ = now();
    awaitingFirstFrame_ = true;
    if (!device_->startRunning(&error)) {
        presentError(error);
        return;
    }

    if (watchdogTimer_)
        return;
    watchedFrameCount_ = frameCount_;
    watchdogTimer_ = new QTimer(this);
    connect(watchdogTimer_, &QTimer::timeout, this, &LumoCaptureViewController::watchdogProc);
    watchdogTimer_->start(Delays::scaled(Delays::CaptureWatchdog));
}

void LumoCaptureViewController::stop()
{
    LUMO_LOG("stop");
    freeze_.release();
    if (device_) {
        device_->stopRunning();
        device_->close();
        device_.reset();
        // The last frame shown is no longer a picture to save: published without an image,
        // after the stream has stopped, so no frame of the old stream can follow it.
        NotificationCenter::defaultCenter()->post(NotificationNames::WillDisplayImage, this);
    }
    frameView_ = nullptr;
    if (captureView_) {
        delete captureView_;
        captureView_ = nullptr;
    }
    delete watchdogTimer_;
    watchdogTimer_ = nullptr;
}

void LumoCaptureViewController::pause()
{
    LUMO_LOG("pause");
    paused_ = true;
    if (!framesWanted_)
        haltStream();
}

void LumoCaptureViewController::resume()
{
    LUMO_LOG("resume");
    paused_ = false;
    runStream();
}

void LumoCaptureViewController::setFramesWanted(bool wanted)
{
    framesWanted_ = wanted;
    if (wanted)
        runStream();
    else if (paused_)
        haltStream();
}

void LumoCaptureViewController::runStream()
{
    if (!device_ || device_->isRunning())
        return;
    streamStartedAt_ = now();
    awaitingFirstFrame_ = true;
    CaptureDevice::Error error;
    if (!device_->startRunning(&error))
        presentError(error);
}

void LumoCaptureViewController::haltStream()
{
    if (!isRunning())
        return;
    device_->stopRunning();
    // As on stop: published once no frame of the stream can follow.
    NotificationCenter::defaultCenter()->post(NotificationNames::WillDisplayImage, this);
}

void LumoCaptureViewController::restart()
{
    stop();
    QTimer::singleShot(Delays::scaled(Delays::CaptureRestart), this, [this] { start(); });
}

bool LumoCaptureViewController::setFrozen(bool frozen)
{
    if (!frozen) {
        freeze_.release();
        return true;
    }
    if (!captureView_ || !isRunning())
        return false;
    return freeze_.freeze(captureView_->frame());
}

void LumoCaptureViewController::setResolution(const QSize &size)
{
    sizeSettled_ = true;
    const bool changed = size != resolution();
    // Frames of another size follow: the held one would not be a picture of this stream.
    if (changed)
        freeze_.release();
    applyFrameSize(size);
    setPan(pan());
    if (changed)
        emit resolutionChanged(FrameTransform::turned(size, quarterTurns_));
}

void LumoCaptureViewController::setZoom(float zoom)
{
    zoom_ = zoom;
    setPan(pan());
}

QPointF LumoCaptureViewController::pan() const
{
    const uint64_t packed = pan_;
    float x, y;
    const auto low = uint32_t(packed), high = uint32_t(packed >> 32);
    std::memcpy(&x, &low, sizeof x);
    std::memcpy(&y, &high, sizeof y);
    return {x, y};
}

void LumoCaptureViewController::setPan(const QPointF &pan)
{
    const QSize size = resolution();
    const QPointF kept = FrameTransform::clampedPan(size, size, zoom_, pan);
    const float x = float(kept.x()), y = float(kept.y());
    uint32_t low, high;
    std::memcpy(&low, &x, sizeof low);
    std::memcpy(&high, &y, sizeof high);
    pan_ = uint64_t(high) << 32 | low;
}

void LumoCaptureViewController::setQuarterTurns(int turns)
{
    turns = ((turns % 4) + 4) % 4;
    const int was = quarterTurns_.exchange(turns);
    // A quarter turn swaps the picture's width and height: the window takes the new shape.
    if (was % 2 != turns % 2)
        emit resolutionChanged(FrameTransform::turned(resolution(), turns));
}

void LumoCaptureViewController::applyFrameSize(const QSize &size)
{
    resolution_ = packSize(size);
    if (!device_)
        return;
    CameraPtr camera = currentCamera();
    if (camera) {
        std::lock_guard<std::mutex> lock(camera->objectLock());
        device_->setFrameSize(size);
    } else {
        device_->setFrameSize(size);
    }
}

void LumoCaptureViewController::watchdogProc()
{
    if (frameCount_ != watchedFrameCount_) {
        watchedFrameCount_ = frameCount_;
        return;
    }
    // Nothing shown since the last tick. The count is left as it was, so a stream that stays
    // stalled is kicked again at every tick.
    LUMO_LOG("video freezed!");
    if (isRunning()) {
        LUMO_LOG("reset resolution");
        applyFrameSize(resolution());
    }
}

bool LumoCaptureViewController::checkStall()
{
    const int64_t last = std::max<int64_t>(lastFrameAt_, streamStartedAt_);
    const bool stalled =
        isRunning()
        && now() - last > std::chrono::duration_cast<LiveFrame::TimePoint::duration>(StallAge).count();
    if (stalled && captureView_)
        captureView_->setStalled(true);
    return stalled;
}

void LumoCaptureViewController::deviceWillChange(const Notification &)
{
    stop();
    // The next camera streams at this size until its own settings set the resolution.
    sizeSettled_ = false;
    // Another page under another camera: its zoomed part starts in the middle.
    setPan({0.5, 0.5});
}

void LumoCaptureViewController::deviceDidChange(const Notification &)
{
    start();
}

void LumoCaptureViewController::willDisplayImage(const FramePayload &payload)
{
    LiveFrame::Transform transform;
    transform.zoom = zoom_;
    transform.hFlipped = hFlipped_;
    transform.vFlipped = vFlipped_;
    transform.quarterTurns = quarterTurns_;
    transform.outputSize = resolution();
    transform.pan = pan();
    const QSize requested = sizeSettled_ ? transform.outputSize : QSize();
    CaptureView *view = frameView_;
    // Zoom and mirroring travel with the frame: the view applies them as it paints, a snapshot
    // when it takes the frame. Only what the view shows is decoded, and nothing while the
    // picture is frozen: the held frame stands in for the one the camera sent.
    const LiveFrame::TimePoint shownAt = clock_();
    LiveFrame frame = freeze_.frameWith(transform);
    if (frame.isNull())
        frame = decoder_.decode(payload, transform, view ? view->areaSize() : QSize());
    frame = frame.stamped(shownAt, requested);
    if (frame.isNull())
        return; // a damaged frame: dropped
    lastFrameAt_ = shownAt.time_since_epoch().count();

    QVariantMap userInfo;
    userInfo.insert(NotificationNames::InfoKeys::Image, QVariant::fromValue(frame));
    NotificationCenter::defaultCenter()->post(NotificationNames::WillDisplayImage, this, userInfo);
    lastFrameSize_ = packSize(frame.shownSize());
    ++frameCount_;
    if (view)
        view->setFrame(frame);
    if (awaitingFirstFrame_.exchange(false)) {
        LUMO_LOG("first frame decoded: %dx%d", frame.shownSize().width(), frame.shownSize().height());
        emit firstFrameShown();
    }
}

void LumoCaptureViewController::presentError(const CaptureDevice::Error &error)
{
    LUMO_LOG("capture device error: %s", qPrintable(error.description));
    if (presentError_)
        presentError_(error);
}
