// glib first: its headers use "signals" as a name, which Qt's headers define as a keyword.
#include <umockdev.h>

#include "UdevTestbed.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QString taken(gchar *text)
{
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

QByteArray hex4(uint16_t value) { return QByteArray::number(value, 16).rightJustified(4, '0'); }

QString parentOf(QString syspath, int levels)
{
    while (levels-- > 0)
        syspath.truncate(syspath.lastIndexOf(QLatin1Char('/')));
    return syspath;
}

// .../1-2.3/1-2.3:1.0/0003:FE11:0A01.0001/hidraw/hidraw0
constexpr int HidrawToUsbDevice = 4;

QString addHidrawNode(UMockdevTestbed *testbed, const QString &hid, int minor)
{
    const QByteArray n = QByteArray::number(minor);
    return taken(umockdev_testbed_add_device(testbed, "hidraw", ("hidraw/hidraw" + n).constData(), hid.toUtf8().constData(), "dev",
                                             ("245:" + n).constData(), nullptr, "DEVNAME", ("/dev/hidraw" + n).constData(), nullptr));
}

} // namespace

UdevTestbed::UdevTestbed() : testbed_(umockdev_testbed_new())
{
    // Without the preloaded interposer, libudev would see the machine's real devices.
    EXPECT_TRUE(qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev"))) << "run this test under umockdev-wrapper";
}

UdevTestbed::~UdevTestbed()
{
    for (int fd : std::as_const(inputWriters_))
        ::close(fd);
    g_object_unref(testbed_);
}

QString UdevTestbed::addUsbInterface(const UsbDevice &usb, const QString &product)
{
    const QByteArray bus = QByteArray::number(usb.bus);
    const QByteArray port = bus + '-' + usb.ports.toUtf8();
    const QString device = taken(umockdev_testbed_add_device(
        testbed_, "usb", ("usb" + bus + '/' + port).constData(), nullptr, "idVendor", hex4(usb.vendorId).constData(), "idProduct",
        hex4(usb.productId).constData(), "bcdDevice", hex4(usb.release).constData(), "busnum", bus.constData(), "devpath",
        usb.ports.toUtf8().constData(), nullptr, "DEVTYPE", "usb_device", nullptr));
    if (!product.isEmpty())
        umockdev_testbed_set_attribute(testbed_, device.toUtf8().constData(), "product", product.toUtf8().constData());
    // The interface is in the "usb" subsystem too, but has no IDs of its own.
    return taken(umockdev_testbed_add_device(testbed_, "usb", (port + ":1.0").constData(), device.toUtf8().constData(), nullptr, "DEVTYPE",
                                             "usb_interface", nullptr));
}

QString UdevTestbed::addHidrawDevice(const UsbDevice &usb, int minor)
{
    const QString hid = taken(umockdev_testbed_add_device(
        testbed_, "hid", qPrintable(QString::asprintf("0003:%04X:%04X.%04X", usb.vendorId, usb.productId, minor + 1)),
        addUsbInterface(usb).toUtf8().constData(), nullptr, nullptr));
    return addHidrawNode(testbed_, hid, minor);
}

QString UdevTestbed::addVideoNode(const QString &parent, int minor, int index)
{
    const QByteArray name = "video" + QByteArray::number(minor);
    return taken(umockdev_testbed_add_device(testbed_, "video4linux", name.constData(),
                                             parent.isEmpty() ? nullptr : parent.toUtf8().constData(), "index",
                                             QByteArray::number(index).constData(), "dev", ("81:" + QByteArray::number(minor)).constData(),
                                             nullptr, "DEVNAME", ("/dev/" + name).constData(), nullptr));
}

QString UdevTestbed::addInputNode(const QString &parent, int minor, const QList<int> &keys)
{
    // The bitmap as the kernel writes it: 64-bit words, the most significant first, without
    // leading zero words.
    QList<quint64> words(KEY_CNT / 64 + 1, 0);
    for (int key : keys)
        words[key / 64] |= quint64(1) << (key % 64);
    while (words.size() > 1 && words.last() == 0)
        words.removeLast();
    QByteArrayList bitmap;
    for (auto it = words.crbegin(); it != words.crend(); ++it)
        bitmap << QByteArray::number(*it, 16);

    const QByteArray n = QByteArray::number(minor);
    const QByteArray node = "/dev/input/event" + n;
    // The FIFO is there before the node is announced, as the real node is.
    const QByteArray fifo = QFile::encodeName(taken(umockdev_testbed_get_root_dir(testbed_))) + node;
    QDir().mkpath(QFileInfo(QFile::decodeName(fifo)).path());
    EXPECT_EQ(mkfifo(fifo.constData(), 0600), 0) << strerror(errno);
    const QString input = taken(umockdev_testbed_add_device(testbed_, "input", ("input/input" + n).constData(), parent.toUtf8().constData(),
                                                            "capabilities/key", bitmap.join(' ').constData(), nullptr, nullptr));
    return taken(umockdev_testbed_add_device(testbed_, "input", ("event" + n).constData(), input.toUtf8().constData(), "dev",
                                             ("13:" + QByteArray::number(64 + minor)).constData(), nullptr, "DEVNAME", node.constData(),
                                             nullptr));
}

void UdevTestbed::sendKey(int minor, int code, int value)
{
    int &fd = inputWriters_[minor];
    if (fd <= 0) {
        const QByteArray fifo =
            QFile::encodeName(taken(umockdev_testbed_get_root_dir(testbed_))) + "/dev/input/event" + QByteArray::number(minor);
        fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fd, 0) << "no reader: " << strerror(errno);
    }
    input_event event{};
    event.type = EV_KEY;
    event.code = uint16_t(code);
    event.value = value;
    ASSERT_EQ(::write(fd, &event, sizeof event), ssize_t(sizeof event));
}

void UdevTestbed::attachIoctl(const QString &node, UMockdevIoctlBase *handler)
{
    // umockdev routes a node's open() to its handler once a file stands for the node.
    QFile file(taken(umockdev_testbed_get_root_dir(testbed_)) + node);
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(umockdev_testbed_attach_ioctl(testbed_, node.toUtf8().constData(), handler, nullptr));
}

void UdevTestbed::unplugVideoNode(const QString &videoSyspath)
{
    umockdev_testbed_uevent(testbed_, videoSyspath.toUtf8().constData(), "remove");
    umockdev_testbed_remove_device(testbed_, videoSyspath.toUtf8().constData());
    // .../1-2/1-2:1.0/video0: the interface, then the USB device.
    if (videoSyspath.contains(QLatin1String("/usb"))) {
        umockdev_testbed_remove_device(testbed_, parentOf(videoSyspath, 1).toUtf8().constData());
        umockdev_testbed_remove_device(testbed_, parentOf(videoSyspath, 2).toUtf8().constData());
    }
}

void UdevTestbed::addNonUsbHidrawDevice(int minor)
{
    const QString bus = taken(umockdev_testbed_add_device(testbed_, "i2c", "i2c-0/i2c-TPAD0001:00", nullptr, nullptr, nullptr));
    const QString hid =
        taken(umockdev_testbed_add_device(testbed_, "hid", "0018:FE33:0001.0100", bus.toUtf8().constData(), nullptr, nullptr));
    addHidrawNode(testbed_, hid, minor);
}

QString UdevTestbed::usbParentOf(const QString &hidrawSyspath) { return parentOf(hidrawSyspath, HidrawToUsbDevice); }

void UdevTestbed::unplug(const QString &hidrawSyspath)
{
    umockdev_testbed_uevent(testbed_, hidrawSyspath.toUtf8().constData(), "remove");
    for (int level : {0, 2, 3, 4}) // level 1, the "hidraw" folder, is no device
        umockdev_testbed_remove_device(testbed_, parentOf(hidrawSyspath, level).toUtf8().constData());
}

QByteArray cameraReportDescriptor()
{
    return QByteArray::fromHex(
        // Consumer control, report 3: one 16-bit key code (array).
        "050C 0901 A101 8503 1500 26FF03 1900 2AFF03 7510 9501 8100 C0"
        // Vendor page, report 1: four status bits, four of padding,
        "0600FF 0901 A101 8501 0903 1500 2501 7501 9504 8102 7504 9501 8103"
        // the button element (16-bit variable), one data byte (array);
        "0902 26FF7F 7510 9501 8102 0904 26FF00 7508 9501 8100"
        // output report 2: four bytes.
        "8502 0905 9504 9102 C0");
}

QByteArray cameraButtonReport(uint16_t value, uint8_t status)
{
    const uint8_t report[] = {0x01, status, uint8_t(value & 0xff), uint8_t(value >> 8), 0x00};
    return QByteArray(reinterpret_cast<const char *>(report), sizeof report);
}

// --- FakeVideoNodes ---------------------------------------------------------------------------

FakeVideoNodes::FakeVideoNodes(UdevTestbed &testbed) : testbed_(testbed), handler_(umockdev_ioctl_base_new())
{
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(handleIoctl), this);
}

FakeVideoNodes::~FakeVideoNodes()
{
    for (const QString &node : nodes_.keys())
        umockdev_testbed_detach_ioctl(testbed_.handle(), node.toUtf8().constData(), nullptr);
    g_signal_handlers_disconnect_by_data(handler_, this);
    g_object_unref(handler_);
}

void FakeVideoNodes::add(const QString &node, uint32_t deviceCaps, const QByteArray &card)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        nodes_.insert(node, {deviceCaps, card});
    }
    testbed_.attachIoctl(node, handler_);
}

int FakeVideoNodes::handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeVideoNodes *self)
{
    std::lock_guard<std::mutex> lock(self->mutex_);
    const auto it = self->nodes_.constFind(QString::fromUtf8(umockdev_ioctl_client_get_devnode(client)));
    if (umockdev_ioctl_client_get_request(client) != VIDIOC_QUERYCAP || it == self->nodes_.constEnd()) {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    UMockdevIoctlData *data = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(v4l2_capability), nullptr);
    auto *cap = reinterpret_cast<v4l2_capability *>(data->data);
    *cap = {};
    // The whole device's capabilities, then the node's own.
    cap->capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_DEVICE_CAPS;
    cap->device_caps = it->deviceCaps;
    memcpy(cap->card, it->card.constData(), std::min(sizeof cap->card, size_t(it->card.size())));
    umockdev_ioctl_data_unref(data);
    umockdev_ioctl_client_complete(client, 0, 0);
    return TRUE;
}

// --- FakeHidraw ------------------------------------------------------------------------------

FakeHidraw::FakeHidraw(UdevTestbed &testbed, const QString &node, const QByteArray &reportDescriptor)
    : testbed_(testbed), node_(node), descriptor_(reportDescriptor), handler_(umockdev_ioctl_base_new())
{
    const QByteArray fifo = QFile::encodeName(taken(umockdev_testbed_get_root_dir(testbed.handle())) + node);
    QDir().mkpath(QFileInfo(QFile::decodeName(fifo)).path());
    EXPECT_EQ(mkfifo(fifo.constData(), 0600), 0) << strerror(errno);
    fifo_ = ::open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fifo_, 0);

    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(handleIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(handleRead), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(handleWrite), this);
    EXPECT_TRUE(umockdev_testbed_attach_ioctl(testbed.handle(), node.toUtf8().constData(), handler_, nullptr));
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
    EXPECT_EQ(locked([&] {
                  inputReports_.append(report);
                  return ::write(fifo_, "r", 1);
              }),
              1);
}

void FakeHidraw::setInputReport(uint8_t reportId, const QByteArray &payload)
{
    locked([&] { getInputAnswers_[reportId] = char(reportId) + payload; });
}

void FakeHidraw::setGone()
{
    EXPECT_EQ(locked([&] {
                  gone_ = true;
                  return ::write(fifo_, "g", 1);
              }),
              1);
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
    const gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    int result = -1;
    int error = ENOTTY;
    if (self->gone_) {
        error = ENODEV;
    } else if (request == HIDIOCGRDESCSIZE) {
        UMockdevIoctlData *size = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), nullptr);
        *reinterpret_cast<int *>(size->data) = int(self->descriptor_.size());
        umockdev_ioctl_data_unref(size);
        result = 0;
    } else if (request == HIDIOCGRDESC) {
        UMockdevIoctlData *data = umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_report_descriptor), nullptr);
        auto *descriptor = reinterpret_cast<hidraw_report_descriptor *>(data->data);
        // As many bytes as asked for, and no more than there are.
        descriptor->size = std::min<uint32_t>(descriptor->size, uint32_t(self->descriptor_.size()));
        memcpy(descriptor->value, self->descriptor_.constData(), descriptor->size);
        umockdev_ioctl_data_unref(data);
        result = 0;
    } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == _IOC_NR(HIDIOCGINPUT(0)) && self->getInputSupported_) {
        const int length = int(_IOC_SIZE(request));
        UMockdevIoctlData *data = umockdev_ioctl_data_resolve(arg, 0, size_t(length), nullptr);
        self->getInputRequests_.append(QByteArray(reinterpret_cast<const char *>(data->data), data->data_len));
        const QByteArray answer = self->getInputAnswers_.value(data->data[0]);
        error = EPIPE; // the device stalls a report it does not have
        if (!answer.isEmpty()) {
            result = std::min(length, int(answer.size()));
            memcpy(data->data, answer.constData(), size_t(result));
        }
        umockdev_ioctl_data_unref(data);
    }
    umockdev_ioctl_client_complete(client, result, result < 0 ? error : 0);
    return TRUE;
}

int FakeHidraw::handleRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, FakeHidraw *self)
{
    std::lock_guard<std::mutex> lock(self->mutex_);
    ++self->readCalls_;
    if (self->gone_ || self->inputReports_.isEmpty()) {
        umockdev_ioctl_client_complete(client, -1, self->gone_ ? EIO : EAGAIN);
        return TRUE;
    }
    QByteArray report = self->inputReports_.takeFirst();
    char doorbell;
    EXPECT_EQ(::read(self->fifo_, &doorbell, 1), 1);
    UMockdevIoctlData *buffer = umockdev_ioctl_client_get_arg(client);
    // One report per read(), cut to the size of the caller's buffer.
    report.truncate(buffer->data_len);
    umockdev_ioctl_data_update(buffer, 0, reinterpret_cast<guint8 *>(report.data()), int(report.size()));
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
