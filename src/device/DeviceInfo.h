#pragma once

#include <QString>

#include <cstdint>

// One camera as discovery reports it: the HID device of one of the maker's two models, or the
// video capture node of any other camera.
struct DeviceInfo {
    enum class Interface { Hid, VideoCapture };
    Interface interface = Interface::Hid;

    QString key; // identifies the device until it is removed (sysfs path, or virtual id)
    uint32_t vendorId = 0;
    uint32_t productId = 0;
    uint32_t locationId = 0;
    uint16_t releaseNumber = 0; // bcdDevice of the USB device
    QString hidNode;            // /dev/hidrawN, empty for virtual cameras
    QString usbDevice;          // sysfs path of the parent USB device, empty for virtual cameras
    // Of a camera found as a video capture node only:
    QString videoNode; // /dev/videoN
    QString name;      // the USB product string, else the node's card name
    QString uniqueId;  // the capture device's unique id; for a USB camera "0x%x%04x%04x"
};

// The USB location ID of a device: the bus number in the top byte, then one nibble per port of
// the device path ("2.3" on bus 1 gives 0x01230000). Ports above 15 or more than six levels do
// not fit and are cut off.
uint32_t locationIdFrom(unsigned busNumber, const QString &devpath);

// The unique id of a capture device that has no USB parent: its udev ID_PATH ("platform-vivid.0",
// "pci-0000:03:00.0") or, without one, its node's sysfs name, then the node's index on its
// device. Stable across restarts as long as the device sits where it does.
QString nonUsbCaptureId(const QString &idPath, const QString &sysname, int index);
