#include "V4l2NodeLookup.h"

#include "device/DeviceInfo.h"
#include "device/LumoCamera.h"
#include "device/linux/UdevHandles.h"

#include <algorithm>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <vector>

namespace {

QString sysattr(udev_device *device, const char *name)
{
    const char *value = udev_device_get_sysattr_value(device, name);
    return value ? QString::fromLatin1(value).trimmed() : QString();
}

struct NodeCandidate {
    QString node;
    int index; // the node's number among its device's nodes: 0 for pictures on UVC cameras
};

enum class NodeKind { Capture, Other, Unknown };

NodeKind nodeKind(const QString &node, V4l2Io &io)
{
    const int fd = io.open(node.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NodeKind::Unknown;
    v4l2_capability capability{};
    const int result = io.ioctl(fd, VIDIOC_QUERYCAP, &capability);
    io.close(fd);
    if (result < 0)
        return NodeKind::Unknown;
    const uint32_t caps =
        (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps : capability.capabilities;
    return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING) ? NodeKind::Capture
                                                                          : NodeKind::Other;
}

} // namespace

QString V4l2NodeLookup::uniqueIdFrom(unsigned busNumber, const QString &devpath, uint32_t vendorId,
                                     uint32_t productId)
{
    return LumoCamera::makeCaptureDeviceLocationId(locationIdFrom(busNumber, devpath), vendorId, productId);
}

QString V4l2NodeLookup::captureNodeFor(const QString &uniqueId, V4l2Io &io)
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
        udev_device *usb = udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device");
        if (!devnode)
            continue;
        bool indexOk = false;
        const int index = sysattr(device.get(), "index").toInt(&indexOk);
        QString id;
        if (usb) {
            bool busOk = false, vendorOk = false, productOk = false;
            const unsigned bus = sysattr(usb, "busnum").toUInt(&busOk);
            const uint32_t vendor = sysattr(usb, "idVendor").toUInt(&vendorOk, 16);
            const uint32_t product = sysattr(usb, "idProduct").toUInt(&productOk, 16);
            if (!busOk || !vendorOk || !productOk)
                continue;
            id = uniqueIdFrom(bus, sysattr(usb, "devpath"), vendor, product);
        } else {
            id = nonUsbCaptureId(QString::fromUtf8(udev_device_get_property_value(device.get(), "ID_PATH")),
                                 QString::fromUtf8(udev_device_get_sysname(device.get())),
                                 indexOk ? index : 0);
        }
        if (id.compare(uniqueId, Qt::CaseInsensitive) != 0)
            continue;
        candidates.push_back({QString::fromLocal8Bit(devnode), indexOk ? index : 0});
    }

    std::sort(candidates.begin(), candidates.end(), [](const NodeCandidate &a, const NodeCandidate &b) {
        return a.index != b.index ? a.index < b.index : a.node < b.node;
    });
    QString unasked;
    for (const NodeCandidate &candidate : candidates) {
        switch (nodeKind(candidate.node, io)) {
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
