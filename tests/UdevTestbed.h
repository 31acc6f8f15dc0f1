#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <mutex>

// umockdev's C types, kept out of this header: glib's headers do not mix with Qt's keywords.
typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

// The camera's HID report descriptor: consumer-control report 3, vendor input report 1 (four
// status bits, padding, the 16-bit button element at bit 8, one data byte) and vendor output
// report 2, each five bytes on the wire with the report ID (four after it).
QByteArray cameraReportDescriptor();
// Input report 1, report ID first, with `value` in the button element.
QByteArray cameraButtonReport(uint16_t value, uint8_t status = 0);

// A private /sys and /dev for libudev and open(), with udev events. Needs umockdev-wrapper.
class UdevTestbed {
public:
    struct UsbDevice {
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        uint16_t release = 0; // bcdDevice
        unsigned bus = 1;
        QString ports; // "2.3"
    };

    UdevTestbed();
    ~UdevTestbed();
    UdevTestbed(const UdevTestbed &) = delete;
    UdevTestbed &operator=(const UdevTestbed &) = delete;

    // A USB device with one interface, and the product string `product` unless empty; returns
    // the interface's sysfs path.
    QString addUsbInterface(const UsbDevice &usb, const QString &product = {});
    // A USB device with hidraw node /dev/hidraw<minor> (announced with "add" events); returns
    // the hidraw device's sysfs path.
    QString addHidrawDevice(const UsbDevice &usb, int minor);
    // /dev/video<minor>, node `index` of its device, below `parent` (empty: no USB ancestor);
    // returns its sysfs path.
    QString addVideoNode(const QString &parent, int minor, int index);
    // Sends "remove", then takes the video node and, when it has one, its USB device out of sysfs.
    void unplugVideoNode(const QString &videoSyspath);
    // /dev/input/event<minor> of an input device below `parent` that sends `keys` (its
    // capabilities/key bitmap); announced with "add". A FIFO stands for the node: see sendKey.
    QString addInputNode(const QString &parent, int minor, const QList<int> &keys);
    // Writes one EV_KEY record of `code` with `value` (1 press, 0 release, 2 repeat) into
    // /dev/input/event<minor>, which must be open for reading.
    void sendKey(int minor, int code, int value);
    // Makes `node` openable, its ioctls answered by `handler` on umockdev's thread.
    void attachIoctl(const QString &node, UMockdevIoctlBase *handler);
    // A hidraw node whose parent is not a USB device (an I2C touchpad).
    void addNonUsbHidrawDevice(int minor);
    static QString usbParentOf(const QString &hidrawSyspath);
    // Sends "remove", then takes the hidraw device and its USB parent out of sysfs.
    void unplug(const QString &hidrawSyspath);

    UMockdevTestbed *handle() const { return testbed_; }

private:
    UMockdevTestbed *testbed_;
    QMap<int, int> inputWriters_; // minor to the writing end of its FIFO
};

// The device end of video nodes: answers VIDIOC_QUERYCAP with each node's own capabilities and
// card name, as uvcvideo does; every other ioctl is unknown (ENOTTY).
class FakeVideoNodes {
public:
    explicit FakeVideoNodes(UdevTestbed &testbed);
    ~FakeVideoNodes();
    FakeVideoNodes(const FakeVideoNodes &) = delete;
    FakeVideoNodes &operator=(const FakeVideoNodes &) = delete;

    void add(const QString &node, uint32_t deviceCaps, const QByteArray &card);

private:
    struct Node {
        uint32_t deviceCaps;
        QByteArray card;
    };
    static int handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeVideoNodes *self);

    UdevTestbed &testbed_;
    UMockdevIoctlBase *handler_;
    std::mutex mutex_;
    QMap<QString, Node> nodes_;
};

// The device end of a hidraw node: answers write(), read() and ioctl() on umockdev's thread as
// the hidraw driver would. Each queued input report has a byte in a FIFO standing in for the
// node, so that poll() sees the node readable while reports wait.
class FakeHidraw {
public:
    FakeHidraw(UdevTestbed &testbed, const QString &node, const QByteArray &reportDescriptor);
    ~FakeHidraw();
    FakeHidraw(const FakeHidraw &) = delete;
    FakeHidraw &operator=(const FakeHidraw &) = delete;

    void sendInputReport(const QByteArray &report);
    // The HIDIOCGINPUT answer for `reportId`: the ID, then `payload`. Others stall (EPIPE).
    void setInputReport(uint8_t reportId, const QByteArray &payload);
    // false: HIDIOCGINPUT is unknown (ENOTTY), as before Linux 5.11.
    void setGetInputSupported(bool supported)
    {
        locked([&] { getInputSupported_ = supported; });
    }
    // Unplugged with the node still open: every call fails and the node polls readable.
    void setGone();
    // Makes the FIFO full, so that the node polls not writable.
    void fillFifo();

    int queuedInputReports() const
    {
        return locked([&] { return int(inputReports_.size()); });
    }
    QList<QByteArray> writes() const
    {
        return locked([&] { return writes_; });
    }
    // HIDIOCGINPUT buffers as the caller filled them in.
    QList<QByteArray> getInputRequests() const
    {
        return locked([&] { return getInputRequests_; });
    }
    int readCalls() const
    {
        return locked([&] { return readCalls_; });
    }

private:
    template<typename F> auto locked(F f) const -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return f();
    }
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
