// glib first: its headers use "signals" as a name, which Qt's headers define as a keyword.
#include <umockdev.h>

#include "capture/linux/V4l2CaptureBackend.h"
#include "capture/linux/V4l2CaptureDevice.h"
#include "capture/linux/V4l2NodeLookup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <linux/videodev2.h>
#include <string>
#include <vector>

namespace {

constexpr uint32_t CaptureCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
constexpr uint32_t MetadataCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;

// A umockdev test bed with USB cameras and their video nodes. Each node answers VIDIOC_QUERYCAP
// with its device capabilities, on umockdev's thread; any other request is unknown to it.
class VideoTestbed {
public:
    VideoTestbed()
    {
        // Without the preloaded interposer, libudev would see the machine's real devices.
        EXPECT_TRUE(qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev")))
            << "run this test under umockdev-wrapper";
    }
    ~VideoTestbed()
    {
        for (UMockdevIoctlBase *handler : handlers_)
            g_object_unref(handler);
        g_object_unref(testbed_);
    }

    // USB device fe11:`product` with one interface; returns the interface's sysfs path.
    std::string addUsbCamera(unsigned bus, const std::string &ports, const char *product)
    {
        const std::string name = std::to_string(bus) + "-" + ports;
        g_autofree gchar *usb = umockdev_testbed_add_device(
            testbed_, "usb", name.c_str(), nullptr, "busnum", std::to_string(bus).c_str(),
            "devpath", ports.c_str(), "idVendor", "fe11", "idProduct", product, nullptr,
            "DEVTYPE", "usb_device", nullptr);
        g_autofree gchar *interface = umockdev_testbed_add_device(
            testbed_, "usb", (name + ":1.0").c_str(), usb, "bInterfaceNumber", "00", nullptr,
            "DEVTYPE", "usb_interface", nullptr);
        return interface;
    }

    // /dev/<name> below `parent` (empty: no USB ancestor). Not `openable`: no device file, as
    // for a node without permission.
    void addVideoNode(const std::string &parent, const std::string &name, int index,
                      uint32_t deviceCaps, bool openable = true)
    {
        const std::string devname = "/dev/" + name;
        g_free(umockdev_testbed_add_device(
            testbed_, "video4linux", name.c_str(), parent.empty() ? nullptr : parent.c_str(),
            "index", std::to_string(index).c_str(), "name", "Test camera", nullptr, "DEVNAME",
            devname.c_str(), nullptr));
        if (!openable)
            return;

        // umockdev routes open() of a node to its handler once a file stands for the node.
        g_autofree gchar *root = umockdev_testbed_get_root_dir(testbed_);
        const std::string dev = std::string(root) + "/dev";
        g_mkdir_with_parents(dev.c_str(), 0755);
        ASSERT_TRUE(g_file_set_contents((dev + "/" + name).c_str(), "", 0, nullptr));

        UMockdevIoctlBase *handler = umockdev_ioctl_base_new();
        handlers_.push_back(handler);
        g_signal_connect(handler, "handle-ioctl", G_CALLBACK(&VideoTestbed::handleIoctl),
                         GUINT_TO_POINTER(deviceCaps));
        ASSERT_TRUE(umockdev_testbed_attach_ioctl(testbed_, devname.c_str(), handler, nullptr));
    }

private:
    static gboolean handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer caps)
    {
        if (umockdev_ioctl_client_get_request(client) != VIDIOC_QUERYCAP) {
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
        }
        UMockdevIoctlData *data = umockdev_ioctl_data_resolve(
            umockdev_ioctl_client_get_arg(client), 0, sizeof(v4l2_capability), nullptr);
        v4l2_capability capability{};
        capability.device_caps = GPOINTER_TO_UINT(caps);
        capability.capabilities = capability.device_caps | V4L2_CAP_DEVICE_CAPS;
        std::memcpy(data->data, &capability, sizeof capability);
        umockdev_ioctl_data_unref(data);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }

    UMockdevTestbed *testbed_ = umockdev_testbed_new();
    std::vector<UMockdevIoctlBase *> handlers_;
};

struct NodeLookup : testing::Test {
    static QString nodeFor(const QString &uniqueId)
    {
        return V4l2NodeLookup::captureNodeFor(uniqueId, V4l2Io::system());
    }
    VideoTestbed testbed;
    V4l2CaptureBackend backend;
};

TEST(V4l2UniqueId, ComesFromTheUsbDevice)
{
    EXPECT_EQ(V4l2NodeLookup::uniqueIdFrom(1, "2", 0xfe11, 0x0a01), "0x1200000fe110a01");
    EXPECT_EQ(V4l2NodeLookup::uniqueIdFrom(3, "2.3", 0xfe11, 0x0a02), "0x3230000fe110a02");
    EXPECT_EQ(V4l2NodeLookup::uniqueIdFrom(0x20, "1.15.4", 0x1234, 0x5678), "0x201f400012345678");
}

TEST_F(NodeLookup, EachCameraGetsItsOwnNode)
{
    // Two cameras of the same model, told apart by where they are plugged.
    const std::string first = testbed.addUsbCamera(1, "2", "0a01");
    testbed.addVideoNode(first, "video0", 0, CaptureCaps);
    testbed.addVideoNode(first, "video1", 1, MetadataCaps);
    const std::string second = testbed.addUsbCamera(3, "2.3", "0a01");
    testbed.addVideoNode(second, "video2", 0, CaptureCaps);
    testbed.addVideoNode(second, "video3", 1, MetadataCaps);
    testbed.addVideoNode({}, "video4", 0, CaptureCaps); // a built-in camera, not on USB

    EXPECT_EQ(nodeFor("0x1200000fe110a01"), "/dev/video0");
    EXPECT_EQ(nodeFor("0x3230000fe110a01"), "/dev/video2");
    EXPECT_EQ(nodeFor("0x3230000FE110A01"), "/dev/video2") << "hex digits in any case";
    EXPECT_EQ(nodeFor("0x3230000fe110a02"), "") << "another product";
    EXPECT_EQ(nodeFor("0x2230000fe110a01"), "") << "another bus";

    auto device = backend.deviceWithUniqueID("0x3230000fe110a01");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(static_cast<V4l2CaptureDevice *>(device.get())->node(), "/dev/video2");
    EXPECT_EQ(backend.deviceWithUniqueID("0x1300000fe110a01"), nullptr);
}

TEST_F(NodeLookup, CaptureNodeIsTakenOverTheMetadataNodeAndAMetadataNodeAloneIsNone)
{
    // The metadata node comes first, by number and by index: only its capabilities tell.
    const std::string camera = testbed.addUsbCamera(1, "4", "0a02");
    testbed.addVideoNode(camera, "video0", 0, MetadataCaps);
    testbed.addVideoNode(camera, "video1", 1, CaptureCaps);
    EXPECT_EQ(nodeFor("0x1400000fe110a02"), "/dev/video1");

    const std::string metadataOnly = testbed.addUsbCamera(1, "5", "0a02");
    testbed.addVideoNode(metadataOnly, "video2", 1, MetadataCaps);
    EXPECT_EQ(nodeFor("0x1500000fe110a02"), "");
    EXPECT_EQ(backend.deviceWithUniqueID("0x1500000fe110a02"), nullptr);
}

TEST_F(NodeLookup, NodesThatCannotBeAskedFallBackToTheFirstIndex)
{
    // Without permission the first node is still given, so that opening it tells the user why
    // the picture is missing. (High numbers: a node missing from the test bed is looked for on
    // the machine.)
    const std::string camera = testbed.addUsbCamera(2, "1", "0a01");
    testbed.addVideoNode(camera, "video91", 1, MetadataCaps, false);
    testbed.addVideoNode(camera, "video90", 0, CaptureCaps, false);
    EXPECT_EQ(nodeFor("0x2100000fe110a01"), "/dev/video90");

    auto device = backend.deviceWithUniqueID("0x2100000fe110a01");
    ASSERT_NE(device, nullptr);
    CaptureDevice::Error error;
    EXPECT_FALSE(device->open(&error));
    EXPECT_TRUE(error.recoverySuggestion.contains("/dev/video90")) << qPrintable(error.recoverySuggestion);
}

} // namespace
