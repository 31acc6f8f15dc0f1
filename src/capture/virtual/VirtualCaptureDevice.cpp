#include "VirtualCaptureDevice.h"

#include "SyntheticPage.h"
#include "core/Delays.h"
#include "device/virtual/VirtualCamera.h"

#include <libyuv/convert_from_argb.h>
#include <turbojpeg.h>

#include <algorithm>
#include <pthread.h>

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

bool VirtualCaptureDevice::sendsMjpeg(const QSize &size)
{
    return qint64(size.width()) * size.height() > 640 * 480;
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
        readyFilled_ = false;
    }
    streaming_ = true;
    frameThread_ = std::thread([this] { runFrameLoop(); });
    cameraThread_ = std::thread([this] { runCameraLoop(); });
    return true;
}

void VirtualCaptureDevice::stopRunning()
{
    if (!cameraThread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    frameReady_.notify_all();
    cameraThread_.join();
    frameThread_.join();
    streaming_ = false;
}

namespace {

struct TjCompressor {
    tjhandle handle = tjInitCompress();
    ~TjCompressor() { tjDestroy(handle); }
};

template<typename Buffer> void reserve(Buffer &buffer, size_t size)
{
    if (buffer.capacity < size) {
        buffer.bytes.reset(new uint8_t[size]);
        buffer.capacity = size;
    }
}

} // namespace

void VirtualCaptureDevice::runCameraLoop()
{
    using Clock = std::chrono::steady_clock;
    pthread_setname_np(pthread_self(), "vcam-frames");
    const QString caption = QStringLiteral("Virtual %1 camera %2, location 0x%3")
                                .arg(camera_->modelName())
                                .arg(camera_->id())
                                .arg(camera_->deviceInfo().locationId, 8, 16, QLatin1Char('0'));
    std::unique_ptr<SyntheticPage> page;
    QImage frame;
    Buffer filling;
    TjCompressor compressor;
    Clock::time_point next = Clock::now();
    uint64_t &number = nextFrameNumber_;

    std::unique_lock<std::mutex> lock(mutex_);
    if (stoppedAt_ != Clock::time_point())
        number += uint64_t((next - stoppedAt_) / frameInterval(frameSize_));
    while (!wake_.wait_until(lock, next, [this] { return stopRequested_; })) {
        const QSize size = frameSize_;
        lock.unlock();

        if (!camera_->plugged()) {
            {
                std::lock_guard<std::mutex> dropped(mutex_); // no frame follows the error
                readyFilled_ = false;
            }
            streaming_ = false;
            stoppedAt_ = Clock::now();
            reportError(disconnectedError());
            return;
        }
        bool filled = false;
        if (!camera_->stalled() && !size.isEmpty()) {
            if (!page || page->size() != size)
                page = std::make_unique<SyntheticPage>(size, caption);
            page->renderFrame(number++, frame);
            filling.size = size;
            if (sendsMjpeg(size)) {
                // 4:2:2 at a high quality, as document cameras send it.
                filling.format = FramePayload::Format::Mjpeg;
                reserve(filling, tjBufSize(size.width(), size.height(), TJSAMP_422));
                unsigned char *out = filling.bytes.get();
                unsigned long length = filling.capacity;
                filled =
                    tjCompress2(compressor.handle, frame.constBits(), size.width(), int(frame.bytesPerLine()),
                                size.height(), TJPF_BGRX, &out, &length, TJSAMP_422, 90, TJFLAG_NOREALLOC)
                    == 0;
                filling.length = length;
            } else {
                filling.format = FramePayload::Format::Yuyv;
                filling.length = size_t(size.width()) * 2 * size_t(size.height());
                reserve(filling, filling.length);
                filled = libyuv::ARGBToYUY2(frame.constBits(), int(frame.bytesPerLine()), filling.bytes.get(),
                                            size.width() * 2, size.width(), size.height())
                         == 0;
            }
        }
        // Paced from the planned time, not from now, so the rate holds; a late frame does not
        // bring a burst of catching-up frames after it.
        next = std::max(next + frameInterval(size), Clock::now());

        lock.lock();
        if (filled) {
            std::swap(filling, ready_); // an untaken frame is overwritten, as a camera drops it
            readyFilled_ = true;
            frameReady_.notify_one();
        }
    }
    stoppedAt_ = Clock::now();
}

void VirtualCaptureDevice::runFrameLoop()
{
    pthread_setname_np(pthread_self(), "frames");
    Buffer taken;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        frameReady_.wait(lock, [this] { return stopRequested_ || readyFilled_; });
        if (stopRequested_)
            return;
        std::swap(taken, ready_);
        readyFilled_ = false;
        const QSize output = frameSize_;
        lock.unlock();

        FramePayload payload;
        payload.format = taken.format;
        payload.data = taken.bytes.get();
        payload.length = taken.length;
        payload.size = taken.size;
        payload.bytesPerLine = taken.size.width() * 2;
        payload.outputSize = output;
        deliverFrame(payload);

        lock.lock();
    }
}
