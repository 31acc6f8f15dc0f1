#include "VirtualCaptureDevice.h"

#include "SyntheticPage.h"
#include "core/Delays.h"
#include "device/virtual/VirtualCamera.h"

#include <algorithm>

VirtualCaptureDevice::VirtualCaptureDevice(std::shared_ptr<VirtualCamera> camera) : camera_(std::move(camera))
{}

VirtualCaptureDevice::~VirtualCaptureDevice()
{
    close();
}

int VirtualCaptureDevice::framesPerSecond(const QSize &size)
{
    return qint64(size.width()) * size.height() > 640 * 480 ? 15 : 30;
}

std::chrono::microseconds VirtualCaptureDevice::frameInterval(const QSize &size)
{
    const double interval = 1e6 / framesPerSecond(size) * Delays::timeScale();
    return std::max(MinFrameInterval, std::chrono::microseconds(qint64(interval)));
}

CaptureDevice::Error VirtualCaptureDevice::disconnectedError() const
{
    return {tr("The camera was disconnected."), tr("Plug the camera in again.")};
}

bool VirtualCaptureDevice::open(Error *error)
{
    if (!camera_->plugged()) {
        if (error)
            *error = {tr("The camera's video could not be opened."),
                      tr("Check that no other program uses the camera, then unplug it and plug "
                         "it in again.")};
        return false;
    }
    open_ = true;
    return true;
}

void VirtualCaptureDevice::close()
{
    stopRunning();
    open_ = false;
}

void VirtualCaptureDevice::setFrameSize(const QSize &size)
{
    std::lock_guard<std::mutex> lock(mutex_);
    frameSize_ = size;
}

QSize VirtualCaptureDevice::frameSize() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frameSize_;
}

bool VirtualCaptureDevice::startRunning(Error *error)
{
    if (streaming_)
        return true;
    stopRunning(); // a stream that ended by itself
    if (!open_) {
        if (error)
            *error = {tr("The camera's video is not open."), tr("Unplug the camera and plug it in again.")};
        return false;
    }
    if (!camera_->plugged()) {
        if (error)
            *error = disconnectedError();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = false;
    }
    streaming_ = true;
    thread_ = std::thread([this] { runFrameLoop(); });
    return true;
}

void VirtualCaptureDevice::stopRunning()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    thread_.join();
    streaming_ = false;
}

void VirtualCaptureDevice::runFrameLoop()
{
    using Clock = std::chrono::steady_clock;
    const QString caption = QStringLiteral("Virtual %1 camera %2, location 0x%3")
                                .arg(camera_->modelName())
                                .arg(camera_->id())
                                .arg(camera_->deviceInfo().locationId, 8, 16, QLatin1Char('0'));
    std::unique_ptr<SyntheticPage> page;
    QImage frame;
    uint64_t number = 0;
    Clock::time_point next = Clock::now();

    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_until(lock, next, [this] { return stopRequested_; })) {
        const QSize size = frameSize_;
        lock.unlock();

        if (!camera_->plugged()) {
            streaming_ = false;
            reportError(disconnectedError());
            return;
        }
        if (!camera_->stalled() && !size.isEmpty()) {
            if (!page || page->size() != size)
                page = std::make_unique<SyntheticPage>(size, caption);
            page->renderFrame(number++, frame);
            deliverFrame(frame);
        }
        // Paced from the planned time, not from now, so the rate holds; a late frame does not
        // bring a burst of catching-up frames after it.
        next = std::max(next + frameInterval(size), Clock::now());

        lock.lock();
    }
}
