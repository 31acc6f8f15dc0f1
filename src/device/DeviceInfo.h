#pragma once

#include <QString>

#include <cstdint>

// One HID device of a camera, as discovery reports it.
struct DeviceInfo {
    QString key; // identifies the device until it is removed (sysfs path, or virtual id)
    uint32_t vendorId = 0;
    uint32_t productId = 0;
    uint32_t locationId = 0;
    uint16_t releaseNumber = 0; // bcdDevice of the USB device
    QString hidNode;            // /dev/hidrawN, empty for virtual cameras
    QString usbDevice;          // sysfs path of the parent USB device, empty for virtual cameras
};

// The USB location ID of a device: the bus number in the top byte, then one nibble per port of
// the device path ("2.3" on bus 1 gives 0x01230000). Ports above 15 or more than six levels do
// not fit and are cut off.
uint32_t locationIdFrom(unsigned busNumber, const QString &devpath);
