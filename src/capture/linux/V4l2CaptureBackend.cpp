#include "V4l2CaptureBackend.h"

#include "V4l2CaptureDevice.h"
#include "core/LumoLog.h"
#include "device/DeviceInfo.h"
#include "device/LumoCamera.h"

#include <algorithm>
#include <fcntl.h>
#include <libudev.h>
#include <linux/videodev2.h>
#include <memory>
#include <vector>

namespace {

struct UdevDeleter {
    void operator()(udev *handle) const { udev_unref(handle); }
    void operator()(udev_enumerate *handle) const { udev_enumerate_unref(handle); }
    void operator()(udev_device *handle) const { udev_device_unref(handle); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

QString sysattr(udev_device *device, const char *name)
{
    const char *value = udev_device_get_sysattr_value(device, name);
    return value ? QString::fromLatin1(value).trimmed() : QString();
}

struct NodeCandidate {
    QString node;
    int index; // the node's number among its device's nodes: 0 for pictures on UVC cameras
};

} // namespace

V4l2CaptureBackend::V4l2CaptureBackend(V4l2Io &io)
    : io_(io)
{
}

QString V4l2CaptureBackend::uniqueIdFrom(unsigned busNumber, const QString &devpath,
                                         uint32_t vendorId, uint32_t productId)
{
    return LumoCamera::makeCaptureDeviceLocationId(locationIdFrom(busNumber, devpath), vendorId,
                                                   productId);
}

std::unique_ptr<CaptureDevice> V4l2CaptureBackend::deviceWithUniqueID(const QString &uniqueId)
{
    const QString node = videoNodeFor(uniqueId);
    LUMO_LOG("video node of %s: %s", qPrintable(uniqueId),
             node.isEmpty() ? "none" : qPrintable(node));
    if (node.isEmpty())
        return nullptr;
    return std::make_unique<V4l2CaptureDevice>(node, io_);
}

QString V4l2CaptureBackend::videoNodeFor(const QString &uniqueId) const
{
    UdevPtr<udev> context(udev_new());
    if (!context)
        return {};
    UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(context.get()));
    if (!enumerate)
        return {};
    udev_enumerate_add_match_subsystem(enumerate.get(), "video4linux");
    udev_enumerate_scan_devices(enumerate.get());

    std::vector<NodeCandidate> candidates;
    udev_list_entry *entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        UdevPtr<udev_device> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device)
            continue;
        const char *devnode = udev_device_get_devnode(device.get());
        // Borrowed from `device`, which keeps its parents alive.
        udev_device *usb =
            udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device");
        if (!devnode || !usb)
            continue;
        bool busOk = false, vendorOk = false, productOk = false;
        const unsigned bus = sysattr(usb, "busnum").toUInt(&busOk);
        const uint32_t vendor = sysattr(usb, "idVendor").toUInt(&vendorOk, 16);
        const uint32_t product = sysattr(usb, "idProduct").toUInt(&productOk, 16);
        if (!busOk || !vendorOk || !productOk)
            continue;
        const QString id = uniqueIdFrom(bus, sysattr(usb, "devpath"), vendor, product);
        if (id.compare(uniqueId, Qt::CaseInsensitive) != 0)
            continue;
        bool indexOk = false;
        const int index = sysattr(device.get(), "index").toInt(&indexOk);
        candidates.push_back({QString::fromLocal8Bit(devnode), indexOk ? index : 0});
    }

    std::sort(candidates.begin(), candidates.end(),
              [](const NodeCandidate &a, const NodeCandidate &b) {
                  return a.index != b.index ? a.index < b.index : a.node < b.node;
              });
    QString unasked;
    for (const NodeCandidate &candidate : candidates) {
        switch (nodeKind(candidate.node)) {
        case NodeKind::Capture:
            return candidate.node;
        case NodeKind::Unknown:
            if (unasked.isEmpty())
                unasked = candidate.node;
            break;
        case NodeKind::Other:
            break;
        }
    }
    return unasked;
}

V4l2CaptureBackend::NodeKind V4l2CaptureBackend::nodeKind(const QString &node) const
{
    const int fd = io_.open(node.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NodeKind::Unknown;
    v4l2_capability capability{};
    const int result = io_.ioctl(fd, VIDIOC_QUERYCAP, &capability);
    io_.close(fd);
    if (result < 0)
        return NodeKind::Unknown;
    const uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps
                                                                           : capability.capabilities;
    return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING) ? NodeKind::Capture
                                                                            : NodeKind::Other;
}
