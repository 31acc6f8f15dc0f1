#include "V4l2ControlChannel.h"

#include "capture/linux/V4l2NodeLookup.h"
#include "core/LumoLog.h"
#include "device/UvcControl.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>

namespace {

constexpr uint32_t HundredNanosecondsPerSecond = 10000000;

// Processing-unit selectors and the V4L2 controls uvcvideo exposes for them. The value length
// is the UVC one: a request of another length does not fit the control.
struct ControlMapping {
    uint8_t selector;
    uint32_t id;
    uint16_t length;
    bool isSigned;
};

constexpr ControlMapping ControlMappings[] = {
    {UvcPuBacklightCompensation, V4L2_CID_BACKLIGHT_COMPENSATION, 2, false},
    {UvcPuBrightness, V4L2_CID_BRIGHTNESS, 2, false},
    {UvcPuContrast, V4L2_CID_CONTRAST, 2, false},
    // A menu whose indexes are the UVC values: 0 disabled, 1 50 Hz, 2 60 Hz, 3 auto.
    {UvcPuPowerLineFrequency, V4L2_CID_POWER_LINE_FREQUENCY, 1, false},
    {UvcPuHue, V4L2_CID_HUE, 2, true},
    {UvcPuSaturation, V4L2_CID_SATURATION, 2, false},
    {UvcPuSharpness, V4L2_CID_SHARPNESS, 2, false},
    {UvcPuGamma, V4L2_CID_GAMMA, 2, false},
    {UvcPuWhiteBalanceTemperature, V4L2_CID_WHITE_BALANCE_TEMPERATURE, 2, false},
    {UvcPuWhiteBalanceTemperatureAuto, V4L2_CID_AUTO_WHITE_BALANCE, 1, false},
};

const ControlMapping *mappingFor(uint8_t selector)
{
    for (const ControlMapping &mapping : ControlMappings) {
        if (mapping.selector == selector)
            return &mapping;
    }
    return nullptr;
}

// Class requests of the camera's video-control and video-streaming interfaces, carried out on
// its V4L2 capture node. Thread: any; calls are serialised.
//
// The capture back end owns the node's format while it streams: a commit then fails (the
// driver answers EBUSY) and is reported as refused; the frame size is chosen by the capture
// back end instead.
class V4l2ControlChannel : public UsbControlChannel {
public:
    V4l2ControlChannel(int fd, V4l2Io &io) : io_(io), fd_(fd) {}

    ~V4l2ControlChannel() override { io_.close(fd_); }

    int send(const Request &request) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (gone_)
            return NotResponding;
        if (!uvcIsWellFormedRequest(request))
            return Refused;
        auto *data = static_cast<uint8_t *>(request.data);
        switch (request.wIndex & 0xFF) {
        case 0:
            return control(request, data);
        case UvcStreamingInterface:
            return streaming(request, data);
        default:
            return Refused;
        }
    }

private:
    // The result of a failed ioctl: a device that went away or stopped answering is not
    // responding (for good once it is gone); anything else is a refusal.
    int failure(int error)
    {
        switch (error) {
        case ENODEV:
        case ENXIO:
        case ESHUTDOWN:
            gone_ = true;
            return NotResponding;
        case ETIMEDOUT:
        case EIO:
            return NotResponding;
        default:
            return Refused;
        }
    }

    int control(const Request &request, uint8_t *data)
    {
        const ControlMapping *mapping = mappingFor(request.wValue >> 8);
        if ((request.wIndex >> 8) != UvcProcessingUnit || !mapping || request.wLength != mapping->length)
            return Refused;

        switch (request.bRequest) {
        case UvcGetMin:
        case UvcGetMax:
        case UvcGetDef: {
            v4l2_queryctrl query{};
            query.id = mapping->id;
            if (io_.ioctl(fd_, VIDIOC_QUERYCTRL, &query) == -1)
                return failure(errno);
            if (query.flags & V4L2_CTRL_FLAG_DISABLED)
                return Refused;
            const int32_t value = request.bRequest == UvcGetMin   ? query.minimum
                                  : request.bRequest == UvcGetMax ? query.maximum
                                                                  : query.default_value;
            uvcEncodeValue(value, data, mapping->length);
            return Ok;
        }
        case UvcGetCur: {
            v4l2_control control{};
            control.id = mapping->id;
            if (io_.ioctl(fd_, VIDIOC_G_CTRL, &control) == -1)
                return failure(errno);
            uvcEncodeValue(control.value, data, mapping->length);
            return Ok;
        }
        case UvcSetCur: {
            v4l2_control control{};
            control.id = mapping->id;
            control.value = uvcDecodeValue(data, mapping->length, mapping->isSigned);
            if (io_.ioctl(fd_, VIDIOC_S_CTRL, &control) == -1)
                return failure(errno);
            return Ok;
        }
        default:
            return Refused;
        }
    }

    int streaming(const Request &request, uint8_t *data)
    {
        const uint8_t selector = request.wValue >> 8;
        if ((request.wIndex >> 8) != 0 || request.wLength != UvcProbeCommitLength
            || (selector != UvcProbeControl && selector != UvcCommitControl))
            return Refused;

        UvcProbeCommitBlock block;
        switch (request.bRequest) {
        case UvcSetCur:
            std::copy(data, data + UvcProbeCommitLength, block.begin());
            if (selector == UvcProbeControl) {
                probe_ = block;
                return Ok;
            }
            return commit(block);
        case UvcGetCur:
            block = selector == UvcProbeControl ? negotiated(probe_) : commit_;
            break;
        case UvcGetDef:
            if (selector != UvcProbeControl)
                return Refused;
            block = negotiated(UvcProbeCommitBlock{});
            break;
        default:
            return Refused;
        }
        std::copy(block.begin(), block.end(), data);
        return Ok;
    }

    // The probe as the camera would settle it: a frame of the table (the first one when the
    // index is unknown) at the table's rate.
    static UvcProbeCommitBlock negotiated(UvcProbeCommitBlock block)
    {
        int index = uvcProbeFrameIndex(block.data());
        if (index < 1 || index >= UvcFrameIndexCount) {
            index = 1;
            uvcSetProbeFrameIndex(block.data(), uint8_t(index));
        }
        if (block[UvcProbeFormatIndexOffset] == 0)
            block[UvcProbeFormatIndexOffset] = UvcFormatIndex;
        uvcSetProbeFrameInterval(block.data(), uvcFrameInterval(gSupportFrameIdx[index].frameRate));
        return block;
    }

    // Applies the committed frame size (MJPEG, which the cameras deliver at every size) and
    // frame interval to the node.
    int commit(const UvcProbeCommitBlock &block)
    {
        const int index = uvcProbeFrameIndex(block.data());
        if (index < 1 || index >= UvcFrameIndexCount)
            return Refused;
        const UvcFrameSize &frame = gSupportFrameIdx[index];

        v4l2_format format{};
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        format.fmt.pix.width = frame.width;
        format.fmt.pix.height = frame.height;
        format.fmt.pix.pixelformat = V4L2_PIX_FMT_MJPEG;
        format.fmt.pix.field = V4L2_FIELD_ANY;
        if (io_.ioctl(fd_, VIDIOC_S_FMT, &format) == -1)
            return failure(errno);
        if (format.fmt.pix.width != frame.width || format.fmt.pix.height != frame.height)
            return Refused;

        uint32_t interval = uvcProbeFrameInterval(block.data());
        if (interval == 0)
            interval = uvcFrameInterval(frame.frameRate);
        v4l2_streamparm parm{};
        parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        parm.parm.capture.timeperframe.numerator = interval;
        parm.parm.capture.timeperframe.denominator = HundredNanosecondsPerSecond;
        if (io_.ioctl(fd_, VIDIOC_S_PARM, &parm) == -1)
            return failure(errno);

        commit_ = block;
        return Ok;
    }

    std::mutex mutex_;
    V4l2Io &io_;
    const int fd_;
    bool gone_ = false;
    UvcProbeCommitBlock probe_{};
    UvcProbeCommitBlock commit_{};
};

} // namespace

std::unique_ptr<UsbControlChannel> openV4l2ControlChannel(const QString &uniqueId, V4l2Io &io)
{
    const QString node = V4l2NodeLookup::captureNodeFor(uniqueId, io);
    if (node.isEmpty())
        return nullptr;
    const int fd = io.open(node.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1)
        return nullptr;
    LUMO_LOG("video control through %s", qPrintable(node));
    return std::make_unique<V4l2ControlChannel>(fd, io);
}
