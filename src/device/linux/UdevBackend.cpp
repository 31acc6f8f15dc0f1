#include "UdevBackend.h"

#include "EvdevButtonInput.h"
#include "HidrawChannel.h"
#include "UdevHandles.h"
#include "V4l2CameraControls.h"
#include "V4l2ControlChannel.h"
#include "capture/linux/V4l2CaptureMode.h"
#include "capture/linux/V4l2Io.h"
#include "core/LumoLog.h"
#include "device/CameraIds.h"
#include "device/LumoCamera.h"

#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <linux/videodev2.h>

namespace {

constexpr char HidrawSubsystem[] = "hidraw";
constexpr char VideoSubsystem[] = "video4linux";
constexpr char InputSubsystem[] = "input";

QString text(const char *value)
{
    return value ? QString::fromUtf8(value) : QString();
}

// A sysfs attribute of the USB device: idVendor, idProduct and bcdDevice are written in hex
// ("fe11", "0102"), busnum in decimal.
bool numericAttribute(udev_device *device, const char *name, int base, uint32_t *value)
{
    bool ok = false;
    *value = text(udev_device_get_sysattr_value(device, name)).trimmed().toUInt(&ok, base);
    return ok;
}

// Describes a hidraw node whose USB device carries the maker's vendor ID; false for any other
// node (other vendors, HID devices on other buses, a USB device no longer readable).
bool describeCamera(udev_device *hidraw, DeviceInfo *info)
{
    // Owned by `hidraw`; not to be unreferenced.
    udev_device *usb = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device");
    if (!usb)
        return false;
    uint32_t vendor = 0;
    if (!numericAttribute(usb, "idVendor", 16, &vendor) || vendor != CameraIds::VendorId)
        return false;
    uint32_t product = 0;
    uint32_t release = 0;
    uint32_t bus = 0;
    if (!numericAttribute(usb, "idProduct", 16, &product) || !numericAttribute(usb, "bcdDevice", 16, &release)
        || !numericAttribute(usb, "busnum", 10, &bus)) {
        LUMO_LOG("USB device %s of vendor 0x%04x has no readable IDs", udev_device_get_syspath(usb), vendor);
        return false;
    }
    info->key = text(udev_device_get_syspath(hidraw));
    info->vendorId = vendor;
    info->productId = product;
    info->releaseNumber = uint16_t(release);
    info->locationId = locationIdFrom(bus, text(udev_device_get_sysattr_value(usb, "devpath")));
    info->hidNode = text(udev_device_get_devnode(hidraw));
    info->usbDevice = text(udev_device_get_syspath(usb));
    return true;
}

// The capabilities of the node `devnode` itself (VIDIOC_QUERYCAP), or false when it cannot be
// opened or asked; `card` gets the driver's name for the device.
bool queryNodeCaps(const char *devnode, uint32_t *caps, QString *card)
{
    V4l2Io &io = V4l2Io::system();
    const int fd = io.open(devnode, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        LUMO_LOG("video node %s cannot be opened: %s", devnode, strerror(errno));
        return false;
    }
    v4l2_capability capability{};
    const int result = io.ioctl(fd, VIDIOC_QUERYCAP, &capability);
    io.close(fd);
    if (result < 0) {
        LUMO_LOG("video node %s does not say what it can do", devnode);
        return false;
    }
    *caps =
        (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps : capability.capabilities;
    const char *name = reinterpret_cast<const char *>(capability.card);
    *card = QString::fromUtf8(name, int(strnlen(name, sizeof capability.card)));
    return true;
}

int nodeIndex(udev_device *node)
{
    bool ok = false;
    const int index = text(udev_device_get_sysattr_value(node, "index")).trimmed().toInt(&ok);
    return ok ? index : 0;
}

bool capturesVideo(const char *devnode)
{
    uint32_t caps = 0;
    QString card;
    return devnode && queryNodeCaps(devnode, &caps, &card) && (caps & V4L2_CAP_VIDEO_CAPTURE);
}

// Whether another capture node of the USB device `usb` comes before `node`: one USB device is one
// camera, seen through the capture node the capture path streams from (the lowest index, then the
// lowest node name), even when the device has a second video stream.
bool earlierCaptureNodeOfSameDevice(udev_device *node, udev_device *usb)
{
    UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(udev_device_get_udev(node)));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), VideoSubsystem) < 0
        || udev_enumerate_add_match_parent(enumerate.get(), usb) < 0
        || udev_enumerate_scan_devices(enumerate.get()) < 0)
        return false;
    const int index = nodeIndex(node);
    const QString self = text(udev_device_get_devnode(node));
    udev_list_entry *entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        UdevPtr<udev_device> other(
            udev_device_new_from_syspath(udev_device_get_udev(node), udev_list_entry_get_name(entry)));
        const char *devnode = other ? udev_device_get_devnode(other.get()) : nullptr;
        if (!devnode || self == text(devnode))
            continue;
        const int otherIndex = nodeIndex(other.get());
        if ((otherIndex < index || (otherIndex == index && text(devnode) < self)) && capturesVideo(devnode))
            return true;
    }
    return false;
}

// Whether the key bitmap of an input device (its "capabilities/key" attribute: hex words of the
// kernel's unsigned long, the most significant first, as "10000 0 0 0") has `code`.
bool keyBitmapHas(const QString &bitmap, int code)
{
    constexpr int WordBits = int(sizeof(unsigned long) * CHAR_BIT);
    const QStringList words = bitmap.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int word = code / WordBits;
    if (word >= words.size())
        return false;
    bool ok = false;
    const qulonglong bits = words.at(words.size() - 1 - word).toULongLong(&ok, 16);
    return ok && (bits >> (code % WordBits)) & 1;
}

// Whether an evdev node (input subsystem, "eventN") sends the snapshot key of a camera.
bool isCameraKeyNode(udev_device *node)
{
    const char *name = udev_device_get_sysname(node);
    if (!name || strncmp(name, "event", 5) != 0 || !udev_device_get_devnode(node))
        return false;
    // Owned by `node`: the input device (inputN) the event node belongs to.
    udev_device *input = udev_device_get_parent_with_subsystem_devtype(node, InputSubsystem, nullptr);
    return input
           && keyBitmapHas(text(udev_device_get_sysattr_value(input, "capabilities/key")),
                           ButtonInput::CameraKey);
}

QString usbDeviceOf(udev_device *device)
{
    // Owned by `device`.
    udev_device *usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    return usb ? text(udev_device_get_syspath(usb)) : QString();
}

// The sizes and rates the capture node `devnode` streams in MJPEG and YUYV; none when it cannot
// be opened.
QList<LumoCamera::FrameMode> frameModesOfNode(const QString &devnode)
{
    V4l2Io &io = V4l2Io::system();
    const int fd = io.open(devnode.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        LUMO_LOG("video node %s cannot be opened to list its sizes: %s", qPrintable(devnode),
                 strerror(errno));
        return {};
    }
    const std::vector<V4l2FrameSize> sizes = listFrameSizes(io, fd);
    io.close(fd);
    QList<LumoCamera::FrameMode> modes;
    for (const V4l2FrameSize &size : sizes) {
        LumoCamera::FrameMode mode;
        mode.pixelFormat = size.pixelFormat == V4L2_PIX_FMT_MJPEG ? LumoCamera::PixelFormat::Mjpeg
                                                                  : LumoCamera::PixelFormat::Yuyv;
        mode.size = size.size;
        mode.frameRates = QList<uint32_t>(size.frameRates.begin(), size.frameRates.end());
        modes << mode;
    }
    return modes;
}

// Describes a video4linux node that captures video as a camera; false for metadata and output
// nodes, nodes that cannot be asked, a USB device's capture nodes after its first, and the nodes
// of the two models, which are found through their HID interface.
bool describeVideoCamera(udev_device *node, DeviceInfo *info)
{
    const char *devnode = udev_device_get_devnode(node);
    if (!devnode)
        return false;
    // Owned by `node`; not to be unreferenced.
    udev_device *usb = udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device");
    uint32_t vendor = 0, product = 0, release = 0, bus = 0;
    if (usb) {
        if (!numericAttribute(usb, "idVendor", 16, &vendor)
            || !numericAttribute(usb, "idProduct", 16, &product)
            || !numericAttribute(usb, "busnum", 10, &bus)) {
            LUMO_LOG("USB device %s of video node %s has no readable IDs", udev_device_get_syspath(usb),
                     devnode);
            return false;
        }
        if (CameraIds::isFoundThroughHid(vendor, product))
            return false;
        numericAttribute(usb, "bcdDevice", 16, &release);
    }
    uint32_t caps = 0;
    QString card;
    if (!queryNodeCaps(devnode, &caps, &card) || !(caps & V4L2_CAP_VIDEO_CAPTURE))
        return false;
    if (usb && earlierCaptureNodeOfSameDevice(node, usb)) {
        LUMO_LOG("video node %s is a second stream of a camera listed already", devnode);
        return false;
    }

    info->interface = DeviceInfo::Interface::VideoCapture;
    info->key = text(udev_device_get_syspath(node));
    info->videoNode = text(devnode);
    if (usb) {
        info->vendorId = vendor;
        info->productId = product;
        info->releaseNumber = uint16_t(release);
        info->locationId = locationIdFrom(bus, text(udev_device_get_sysattr_value(usb, "devpath")));
        info->usbDevice = text(udev_device_get_syspath(usb));
        info->name = text(udev_device_get_sysattr_value(usb, "product")).trimmed();
        info->uniqueId = LumoCamera::makeCaptureDeviceLocationId(info->locationId, vendor, product);
    } else {
        bool indexOk = false;
        const int index = text(udev_device_get_sysattr_value(node, "index")).trimmed().toInt(&indexOk);
        info->uniqueId = nonUsbCaptureId(text(udev_device_get_property_value(node, "ID_PATH")),
                                         text(udev_device_get_sysname(node)), indexOk ? index : 0);
    }
    if (info->name.isEmpty())
        info->name = card.trimmed();
    return true;
}

// Describes a camera of either kind from the udev device of its hidraw or video4linux node.
bool describeAnyCamera(udev_device *device, DeviceInfo *info)
{
    const char *subsystem = udev_device_get_subsystem(device);
    if (subsystem && strcmp(subsystem, VideoSubsystem) == 0)
        return describeVideoCamera(device, info);
    return describeCamera(device, info);
}

// Cameras through udev: the hidraw nodes of the maker's USB devices, and the video capture nodes
// of every other camera, whose snapshot button is an evdev node of the same USB device. Arrivals
// and removals come from a udev monitor (events as udev announces them once its rules ran, so the
// node exists and has its permissions), read on the thread that started monitoring, the device
// thread.
class UdevBackend : public DeviceBackend {
public:
    UdevBackend() : udev_(udev_new())
    {
        if (!udev_)
            LUMO_LOG("udev_new failed: no cameras can be found");
    }

    ~UdevBackend() override
    {
        // The notifier goes before the monitor's socket is closed.
        notifier_.reset();
    }

    bool startMonitoring(Callbacks callbacks) override
    {
        if (!udev_ || monitor_)
            return false;
        UdevPtr<udev_monitor> monitor(udev_monitor_new_from_netlink(udev_.get(), "udev"));
        if (!monitor
            || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), HidrawSubsystem, nullptr) < 0
            || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), VideoSubsystem, nullptr) < 0
            || udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), InputSubsystem, nullptr) < 0
            || udev_monitor_enable_receiving(monitor.get()) < 0) {
            LUMO_LOG("udev monitor on %s, %s and %s could not be set up", HidrawSubsystem, VideoSubsystem,
                     InputSubsystem);
            return false;
        }
        callbacks_ = std::move(callbacks);
        monitor_ = std::move(monitor);
        notifier_ =
            std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_.get()), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                         [this] { readMonitor(); });
        return true;
    }

    std::vector<DeviceInfo> presentDevices() override
    {
        // The two models first, so that with several cameras plugged one of them stays the one
        // that becomes current.
        std::vector<DeviceInfo> devices;
        for (const char *subsystem : {HidrawSubsystem, VideoSubsystem})
            addPresentDevices(subsystem, &devices);
        return devices;
    }

    std::unique_ptr<HidChannel> openHid(const DeviceInfo &device) override
    {
        return HidrawChannel::open(device.hidNode);
    }

    std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &device) override
    {
        return openV4l2ControlChannel(!device.uniqueId.isEmpty()
                                          ? device.uniqueId
                                          : LumoCamera::makeCaptureDeviceLocationId(
                                              device.locationId, device.vendorId, device.productId));
    }

    // The evdev node of the camera's USB device that sends the snapshot key. A USB camera whose
    // node is not there yet (udev may announce it after the video node) or cannot be opened yet
    // (its permissions come with its own announcement) gets an input that waits: the monitor
    // hands it the node when it arrives.
    std::unique_ptr<ButtonInput> openButtonInput(const DeviceInfo &device) override
    {
        if (device.interface != DeviceInfo::Interface::VideoCapture || device.usbDevice.isEmpty() || !udev_)
            return nullptr;
        auto input = std::make_unique<EvdevButtonInput>();
        UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(udev_.get()));
        if (enumerate && udev_enumerate_add_match_subsystem(enumerate.get(), InputSubsystem) >= 0
            && udev_enumerate_add_match_sysname(enumerate.get(), "event*") >= 0
            && udev_enumerate_scan_devices(enumerate.get()) >= 0) {
            udev_list_entry *entry;
            udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
            {
                UdevPtr<udev_device> node(
                    udev_device_new_from_syspath(udev_.get(), udev_list_entry_get_name(entry)));
                if (node && offer(node.get(), device.usbDevice, input.get()))
                    break;
            }
        }
        waitingInputs_.erase(std::remove_if(waitingInputs_.begin(), waitingInputs_.end(),
                                            [](const WaitingInput &w) { return w.input.isNull(); }),
                             waitingInputs_.end());
        waitingInputs_.push_back({device.usbDevice, input.get()});
        return input;
    }

    QList<LumoCamera::FrameMode> frameModes(const DeviceInfo &device) override
    {
        return device.videoNode.isEmpty() ? QList<LumoCamera::FrameMode>()
                                          : frameModesOfNode(device.videoNode);
    }

    std::unique_ptr<CameraControlChannel> openCameraControls(const DeviceInfo &device) override
    {
        if (device.interface != DeviceInfo::Interface::VideoCapture)
            return nullptr;
        return openV4l2CameraControls(device.videoNode);
    }

private:
    struct WaitingInput {
        QString usbDevice;
        QPointer<EvdevButtonInput> input;
    };

    // Opens the event node `node` for `input` when it belongs to `usbDevice` and sends the
    // snapshot key.
    static bool offer(udev_device *node, const QString &usbDevice, EvdevButtonInput *input)
    {
        return usbDeviceOf(node) == usbDevice && isCameraKeyNode(node)
               && input->open(text(udev_device_get_devnode(node)));
    }

    void inputNodeArrived(udev_device *node)
    {
        const QString usbDevice = usbDeviceOf(node);
        if (usbDevice.isEmpty())
            return;
        for (const WaitingInput &waiting : waitingInputs_) {
            if (waiting.input && !waiting.input->isReading() && waiting.usbDevice == usbDevice
                && offer(node, usbDevice, waiting.input))
                return;
        }
    }

    void addPresentDevices(const char *subsystem, std::vector<DeviceInfo> *devices)
    {
        if (!udev_)
            return;
        UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(udev_.get()));
        if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), subsystem) < 0
            || udev_enumerate_scan_devices(enumerate.get()) < 0) {
            LUMO_LOG("udev enumeration of %s failed", subsystem);
            return;
        }
        udev_list_entry *entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
        {
            UdevPtr<udev_device> device(
                udev_device_new_from_syspath(udev_.get(), udev_list_entry_get_name(entry)));
            DeviceInfo info;
            if (device && describeAnyCamera(device.get(), &info))
                devices->push_back(info);
        }
    }

    void readMonitor()
    {
        // The monitor's socket does not block: this drains what is queued.
        while (UdevPtr<udev_device> device{udev_monitor_receive_device(monitor_.get())}) {
            const char *action = udev_device_get_action(device.get());
            if (!action)
                continue;
            // Input nodes are no cameras: one that arrives may be the button of a camera
            // prepared already; one that goes is noticed by its reader, which stops.
            const char *subsystem = udev_device_get_subsystem(device.get());
            if (subsystem && strcmp(subsystem, InputSubsystem) == 0) {
                // "change" too: a rule installed and triggered gives a present node its access.
                if (strcmp(action, "add") == 0 || strcmp(action, "change") == 0)
                    inputNodeArrived(device.get());
                continue;
            }
            if (strcmp(action, "add") == 0) {
                DeviceInfo info;
                if (describeAnyCamera(device.get(), &info) && callbacks_.arrived)
                    callbacks_.arrived(info);
            } else if (strcmp(action, "remove") == 0) {
                // The USB device may already be gone from sysfs, so its vendor cannot be checked
                // (nor a video node asked what it is):
                // every removal is reported by key, and keys that were never announced are
                // ignored upstream.
                if (callbacks_.removed)
                    callbacks_.removed(text(udev_device_get_syspath(device.get())));
            }
        }
    }

    UdevPtr<udev> udev_;
    UdevPtr<udev_monitor> monitor_;
    std::unique_ptr<QSocketNotifier> notifier_;
    Callbacks callbacks_;
    // The button inputs handed out, by the camera's USB device; they belong to the cameras.
    std::vector<WaitingInput> waitingInputs_;
};

} // namespace

std::unique_ptr<DeviceBackend> createLinuxBackend()
{
    return std::make_unique<UdevBackend>();
}
