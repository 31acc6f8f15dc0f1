#include "V4l2CaptureDevice.h"

#include "core/LumoLog.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <pthread.h>
#include <sys/mman.h>

V4l2CaptureDevice::V4l2CaptureDevice(const QString &node, V4l2Io &io) : node_(node), io_(io) {}

V4l2CaptureDevice::~V4l2CaptureDevice()
{
    close();
}

CaptureDevice::Error V4l2CaptureDevice::systemError(const QString &description, const QString &suggestion,
                                                    int errorNumber) const
{
    return {description,
            tr("%1\n\nSystem message: %2 (%3)").arg(suggestion, qt_error_string(errorNumber), node_)};
}

bool V4l2CaptureDevice::open(Error *error)
{
    if (fd_ >= 0)
        return true;
    LUMO_LOG("open %s", qPrintable(node_));
    fd_ = io_.open(node_.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const int errorNumber = errno;
        if (error)
            *error = systemError(tr("The camera's video could not be opened."),
                                 tr("Check that no other program uses the camera, then unplug it "
                                    "and plug it in again."),
                                 errorNumber);
        return false;
    }
    return true;
}

void V4l2CaptureDevice::close()
{
    stopRunning();
    if (fd_ >= 0) {
        io_.close(fd_);
        fd_ = -1;
    }
}

void V4l2CaptureDevice::setFrameSize(const QSize &size)
{
    frameSize_ = size;
    if (!thread_.joinable() || !streaming_)
        return; // a stream that ended by itself takes the size when it is started again
    stopStream();
    Error error;
    if (!startStream(&error))
        reportError(error);
}

bool V4l2CaptureDevice::startRunning(Error *error)
{
    if (thread_.joinable()) {
        if (streaming_)
            return true;
        stopStream(); // ended by a device error: start afresh
    }
    if (fd_ < 0) {
        if (error)
            *error = {tr("The camera's video is not open."), tr("Unplug the camera and plug it in again.")};
        return false;
    }
    return startStream(error);
}

void V4l2CaptureDevice::stopRunning()
{
    if (thread_.joinable())
        stopStream();
}

bool V4l2CaptureDevice::startStream(Error *error)
{
    const QString startFailed = tr("The camera's video could not be started.");
    const QString startSuggestion =
        tr("Check that no other program uses the camera, then unplug it and plug it in again.");
    const auto fail = [&](int errorNumber) {
        releaseBuffers();
        if (error)
            *error = systemError(startFailed, startSuggestion, errorNumber);
        return false;
    };

    const auto chosen = chooseCaptureMode(enumerateCaptureModes(io_, fd_, frameSize_), frameSize_);
    if (!chosen) {
        if (error)
            *error = {tr("The camera offers no picture format that can be shown."),
                      tr("Unplug the camera and plug it in again.")};
        return false;
    }

    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix.width = uint32_t(chosen->size.width());
    format.fmt.pix.height = uint32_t(chosen->size.height());
    format.fmt.pix.pixelformat = chosen->pixelFormat;
    format.fmt.pix.field = V4L2_FIELD_ANY;
    if (io_.ioctl(fd_, VIDIOC_S_FMT, &format) < 0)
        return fail(errno);
    // The driver has the last word on the mode; take what it granted.
    mode_ = {format.fmt.pix.pixelformat, QSize(int(format.fmt.pix.width), int(format.fmt.pix.height))};
    if (!chooseCaptureMode({mode_}, frameSize_))
        return fail(EINVAL);
    bytesPerLine_ = int(format.fmt.pix.bytesperline);
    if (mode_.pixelFormat == V4L2_PIX_FMT_YUYV && bytesPerLine_ < mode_.size.width() * 2)
        bytesPerLine_ = mode_.size.width() * 2;
    outputSize_ = frameSize_;
    LUMO_LOG("stream %s for frames of %dx%d", qPrintable(describeCaptureMode(mode_)), outputSize_.width(),
             outputSize_.height());

    v4l2_requestbuffers request{};
    request.count = BufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (io_.ioctl(fd_, VIDIOC_REQBUFS, &request) < 0)
        return fail(errno);
    if (request.count < 2)
        return fail(ENOMEM);
    for (uint32_t index = 0; index < request.count; ++index) {
        v4l2_buffer buffer{};
        buffer.index = index;
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (io_.ioctl(fd_, VIDIOC_QUERYBUF, &buffer) < 0)
            return fail(errno);
        void *start = io_.mmap(buffer.length, fd_, off_t(buffer.m.offset));
        if (start == MAP_FAILED)
            return fail(errno);
        buffers_.push_back({start, buffer.length});
    }
    for (uint32_t index = 0; index < buffers_.size(); ++index) {
        v4l2_buffer buffer{};
        buffer.index = index;
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (io_.ioctl(fd_, VIDIOC_QBUF, &buffer) < 0)
            return fail(errno);
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (io_.ioctl(fd_, VIDIOC_STREAMON, &type) < 0)
        return fail(errno);

    stopRequested_ = false;
    streaming_ = true;
    thread_ = std::thread([this] { runFrameLoop(); });
    return true;
}

void V4l2CaptureDevice::stopStream()
{
    stopRequested_ = true;
    if (thread_.joinable())
        thread_.join();
    streaming_ = false;
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    io_.ioctl(fd_, VIDIOC_STREAMOFF, &type); // fails harmlessly on a camera that is gone
    releaseBuffers();
}

void V4l2CaptureDevice::releaseBuffers()
{
    for (const MappedBuffer &buffer : buffers_)
        io_.munmap(buffer.start, buffer.length);
    const bool hadBuffers = !buffers_.empty();
    buffers_.clear();
    if (hadBuffers) {
        v4l2_requestbuffers request{};
        request.count = 0;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        io_.ioctl(fd_, VIDIOC_REQBUFS, &request);
    }
    mode_ = {};
}

void V4l2CaptureDevice::failStream(int errorNumber)
{
    LUMO_LOG("stream of %s ended: %s", qPrintable(node_), qPrintable(qt_error_string(errorNumber)));
    streaming_ = false;
    if (errorNumber == ENODEV)
        reportError({tr("The camera was disconnected."), tr("Plug the camera in again.")});
    else
        reportError(systemError(tr("The camera stopped sending pictures."),
                                tr("Unplug the camera and plug it in again."), errorNumber));
}

void V4l2CaptureDevice::runFrameLoop()
{
    pthread_setname_np(pthread_self(), "frames");
    FramePayload payload;
    payload.format =
        mode_.pixelFormat == V4L2_PIX_FMT_MJPEG ? FramePayload::Format::Mjpeg : FramePayload::Format::Yuyv;
    payload.size = mode_.size;
    payload.bytesPerLine = bytesPerLine_;
    payload.outputSize = outputSize_;
    while (!stopRequested_) {
        short revents = 0;
        const int ready = io_.poll(fd_, POLLIN, PollIntervalMs, &revents);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            failStream(errno);
            return;
        }
        if (ready == 0)
            continue;

        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (io_.ioctl(fd_, VIDIOC_DQBUF, &buffer) < 0) {
            const int errorNumber = errno;
            if (errorNumber == EAGAIN && !(revents & (POLLERR | POLLHUP | POLLNVAL)))
                continue;
            // An error condition with nothing to dequeue would poll ready forever.
            failStream(errorNumber == EAGAIN ? EIO : errorNumber);
            return;
        }
        // The callback decodes straight from the mapped buffer; the driver fills the other
        // buffers meanwhile, and gets this one back right after.
        if (buffer.index < buffers_.size() && !(buffer.flags & V4L2_BUF_FLAG_ERROR) && buffer.bytesused > 0) {
            const MappedBuffer &mapped = buffers_[buffer.index];
            payload.data = static_cast<const uint8_t *>(mapped.start);
            payload.length = std::min<size_t>(buffer.bytesused, mapped.length);
            deliverFrame(payload);
        }
        if (io_.ioctl(fd_, VIDIOC_QBUF, &buffer) < 0) {
            failStream(errno);
            return;
        }
    }
}
