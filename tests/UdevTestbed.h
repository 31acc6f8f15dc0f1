#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>

// umockdev's C types, kept out of this header: glib's headers do not mix with Qt's keywords.
typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

class FakeHidraw;

// The camera's HID report descriptor: a consumer-control key report (3), then the vendor
// collection with input report 1 (four status bits, padding, the 16-bit button element at bit 8,
// two data bytes: 5 bytes in all) and output report 2 (the 5-byte vendor command).
QByteArray cameraReportDescriptor();
// Input report 1 of the camera, report ID first, with `value` in the button element.
QByteArray cameraButtonReport(uint16_t value, uint8_t status = 0);

// A umockdev test bed: a private /sys and /dev that libudev and open() see instead of the real
// ones, and udev events sent on demand. Only works in a process started by umockdev-wrapper,
// which preloads umockdev's interposer.
class UdevTestbed {
public:
    struct UsbDevice {
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        uint16_t release = 0;    // bcdDevice
        unsigned bus = 1;
        QString ports;           // the sysfs devpath attribute, "2.3"
    };

    UdevTestbed();
    ~UdevTestbed();
    UdevTestbed(const UdevTestbed &) = delete;
    UdevTestbed &operator=(const UdevTestbed &) = delete;

    // Adds a USB device and its hidraw node /dev/hidraw<minor>; returns the hidraw device's
    // sysfs path. umockdev announces each added device with an "add" event of its own, as
    // plugging in does.
    QString addHidrawDevice(const UsbDevice &usb, int minor);
    // A hidraw node whose parent is not a USB device (a Bluetooth or I2C keyboard).
    QString addNonUsbHidrawDevice(int minor);
    static QString usbParentOf(const QString &hidrawSyspath);

    // Sends the "remove" event, then takes the hidraw device and its USB parent out of sysfs, as
    // unplugging does. (umockdev sends no event of its own when a device is removed.)
    void unplug(const QString &hidrawSyspath);

    UMockdevTestbed *handle() const { return testbed_; }
    QString rootDir() const;

private:
    UMockdevTestbed *testbed_;
};

// The device end of a hidraw node in a test bed: answers the channel's write(), read() and
// ioctl() calls on umockdev's own thread, as the kernel's hidraw driver would. Input reports are
// queued and handed out one per read(), each with a byte in a FIFO standing in for the node, so
// that poll() and QSocketNotifier see the node readable while reports wait.
class FakeHidraw {
public:
    FakeHidraw(UdevTestbed &testbed, const QString &node, const QByteArray &reportDescriptor);
    ~FakeHidraw();
    FakeHidraw(const FakeHidraw &) = delete;
    FakeHidraw &operator=(const FakeHidraw &) = delete;

    // An interrupt input report as the device sends it (report ID first when it numbers them).
    void sendInputReport(const QByteArray &report);
    int queuedInputReports() const;
    // Bytes written to the node, one entry per write().
    QList<QByteArray> writes() const;
    // The answer to HIDIOCGINPUT for `reportId`: the report ID byte, then `payload`.
    void setInputReport(uint8_t reportId, const QByteArray &payload);
    // The buffers HIDIOCGINPUT was called with, as the caller filled them in.
    QList<QByteArray> getInputRequests() const;
    // As a kernel before 5.11: HIDIOCGINPUT is unknown (ENOTTY).
    void setGetInputSupported(bool supported);
    // As an unplugged device whose node is still open: every call fails (EIO for read(),
    // ENODEV otherwise) and the node polls readable.
    void setGone();
    int readCalls() const;
    // Makes the node's FIFO full, so that poll() reports it not writable.
    void fillFifo();

private:
    static int handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self);
    static int handleRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self);
    static int handleWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self);

    UdevTestbed &testbed_;
    const QString node_;
    const QByteArray descriptor_;
    UMockdevIoctlBase *handler_ = nullptr;
    int fifo_ = -1;

    mutable std::mutex mutex_;
    QList<QByteArray> inputReports_;
    QList<QByteArray> writes_;
    QMap<uint8_t, QByteArray> getInputAnswers_;
    QList<QByteArray> getInputRequests_;
    bool getInputSupported_ = true;
    bool gone_ = false;
    int readCalls_ = 0;
};
