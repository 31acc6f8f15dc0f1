// umockdev's headers come first: glib's declarations do not parse once Qt's keywords are
// defined.
#include <umockdev.h>

#include "TestSupport.h"
#include "UdevTestbed.h"
#include "capture/linux/V4l2CaptureBackend.h"
#include "capture/linux/V4l2CaptureDevice.h"
#include "capture/linux/V4l2NodeLookup.h"
#include "device/LumoCamera.h"
#include "device/UvcControl.h"
#include "device/linux/V4l2CameraControls.h"
#include "device/linux/V4l2ControlChannel.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <linux/videodev2.h>

#include <atomic>
#include <cstring>
#include <sys/mman.h>
#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

// Runs only under umockdev-wrapper: udev sees the test bed's /sys; V4l2Emulator answers ioctls on its /dev nodes.

namespace {

// The V4L2 side of a camera as uvcvideo presents it: controls, format and frame interval.
// Its ioctl handler runs on umockdev's worker thread while the test waits in ioctl().
struct V4l2Emulator {
    struct Control {
        int32_t minimum, maximum, defaultValue, current;
        uint32_t flags = 0;
    };

    std::mutex mutex;
    std::map<std::string, uint32_t> deviceCaps; // by node
    std::map<uint32_t, Control> controls{{V4L2_CID_BACKLIGHT_COMPENSATION, {0, 2, 1, 0}},
                                         {V4L2_CID_BRIGHTNESS, {0, 255, 128, 200}},
                                         {V4L2_CID_CONTRAST, {0, 100, 50, 61}},
                                         {V4L2_CID_POWER_LINE_FREQUENCY, {0, 3, 1, 2}},
                                         {V4L2_CID_HUE, {-10, 10, 0, -3}},
                                         {V4L2_CID_SATURATION, {0, 100, 64, 70}},
                                         {V4L2_CID_SHARPNESS, {0, 15, 6, 9}},
                                         {V4L2_CID_GAMMA, {100, 300, 150, 220}},
                                         {V4L2_CID_WHITE_BALANCE_TEMPERATURE, {2800, 6500, 4600, 5100}},
                                         {V4L2_CID_AUTO_WHITE_BALANCE, {0, 1, 1, 1}}};
    std::vector<std::pair<std::string, unsigned long>> calls; // node, request
    std::atomic<bool> gone{false};                            // every ioctl fails with ENODEV
    std::atomic<bool> busy{false};                            // S_FMT fails with EBUSY, as while streaming
    std::vector<v4l2_pix_format> formats;
    std::vector<v4l2_fract> intervals;

    template<typename T> T locked(const T &member)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return member;
    }

    static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self)
    {
        auto *emulator = static_cast<V4l2Emulator *>(self);
        std::lock_guard<std::mutex> lock(emulator->mutex);
        const unsigned long request = umockdev_ioctl_client_get_request(client);
        const std::string node = umockdev_ioctl_client_get_devnode(client);
        emulator->calls.push_back({node, request});
        UMockdevIoctlData *data = nullptr;
        const int error = emulator->gone ? ENODEV : emulator->answer(client, request, node, &data);
        umockdev_ioctl_client_complete(client, error ? -1 : 0, error);
        if (data)
            g_object_unref(data);
        return TRUE;
    }

private:
    template<typename T> static T *argument(UMockdevIoctlClient *client, UMockdevIoctlData **data)
    {
        *data = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(T), nullptr);
        return reinterpret_cast<T *>((*data)->data);
    }

    int answer(UMockdevIoctlClient *client, unsigned long request, const std::string &node, UMockdevIoctlData **data)
    {
        switch (request) {
        case VIDIOC_QUERYCAP: {
            auto *cap = argument<v4l2_capability>(client, data);
            // As uvcvideo does: the capabilities of the whole device, then the node's own.
            cap->capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_DEVICE_CAPS;
            cap->device_caps = deviceCaps[node];
            return 0;
        }
        case VIDIOC_QUERYCTRL: {
            auto *query = argument<v4l2_queryctrl>(client, data);
            const auto it = controls.find(query->id);
            if (it == controls.end())
                return EINVAL;
            *query = {
                query->id, V4L2_CTRL_TYPE_INTEGER, {}, it->second.minimum, it->second.maximum, 1, it->second.defaultValue, it->second.flags,
                {}};
            return 0;
        }
        case VIDIOC_G_CTRL:
        case VIDIOC_S_CTRL: {
            auto *control = argument<v4l2_control>(client, data);
            const auto it = controls.find(control->id);
            if (it == controls.end())
                return EINVAL;
            if (request == VIDIOC_G_CTRL)
                control->value = it->second.current;
            else if (control->value < it->second.minimum || control->value > it->second.maximum)
                return ERANGE;
            else
                it->second.current = control->value;
            return 0;
        }
        case VIDIOC_S_FMT: {
            auto *format = argument<v4l2_format>(client, data);
            if (busy || format->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
                return busy ? EBUSY : EINVAL;
            formats.push_back(format->fmt.pix);
            return 0;
        }
        case VIDIOC_S_PARM: {
            auto *parm = argument<v4l2_streamparm>(client, data);
            if (parm->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
                return EINVAL;
            intervals.push_back(parm->parm.capture.timeperframe);
            return 0;
        }
        default:
            return ENOTTY;
        }
    }
};

constexpr uint32_t CaptureCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
constexpr uint32_t MetadataCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;

class V4l2ControlChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The camera: its metadata node is listed before its capture node, by number and by index.
        addVideoNode(camera, 0, 0, MetadataCaps);
        addVideoNode(camera, 1, 1, CaptureCaps);
        channel = openV4l2ControlChannel(CameraId);
        ASSERT_TRUE(channel);
    }

    void TearDown() override
    {
        for (UMockdevIoctlBase *handler : handlers)
            g_object_unref(handler);
    }

    // /dev/video<minor> below `usb`, answered by the emulator with `caps`.
    void addVideoNode(const QString &usb, int minor, int index, uint32_t caps)
    {
        bed.addVideoNode(usb, minor, index);
        const QString node = QStringLiteral("/dev/video%1").arg(minor);
        handlers.push_back(umockdev_ioctl_base_new());
        g_signal_connect(handlers.back(), "handle-ioctl", G_CALLBACK(&V4l2Emulator::onIoctl), &emulator);
        bed.attachIoctl(node, handlers.back());
        std::lock_guard<std::mutex> lock(emulator.mutex);
        emulator.deviceCaps[node.toStdString()] = caps;
    }

    // Sends a request as uvc_query_ctrl frames it (unless `type` says otherwise); `data` holds wLength bytes.
    int send(uint8_t request, uint16_t wValue, uint16_t wIndex, QByteArray &data, int type = -1)
    {
        return channel->send(
            {uint8_t(type >= 0 ? type : (request & 0x80) | 0x21), request, wValue, wIndex, uint16_t(data.size()), data.data()});
    }

    V4l2Emulator emulator;
    UdevTestbed bed;
    std::vector<UMockdevIoctlBase *> handlers;
    const QString camera = bed.addUsbInterface({0xfe11, 0x0a01, 0, 1, QStringLiteral("2")});
    static constexpr const char *CameraId = "0x1200000fe110a01";
    std::unique_ptr<UsbControlChannel> channel;
};

// `value` little-endian in `length` (1 or 2) bytes.
QByteArray le(int value, int length)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian<quint16>(quint16(value), bytes.data());
    return bytes.left(length);
}

QByteArray probe(uint8_t frameIndex, uint32_t interval)
{
    const UvcProbeCommitBlock block = uvcProbeBlock(2, frameIndex, interval);
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

QString nodeFor(const char *uniqueId) { return V4l2NodeLookup::captureNodeFor(QString::fromLatin1(uniqueId), V4l2Io::system()); }

TEST_F(V4l2ControlChannelTest, EachCameraGetsItsOwnCaptureNodeAndTheChannelUsesIt)
{
    // A second camera of the same model, told apart by where it is plugged, and a built-in one.
    const QString second = bed.addUsbInterface({0xfe11, 0x0a01, 0, 3, QStringLiteral("2.3")});
    addVideoNode(second, 2, 0, CaptureCaps);
    addVideoNode(second, 3, 1, MetadataCaps);
    addVideoNode({}, 4, 0, CaptureCaps);
    EXPECT_EQ(nodeFor(CameraId), "/dev/video1");
    EXPECT_EQ(nodeFor("0x3230000FE110A01"), "/dev/video2") << "hex digits in any case";
    EXPECT_EQ(nodeFor("0x3230000fe110a02"), "") << "another product";
    EXPECT_EQ(nodeFor("0x2230000fe110a01"), "") << "another bus";
    EXPECT_EQ(V4l2NodeLookup::uniqueIdFrom(0x20, "1.15.4", 0x1234, 0x5678), "0x201f400012345678") << "a port above 9, a wide bus";
    V4l2CaptureBackend backend;
    auto device = backend.deviceWithUniqueID("0x3230000fe110a01");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(static_cast<V4l2CaptureDevice *>(device.get())->node(), "/dev/video2");
    EXPECT_EQ(backend.deviceWithUniqueID("0x1300000fe110a01"), nullptr);

    QByteArray value(2, '\0');
    ASSERT_EQ(send(UvcGetCur, 0x0200, 0x0300, value), UsbControlChannel::Ok);
    EXPECT_EQ(emulator.locked(emulator.calls).back(), std::make_pair(std::string("/dev/video1"), VIDIOC_G_CTRL));
    EXPECT_FALSE(openV4l2ControlChannel("0x1300000fe110a01")) << "no camera there";
}

TEST_F(V4l2ControlChannelTest, MetadataNodeAloneIsNoneAndNodesThatCannotBeAskedFallBackToTheFirstIndex)
{
    addVideoNode(bed.addUsbInterface({0xfe11, 0x0a02, 0, 1, QStringLiteral("5")}), 2, 1, MetadataCaps);
    EXPECT_EQ(nodeFor("0x1500000fe110a02"), "");

    // Without permission (no device file) the first node is still given, so that opening it tells
    // the user why the picture is missing. (High numbers: a node missing from the test bed is
    // looked for on the machine.)
    const QString locked = bed.addUsbInterface({0xfe11, 0x0a01, 0, 2, QStringLiteral("1")});
    bed.addVideoNode(locked, 91, 1);
    bed.addVideoNode(locked, 90, 0);
    EXPECT_EQ(nodeFor("0x2100000fe110a01"), "/dev/video90");
    auto device = V4l2CaptureBackend().deviceWithUniqueID("0x2100000fe110a01");
    ASSERT_NE(device, nullptr);
    CaptureDevice::Error error;
    EXPECT_FALSE(device->open(&error));
    EXPECT_TRUE(error.recoverySuggestion.contains("/dev/video90")) << qPrintable(error.recoverySuggestion);
}

struct MappingCase {
    const char *name;
    uint8_t selector;
    uint32_t id;
    int length;
    int newValue;
};

void PrintTo(const MappingCase &c, std::ostream *os) { *os << c.name; }

class V4l2MappingTest : public V4l2ControlChannelTest, public ::testing::WithParamInterface<MappingCase> {};

TEST_P(V4l2MappingTest, RequestsReachTheirControl)
{
    const MappingCase &c = GetParam();
    const V4l2Emulator::Control control = emulator.locked(emulator.controls).at(c.id);
    const uint16_t wValue = uint16_t(c.selector << 8);
    for (const auto &[request, expected] : {std::pair{UvcGetCur, control.current},
                                            {UvcGetMin, control.minimum},
                                            {UvcGetMax, control.maximum},
                                            {UvcGetDef, control.defaultValue}}) {
        QByteArray value(c.length, '\x55');
        EXPECT_EQ(send(request, wValue, 0x0300, value), UsbControlChannel::Ok);
        EXPECT_EQ(value.toHex(), le(expected, c.length).toHex()) << "request " << int(request);
    }
    QByteArray value = le(c.newValue, c.length);
    EXPECT_EQ(send(UvcSetCur, wValue, 0x0300, value), UsbControlChannel::Ok);
    EXPECT_EQ(emulator.locked(emulator.controls).at(c.id).current, c.newValue);
}

INSTANTIATE_TEST_SUITE_P(
    ProcessingUnit, V4l2MappingTest,
    ::testing::Values(MappingCase{"Backlight", 0x01, V4L2_CID_BACKLIGHT_COMPENSATION, 2, 2},
                      MappingCase{"Brightness", 0x02, V4L2_CID_BRIGHTNESS, 2, 255}, MappingCase{"Contrast", 0x03, V4L2_CID_CONTRAST, 2, 0},
                      MappingCase{"PowerLineFrequency", 0x05, V4L2_CID_POWER_LINE_FREQUENCY, 1, 1},
                      MappingCase{"Hue", 0x06, V4L2_CID_HUE, 2, -7}, MappingCase{"Saturation", 0x07, V4L2_CID_SATURATION, 2, 99},
                      MappingCase{"Sharpness", 0x08, V4L2_CID_SHARPNESS, 2, 15}, MappingCase{"Gamma", 0x09, V4L2_CID_GAMMA, 2, 300},
                      MappingCase{"WhiteBalanceTemperature", 0x0A, V4L2_CID_WHITE_BALANCE_TEMPERATURE, 2, 2800},
                      MappingCase{"WhiteBalanceAuto", 0x0B, V4L2_CID_AUTO_WHITE_BALANCE, 1, 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusedCase {
    const char *name;
    uint8_t bmRequestType, bRequest;
    uint16_t wValue, wIndex, wLength;
};

void PrintTo(const RefusedCase &c, std::ostream *os) { *os << c.name; }

class V4l2RefusedTest : public V4l2ControlChannelTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(V4l2RefusedTest, HasNoV4l2CounterpartAndReachesNoControl)
{
    const RefusedCase &c = GetParam();
    const size_t before = emulator.locked(emulator.calls).size();
    QByteArray data(c.wLength, '\x01');
    EXPECT_EQ(send(c.bRequest, c.wValue, c.wIndex, data, c.bmRequestType), UsbControlChannel::Refused);
    EXPECT_EQ(emulator.locked(emulator.calls).size(), before);
}

INSTANTIATE_TEST_SUITE_P(Requests, V4l2RefusedTest,
                         ::testing::Values(
                             // The auto-exposure row: selector 2 in one byte at the processing unit.
                             RefusedCase{"AutoExposureRow", 0xA1, UvcGetCur, 0x0200, 0x0300, 1},
                             RefusedCase{"GainIsNotMapped", 0xA1, UvcGetCur, 0x0400, 0x0300, 2},
                             RefusedCase{"CameraTerminal", 0xA1, UvcGetCur, 0x0200, 0x0100, 1},
                             RefusedCase{"UnknownInterface", 0xA1, UvcGetCur, 0x0200, 0x0302, 2},
                             RefusedCase{"ResolutionRequest", 0xA1, 0x84, 0x0200, 0x0300, 2},
                             RefusedCase{"DirectionMismatch", 0x21, UvcGetCur, 0x0200, 0x0300, 2},
                             RefusedCase{"VendorRequest", 0xC1, UvcGetCur, 0x0200, 0x0300, 2},
                             RefusedCase{"ProbeOfUvc10Size", 0x21, UvcSetCur, 0x0100, 0x0001, 26},
                             RefusedCase{"StillProbe", 0x21, UvcSetCur, 0x0300, 0x0001, 34}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(V4l2ControlChannelTest, ControlTheDriverRefusesIsRefusedAndAGoneDeviceDoesNotRespond)
{
    {
        std::lock_guard<std::mutex> lock(emulator.mutex);
        emulator.controls.erase(V4L2_CID_SHARPNESS);
        emulator.controls[V4L2_CID_GAMMA].flags = V4L2_CTRL_FLAG_DISABLED;
    }
    QByteArray value(2, '\0');
    EXPECT_EQ(send(UvcGetMin, 0x0800, 0x0300, value), UsbControlChannel::Refused);
    EXPECT_EQ(send(UvcGetCur, 0x0800, 0x0300, value), UsbControlChannel::Refused);
    EXPECT_EQ(send(UvcGetDef, 0x0900, 0x0300, value), UsbControlChannel::Refused);
    value = le(256, 2);
    EXPECT_EQ(send(UvcSetCur, 0x0200, 0x0300, value), UsbControlChannel::Refused) << "out of range";
    EXPECT_EQ(emulator.locked(emulator.controls).at(V4L2_CID_BRIGHTNESS).current, 200);

    // A device that is gone does not respond any more, and its node is not asked again.
    emulator.gone = true;
    EXPECT_EQ(send(UvcGetCur, 0x0200, 0x0300, value), UsbControlChannel::NotResponding);
    const size_t calls = emulator.locked(emulator.calls).size();
    EXPECT_EQ(send(UvcGetMin, 0x0300, 0x0300, value), UsbControlChannel::NotResponding);
    QByteArray block(34, '\0');
    EXPECT_EQ(send(UvcSetCur, 0x0100, 0x0001, block), UsbControlChannel::NotResponding);
    EXPECT_EQ(emulator.locked(emulator.calls).size(), calls) << "the node is not asked again";
}

TEST_F(V4l2ControlChannelTest, ProbeIsNegotiatedToTheFrameTableAndCommitSetsFormatAndInterval)
{
    const size_t opened = emulator.locked(emulator.calls).size();
    QByteArray block = probe(8, 1);
    ASSERT_EQ(send(UvcSetCur, 0x0100, 0x0001, block), UsbControlChannel::Ok);
    block.fill('\0');
    ASSERT_EQ(send(UvcGetCur, 0x0100, 0x0001, block), UsbControlChannel::Ok);
    EXPECT_EQ(block.toHex(' '), probe(8, 666666).toHex(' '));
    EXPECT_EQ(emulator.locked(emulator.calls).size(), opened) << "probing leaves the node alone";

    block = probe(10, 666666);
    ASSERT_EQ(send(UvcSetCur, 0x0200, 0x0001, block), UsbControlChannel::Ok);
    const auto formats = emulator.locked(emulator.formats);
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(std::tuple(formats[0].width, formats[0].height, formats[0].pixelformat),
              std::tuple(1600u, 1200u, uint32_t(V4L2_PIX_FMT_MJPEG)));
    const auto intervals = emulator.locked(emulator.intervals);
    ASSERT_EQ(intervals.size(), 1u);
    EXPECT_EQ(std::pair(intervals[0].numerator, intervals[0].denominator), std::pair(666666u, 10000000u));
    QByteArray committed(34, '\0');
    ASSERT_EQ(send(UvcGetCur, 0x0200, 0x0001, committed), UsbControlChannel::Ok);
    EXPECT_EQ(committed, block);
}

TEST_F(V4l2ControlChannelTest, CommitOutsideTheFrameTableOrWhileStreamingIsRefused)
{
    for (uint8_t index : {0, 12}) {
        QByteArray block = probe(index, 333333);
        EXPECT_EQ(send(UvcSetCur, 0x0200, 0x0001, block), UsbControlChannel::Refused);
    }
    EXPECT_TRUE(emulator.locked(emulator.formats).empty());
    emulator.busy = true;
    QByteArray block = probe(1, 333333);
    EXPECT_EQ(send(UvcSetCur, 0x0200, 0x0001, block), UsbControlChannel::Refused);
    EXPECT_TRUE(emulator.locked(emulator.intervals).empty()) << "no frame interval without the format";
}

TEST_F(V4l2ControlChannelTest, CameraImageControlsWorkOverV4l2)
{
    LumoCamera camera;
    ChannelBackend backend(std::move(channel));
    ASSERT_TRUE(camera.setupImageControl(backend));
    EXPECT_EQ(camera.brightness(), 200);
    // Auto-exposure mode has no V4L2 counterpart: the read fails, which counts as automatic.
    EXPECT_TRUE(camera.autoExposure());
    EXPECT_FALSE(camera.setIris(1));
    EXPECT_TRUE(camera.setResolution(15, 1280, 960));
    const auto formats = emulator.locked(emulator.formats);
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(formats[0].width, 1280u);
    EXPECT_TRUE(camera.getResolution());
}

// A node's control list as a driver gives it, for the control channel: QUERY_EXT_CTRL walks
// the list in id order, QUERYMENU answers a menu's entries, G/S_EXT_CTRLS one value at a time.
struct FakeControlNode : V4l2Io {
    struct Control {
        v4l2_query_ext_ctrl query;
        std::map<uint32_t, std::string> items; // menu index -> name (absent: a hole)
        int value;
    };
    std::map<uint32_t, Control> controls;
    int error = 0; // every ioctl fails with it (the node went away)
    int ioctls = 0;

    void add(uint32_t id, uint32_t type, const char *name, int64_t minimum, int64_t maximum, uint64_t step, int64_t byDefault,
             uint32_t flags = 0, std::map<uint32_t, std::string> items = {})
    {
        v4l2_query_ext_ctrl q{};
        q.id = id;
        q.type = type;
        std::strncpy(q.name, name, sizeof q.name - 1);
        q.minimum = minimum;
        q.maximum = maximum;
        q.step = step;
        q.default_value = byDefault;
        q.flags = flags;
        controls[id] = {q, std::move(items), int(byDefault)};
    }

    int open(const char *, int) override { return 7; }
    int close(int) override { return 0; }
    int poll(int, short, int, short *) override { return 0; }
    void *mmap(size_t, int, off_t) override { return MAP_FAILED; }
    int munmap(void *, size_t) override { return 0; }

    int ioctl(int, unsigned long request, void *arg) override
    {
        ++ioctls;
        if (error)
            return fail(error);
        switch (request) {
        case VIDIOC_QUERY_EXT_CTRL: {
            auto *q = static_cast<v4l2_query_ext_ctrl *>(arg);
            const bool next = q->id & V4L2_CTRL_FLAG_NEXT_CTRL;
            const uint32_t id = q->id & ~uint32_t(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
            const auto it = next ? controls.upper_bound(id) : controls.find(id);
            if (it == controls.end())
                return fail(EINVAL);
            *q = it->second.query;
            return 0;
        }
        case VIDIOC_QUERYMENU: {
            auto *m = static_cast<v4l2_querymenu *>(arg);
            const auto item = controls.count(m->id) ? controls[m->id].items.find(m->index) : std::map<uint32_t, std::string>::iterator();
            if (!controls.count(m->id) || item == controls[m->id].items.end())
                return fail(EINVAL);
            if (controls[m->id].query.type == V4L2_CTRL_TYPE_INTEGER_MENU)
                m->value = std::stoll(item->second);
            else
                std::strncpy(reinterpret_cast<char *>(m->name), item->second.c_str(), sizeof m->name - 1);
            return 0;
        }
        case VIDIOC_G_EXT_CTRLS:
        case VIDIOC_S_EXT_CTRLS: {
            auto *list = static_cast<v4l2_ext_controls *>(arg);
            if (list->count != 1 || !controls.count(list->controls[0].id))
                return fail(EINVAL);
            Control &c = controls[list->controls[0].id];
            if (request == VIDIOC_G_EXT_CTRLS) {
                list->controls[0].value = c.value;
                return 0;
            }
            const int value = list->controls[0].value;
            if (c.query.flags & V4L2_CTRL_FLAG_INACTIVE)
                return fail(EACCES);
            if (value < c.query.minimum || value > c.query.maximum)
                return fail(ERANGE);
            c.value = value;
            // Switching automatic white balance makes the temperature inactive or active.
            if (list->controls[0].id == V4L2_CID_AUTO_WHITE_BALANCE && controls.count(V4L2_CID_WHITE_BALANCE_TEMPERATURE)) {
                uint32_t &flags = controls[V4L2_CID_WHITE_BALANCE_TEMPERATURE].query.flags;
                flags = value ? flags | V4L2_CTRL_FLAG_INACTIVE : flags & ~uint32_t(V4L2_CTRL_FLAG_INACTIVE);
            }
            return 0;
        }
        default:
            return fail(ENOTTY);
        }
    }

    static int fail(int e)
    {
        errno = e;
        return -1;
    }
};

TEST(V4l2CameraControls, ListsWhatTheInterfaceCanShowWithItsOwnLimitsAndFollowsTheInactiveFlag)
{
    FakeControlNode node;
    node.add(V4L2_CID_USER_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "User Controls", 0, 0, 0, 0, V4L2_CTRL_FLAG_READ_ONLY);
    node.add(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64, 1, 0);
    node.add(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, "Contrast", 0, 100, 1, 50, V4L2_CTRL_FLAG_DISABLED);
    node.add(V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, "White Balance, Automatic", 0, 1, 1, 1);
    node.add(V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 3, 1, 1, 0,
             {{0, "Disabled"}, {1, "50 Hz"}, {3, "Auto"}});
    node.add(V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CTRL_TYPE_INTEGER, "White Balance Temperature", 2800, 6500, 10, 4600,
             V4L2_CTRL_FLAG_INACTIVE);
    node.add(V4L2_CID_COLORFX, V4L2_CTRL_TYPE_MENU, "Colour Effects", 0, INT32_MAX, 1, 0, 0, {{0, "None"}}); // read no further
    node.add(V4L2_CID_CAMERA_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "Camera Controls", 0, 0, 0, 0);
    node.add(V4L2_CID_ZOOM_ABSOLUTE, V4L2_CTRL_TYPE_INTEGER_MENU, "zoom_absolute", 0, 1, 1, 0, 0, {{0, "100"}, {1, "200"}});
    node.add(V4L2_CID_AUTO_FOCUS_START, V4L2_CTRL_TYPE_BUTTON, "Auto Focus, Start", 0, 0, 0, 0, V4L2_CTRL_FLAG_WRITE_ONLY);
    node.add(V4L2_CID_PAN_SPEED, V4L2_CTRL_TYPE_INTEGER64, "Pan, Speed", 0, 10, 1, 0);

    auto channel = openV4l2CameraControls("/dev/video7", node);
    ASSERT_TRUE(channel);
    const QList<CameraControl> list = channel->controls();
    QStringList names;
    for (const CameraControl &c : list)
        names << c.label();
    EXPECT_EQ(names, QStringList({"Brightness", "White Balance, Automatic", "Power Line Frequency", "White Balance Temperature",
                                  "Colour Effects", "Zoom Absolute", "Auto Focus, Start"}))
        << "no class titles, disabled controls or 64-bit values";
    EXPECT_EQ(std::tuple(list[0].minimum, list[0].maximum, list[0].defaultValue), std::tuple(-64, 64, 0));
    EXPECT_EQ(list[1].type, CameraControl::Type::Boolean);
    EXPECT_EQ(list[2].menu, (QList<QPair<int, QString>>{{0, "Disabled"}, {1, "50 Hz"}, {3, "Auto"}})) << "the hole at 2 left out";
    EXPECT_EQ(std::tuple(list[3].step, list[3].inactive(), list[3].clamped(4604)), std::tuple(10, true, 4600));
    EXPECT_EQ(list[4].menu.size(), 1);
    EXPECT_EQ(list[5].menu, (QList<QPair<int, QString>>{{0, "100"}, {1, "200"}}));
    EXPECT_EQ(list[6].type, CameraControl::Type::Button);

    EXPECT_EQ(channel->value(V4L2_CID_BRIGHTNESS), 0);
    EXPECT_TRUE(channel->setValue(V4L2_CID_BRIGHTNESS, -64));
    EXPECT_EQ(channel->value(V4L2_CID_BRIGHTNESS), -64);
    EXPECT_FALSE(channel->setValue(V4L2_CID_BRIGHTNESS, 65)) << "out of range";
    EXPECT_FALSE(channel->setValue(V4L2_CID_WHITE_BALANCE_TEMPERATURE, 5000)) << "inactive";
    EXPECT_TRUE(channel->setValue(V4L2_CID_AUTO_WHITE_BALANCE, 0));
    EXPECT_FALSE(channel->control(V4L2_CID_WHITE_BALANCE_TEMPERATURE)->inactive()) << "the flag is read again";
    EXPECT_TRUE(channel->setValue(V4L2_CID_WHITE_BALANCE_TEMPERATURE, 5000));

    // The node goes away: every call fails softly, and the node is not asked again.
    node.error = ENODEV;
    EXPECT_EQ(channel->value(V4L2_CID_BRIGHTNESS), std::nullopt);
    const int asked = node.ioctls;
    EXPECT_FALSE(channel->setValue(V4L2_CID_BRIGHTNESS, 1));
    EXPECT_TRUE(channel->controls().isEmpty());
    EXPECT_EQ(channel->control(V4L2_CID_BRIGHTNESS), std::nullopt);
    EXPECT_EQ(node.ioctls, asked);
}

} // namespace
