#include "V4l2ControlChannel.h"

#include "core/LumoLog.h"
#include "device/UvcControl.h"

#include <QByteArray>
#include <QtEndian>

#include <libudev.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/ioctl.h>
#include <unistd.h>

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

int xioctl(int fd, unsigned long request, void *arg)
{
    int result;
    do {
        result = ::ioctl(fd, request, arg);
    } while (result == -1 && errno == EINTR);
    return result;
}

uint32_t captureCaps(const v4l2_capability &cap)
{
    return (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
}

// Class requests of the camera's video-control and video-streaming interfaces, carried out on
// its V4L2 capture node. Thread: any; calls are serialised.
//
// The capture back end owns the node's format while it streams: a commit then fails (the
// driver answers EBUSY) and is reported as refused; the frame size is chosen by the capture
// back end instead.
class V4l2ControlChannel : public UsbControlChannel {
public:
    explicit V4l2ControlChannel(int fd)
        : fd_(fd)
    {
    }

    ~V4l2ControlChannel() override { ::close(fd_); }

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
        if ((request.wIndex >> 8) != UvcProcessingUnit || !mapping
            || request.wLength != mapping->length)
            return Refused;

        switch (request.bRequest) {
        case UvcGetMin:
        case UvcGetMax:
        case UvcGetDef: {
            v4l2_queryctrl query{};
            query.id = mapping->id;
            if (xioctl(fd_, VIDIOC_QUERYCTRL, &query) == -1)
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
            if (xioctl(fd_, VIDIOC_G_CTRL, &control) == -1)
                return failure(errno);
            uvcEncodeValue(control.value, data, mapping->length);
            return Ok;
        }
        case UvcSetCur: {
            v4l2_control control{};
            control.id = mapping->id;
            control.value = uvcDecodeValue(data, mapping->length, mapping->isSigned);
            if (xioctl(fd_, VIDIOC_S_CTRL, &control) == -1)
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
        if (xioctl(fd_, VIDIOC_S_FMT, &format) == -1)
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
        if (xioctl(fd_, VIDIOC_S_PARM, &parm) == -1)
            return failure(errno);

        commit_ = block;
        return Ok;
    }

    std::mutex mutex_;
    const int fd_;
    bool gone_ = false;
    UvcProbeCommitBlock probe_{};
    UvcProbeCommitBlock commit_{};
};

// Opens `node` and keeps it when it captures video (a UVC camera also has a metadata node).
int openCaptureNode(const char *node)
{
    const int fd = ::open(node, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1)
        return -1;
    v4l2_capability cap{};
    if (xioctl(fd, VIDIOC_QUERYCAP, &cap) == 0 && (captureCaps(cap) & V4L2_CAP_VIDEO_CAPTURE))
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

std::unique_ptr<UsbControlChannel> openV4l2ControlChannel(const QString &usbDevice)
{
    udev *context = udev_new();
    if (!context)
        return nullptr;
    const QByteArray wanted = usbDevice.toLocal8Bit();
    udev_enumerate *enumerate = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(enumerate, "video4linux");
    udev_enumerate_scan_devices(enumerate);

    int fd = -1;
    udev_list_entry *entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate))
    {
        if (fd != -1)
            break;
        udev_device *device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        // The parent is owned by `device`.
        udev_device *usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
        const char *node = udev_device_get_devnode(device);
        if (usb && node && wanted == udev_device_get_syspath(usb)) {
            fd = openCaptureNode(node);
            if (fd != -1)
                LUMO_LOG("video control through %s", node);
        }
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    udev_unref(context);

    if (fd == -1)
        return nullptr;
    return std::make_unique<V4l2ControlChannel>(fd);
}
