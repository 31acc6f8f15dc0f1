// glib first: its headers use "signals" as a name, which Qt's headers define as a keyword.
#include <umockdev.h>

#include "UdevTestbed.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QByteArray hex4(uint16_t value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

// umockdev_testbed_add_devicev with Qt strings; attribute and property lists alternate names
// and values.
QString addDevice(UMockdevTestbed *testbed, const char *subsystem, const QString &name,
                  const QString &parent, const QList<QByteArray> &attributes,
                  const QList<QByteArray> &properties)
{
    auto toArgv = [](const QList<QByteArray> &list) {
        std::vector<gchar *> argv;
        for (const QByteArray &item : list)
            argv.push_back(const_cast<gchar *>(item.constData()));
        argv.push_back(nullptr);
        return argv;
    };
    std::vector<gchar *> attributeArgv = toArgv(attributes);
    std::vector<gchar *> propertyArgv = toArgv(properties);
    const QByteArray parentPath = parent.toUtf8();
    gchar *syspath = umockdev_testbed_add_devicev(
        testbed, subsystem, name.toUtf8().constData(),
        parent.isEmpty() ? nullptr : parentPath.constData(), attributeArgv.data(),
        propertyArgv.data());
    const QString result = QString::fromUtf8(syspath);
    g_free(syspath);
    return result;
}

QString parentOf(const QString &syspath, int levels)
{
    QString path = syspath;
    for (int i = 0; i < levels; ++i)
        path = path.left(path.lastIndexOf(QLatin1Char('/')));
    return path;
}

// The hidraw node's sysfs path sits below the HID device, which sits below the USB interface:
// .../1-2.3/1-2.3:1.0/0003:FE11:0A01.0001/hidraw/hidraw0.
constexpr int HidrawToUsbDevice = 4;

} // namespace

UdevTestbed::UdevTestbed()
    : testbed_(umockdev_testbed_new())
{
    // Without the preloaded interposer, libudev would see the machine's real devices.
    EXPECT_TRUE(qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev")))
        << "run this test under umockdev-wrapper";
}

UdevTestbed::~UdevTestbed()
{
    g_object_unref(testbed_);
}

QString UdevTestbed::rootDir() const
{
    gchar *root = umockdev_testbed_get_root_dir(testbed_);
    const QString result = QString::fromUtf8(root);
    g_free(root);
    return result;
}

QString UdevTestbed::addHidrawDevice(const UsbDevice &usb, int minor)
{
    const QString port = QStringLiteral("%1-%2").arg(usb.bus).arg(usb.ports);
    const QString usbDevice =
        addDevice(testbed_, "usb", QStringLiteral("usb%1/%2").arg(usb.bus).arg(port), {},
                  {"idVendor", hex4(usb.vendorId), "idProduct", hex4(usb.productId), "bcdDevice",
                   hex4(usb.release), "busnum", QByteArray::number(usb.bus), "devpath",
                   usb.ports.toUtf8()},
                  {"DEVTYPE", "usb_device"});
    // The interface is in the "usb" subsystem too, but has no IDs of its own.
    const QString interface = addDevice(testbed_, "usb", port + QStringLiteral(":1.0"), usbDevice,
                                        {"bInterfaceClass", "03"}, {"DEVTYPE", "usb_interface"});
    const QString hid = addDevice(
        testbed_, "hid",
        QStringLiteral("0003:%1:%2.%3")
            .arg(QString::fromLatin1(hex4(usb.vendorId)).toUpper(),
                 QString::fromLatin1(hex4(usb.productId)).toUpper())
            .arg(minor + 1, 4, 16, QLatin1Char('0')),
        interface, {}, {});
    return addDevice(testbed_, "hidraw", QStringLiteral("hidraw/hidraw%1").arg(minor), hid,
                     {"dev", QStringLiteral("245:%1").arg(minor).toUtf8()},
                     {"DEVNAME", QStringLiteral("/dev/hidraw%1").arg(minor).toUtf8()});
}

QString UdevTestbed::addNonUsbHidrawDevice(int minor)
{
    const QString bus = addDevice(testbed_, "i2c", QStringLiteral("i2c-0/i2c-TPAD0001:00"), {},
                                  {}, {});
    const QString hid = addDevice(testbed_, "hid", QStringLiteral("0018:04F3:3147.0100"), bus,
                                  {}, {});
    return addDevice(testbed_, "hidraw", QStringLiteral("hidraw/hidraw%1").arg(minor), hid,
                     {"dev", QStringLiteral("245:%1").arg(minor).toUtf8()},
                     {"DEVNAME", QStringLiteral("/dev/hidraw%1").arg(minor).toUtf8()});
}

QString UdevTestbed::usbParentOf(const QString &hidrawSyspath)
{
    return parentOf(hidrawSyspath, HidrawToUsbDevice);
}

void UdevTestbed::unplug(const QString &hidrawSyspath)
{
    umockdev_testbed_uevent(testbed_, hidrawSyspath.toUtf8().constData(), "remove");
    for (int level = 0; level <= HidrawToUsbDevice; ++level) {
        if (level == 1)
            continue; // the "hidraw" folder is no device
        umockdev_testbed_remove_device(testbed_,
                                       parentOf(hidrawSyspath, level).toUtf8().constData());
    }
}

// --- The camera's reports -----------------------------------------------------------------

QByteArray cameraReportDescriptor()
{
    static const uint8_t descriptor[] = {
        0x05, 0x0C,        // Usage Page (Consumer)
        0x09, 0x01,        // Usage (Consumer Control)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x03,        //   Report ID (3)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x03,  //   Logical Maximum (1023)
        0x19, 0x00,        //   Usage Minimum (0)
        0x2A, 0xFF, 0x03,  //   Usage Maximum (1023)
        0x75, 0x10,        //   Report Size (16)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0xC0,              // End Collection
        0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
        0x09, 0x01,        // Usage (0x01)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x01,        //   Report ID (1)
        0x09, 0x03,        //   Usage (0x03)
        0x15, 0x00,        //   Logical Minimum (0)
        0x25, 0x01,        //   Logical Maximum (1)
        0x75, 0x01,        //   Report Size (1)
        0x95, 0x04,        //   Report Count (4)
        0x81, 0x02,        //   Input (Data, Variable, Absolute): status bits
        0x75, 0x04,        //   Report Size (4)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x03,        //   Input (Constant): padding
        0x09, 0x02,        //   Usage (0x02)
        0x26, 0xFF, 0x7F,  //   Logical Maximum (32767)
        0x75, 0x10,        //   Report Size (16)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x02,        //   Input (Data, Variable, Absolute): the button element
        0x09, 0x04,        //   Usage (0x04)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x02,        //   Report Count (2)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0x85, 0x02,        //   Report ID (2)
        0x09, 0x05,        //   Usage (0x05)
        0x95, 0x05,        //   Report Count (5)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
    return QByteArray(reinterpret_cast<const char *>(descriptor), sizeof descriptor);
}


QByteArray cameraButtonReport(uint16_t value, uint8_t status)
{
    const uint8_t report[] = {0x01, status, uint8_t(value & 0xff), uint8_t(value >> 8), 0x00, 0x00};
    return QByteArray(reinterpret_cast<const char *>(report), sizeof report);
}

// --- FakeHidraw ------------------------------------------------------------------------------

FakeHidraw::FakeHidraw(UdevTestbed &testbed, const QString &node, const QByteArray &reportDescriptor)
    : testbed_(testbed)
    , node_(node)
    , descriptor_(reportDescriptor)
    , handler_(umockdev_ioctl_base_new())
{
    const QString fifo = testbed.rootDir() + node;
    QDir().mkpath(QFileInfo(fifo).path());
    EXPECT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0) << strerror(errno);
    fifo_ = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fifo_, 0);

    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(handleIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(handleRead), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(handleWrite), this);
    GError *error = nullptr;
    EXPECT_TRUE(umockdev_testbed_attach_ioctl(testbed.handle(), node.toUtf8().constData(),
                                              handler_, &error));
    if (error)
        g_error_free(error);
}

FakeHidraw::~FakeHidraw()
{
    umockdev_testbed_detach_ioctl(testbed_.handle(), node_.toUtf8().constData(), nullptr);
    g_signal_handlers_disconnect_by_data(handler_, this);
    g_object_unref(handler_);
    if (fifo_ >= 0)
        ::close(fifo_);
}

void FakeHidraw::sendInputReport(const QByteArray &report)
{
    std::lock_guard<std::mutex> lock(mutex_);
    inputReports_.append(report);
    EXPECT_EQ(::write(fifo_, "r", 1), 1);
}

int FakeHidraw::queuedInputReports() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return int(inputReports_.size());
}

QList<QByteArray> FakeHidraw::writes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
}

void FakeHidraw::setInputReport(uint8_t reportId, const QByteArray &payload)
{
    std::lock_guard<std::mutex> lock(mutex_);
    getInputAnswers_[reportId] = char(reportId) + payload;
}

QList<QByteArray> FakeHidraw::getInputRequests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return getInputRequests_;
}

void FakeHidraw::setGetInputSupported(bool supported)
{
    std::lock_guard<std::mutex> lock(mutex_);
    getInputSupported_ = supported;
}

void FakeHidraw::setGone()
{
    std::lock_guard<std::mutex> lock(mutex_);
    gone_ = true;
    // An unplugged hidraw node polls readable (and hung up) until it is closed.
    EXPECT_EQ(::write(fifo_, "g", 1), 1);
}

int FakeHidraw::readCalls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return readCalls_;
}

void FakeHidraw::fillFifo()
{
    const QByteArray block(4096, 'f');
    while (::write(fifo_, block.constData(), size_t(block.size())) > 0) {
    }
}

int FakeHidraw::handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self)
{
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (self->gone_) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    const gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    if (request == HIDIOCGRDESCSIZE) {
        UMockdevIoctlData *size = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), nullptr);
        *reinterpret_cast<int *>(size->data) = int(self->descriptor_.size());
        umockdev_ioctl_data_unref(size);
        umockdev_ioctl_client_complete(client, 0, 0);
    } else if (request == HIDIOCGRDESC) {
        UMockdevIoctlData *data =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_report_descriptor), nullptr);
        auto *descriptor = reinterpret_cast<hidraw_report_descriptor *>(data->data);
        // Like the kernel: as many bytes as asked for, and no more than there are.
        descriptor->size = std::min<uint32_t>(descriptor->size, uint32_t(self->descriptor_.size()));
        memcpy(descriptor->value, self->descriptor_.constData(), descriptor->size);
        umockdev_ioctl_data_unref(data);
        umockdev_ioctl_client_complete(client, 0, 0);
    } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == _IOC_NR(HIDIOCGINPUT(0))
               && self->getInputSupported_) {
        const int length = int(_IOC_SIZE(request));
        UMockdevIoctlData *data = umockdev_ioctl_data_resolve(arg, 0, size_t(length), nullptr);
        self->getInputRequests_.append(
            QByteArray(reinterpret_cast<const char *>(data->data), data->data_len));
        const QByteArray answer = self->getInputAnswers_.value(data->data[0]);
        if (answer.isEmpty()) {
            umockdev_ioctl_client_complete(client, -1, EPIPE); // the device stalls
        } else {
            const int copied = std::min(length, int(answer.size()));
            memcpy(data->data, answer.constData(), size_t(copied));
            umockdev_ioctl_client_complete(client, copied, 0);
        }
        umockdev_ioctl_data_unref(data);
    } else {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
    }
    return TRUE;
}

int FakeHidraw::handleRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self)
{
    std::lock_guard<std::mutex> lock(self->mutex_);
    ++self->readCalls_;
    if (self->gone_) {
        umockdev_ioctl_client_complete(client, -1, EIO);
        return TRUE;
    }
    if (self->inputReports_.isEmpty()) {
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return TRUE;
    }
    QByteArray report = self->inputReports_.takeFirst();
    char doorbell;
    EXPECT_EQ(::read(self->fifo_, &doorbell, 1), 1);
    UMockdevIoctlData *buffer = umockdev_ioctl_client_get_arg(client);
    // hidraw hands out one report per read(), cut to the size of the caller's buffer.
    report.truncate(buffer->data_len);
    umockdev_ioctl_data_update(buffer, 0, reinterpret_cast<guint8 *>(report.data()),
                               int(report.size()));
    umockdev_ioctl_client_complete(client, report.size(), 0);
    return TRUE;
}

int FakeHidraw::handleWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self)
{
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (self->gone_) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    UMockdevIoctlData *buffer = umockdev_ioctl_client_get_arg(client);
    self->writes_.append(QByteArray(reinterpret_cast<const char *>(buffer->data), buffer->data_len));
    umockdev_ioctl_client_complete(client, buffer->data_len, 0);
    return TRUE;
}
