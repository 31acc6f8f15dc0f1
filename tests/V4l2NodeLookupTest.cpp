// glib first: its headers use "signals" as a name, which Qt's headers define as a keyword.
#include <umockdev.h>

#include "capture/linux/V4l2CaptureBackend.h"
#include "capture/linux/V4l2CaptureDevice.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <linux/videodev2.h>
#include <list>
#include <string>
#include <vector>

namespace {

// A umockdev test bed with USB cameras and their video4linux nodes. Each node answers
// VIDIOC_QUERYCAP with the device capabilities it was given, on umockdev's own thread, as the
// driver would; every other request is unknown to it.
class VideoTestbed {
public:
    VideoTestbed()
        : testbed_(umockdev_testbed_new())
    {
    }
    ~VideoTestbed()
    {
        for (Node &node : nodes_)
            g_object_unref(node.handler);
        g_object_unref(testbed_);
    }
    VideoTestbed(const VideoTestbed &) = delete;
    VideoTestbed &operator=(const VideoTestbed &) = delete;

    // A USB device on `bus` at `ports` ("2.3") with one interface; returns the interface's
    // sysfs path, the parent of its video nodes.
    std::string addUsbCamera(unsigned bus, const std::string &ports, const char *vendor,
                             const char *product)
    {
        const std::string name = std::to_string(bus) + "-" + ports;
        const std::string busnum = std::to_string(bus);
        gchar *usb = umockdev_testbed_add_device(testbed_, "usb", name.c_str(), nullptr,
                                                 "busnum", busnum.c_str(), "devpath", ports.c_str(),
                                                 "idVendor", vendor, "idProduct", product, nullptr,
                                                 "DEVTYPE", "usb_device", nullptr);
        gchar *interface = umockdev_testbed_add_device(testbed_, "usb", (name + ":1.0").c_str(), usb,
                                                       "bInterfaceNumber", "00", nullptr,
                                                       "DEVTYPE", "usb_interface", nullptr);
        std::string result = interface;
        g_free(usb);
        g_free(interface);
        return result;
    }

    // /dev/<name> below `parent` (empty: a platform device with no USB ancestor). With
    // `openable` false the node has no device file, as a node without permission would fail.
    void addVideoNode(const std::string &parent, const std::string &name, int index,
                      uint32_t deviceCaps, bool openable = true)
    {
        const std::string indexText = std::to_string(index);
        const std::string devname = "/dev/" + name;
        gchar *syspath = umockdev_testbed_add_device(
            testbed_, "video4linux", name.c_str(), parent.empty() ? nullptr : parent.c_str(),
            "index", indexText.c_str(), "name", "Test camera", nullptr, "DEVNAME", devname.c_str(),
            nullptr);
        g_free(syspath);
        if (!openable)
            return;

        // umockdev routes open() of a node to its handler once a file stands for the node.
        gchar *root = umockdev_testbed_get_root_dir(testbed_);
        const std::string devDir = std::string(root) + "/dev";
        g_free(root);
        g_mkdir_with_parents(devDir.c_str(), 0755);
        QFile file(QString::fromStdString(devDir + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();

        nodes_.push_back({umockdev_ioctl_base_new(), deviceCaps});
        Node &node = nodes_.back();
        g_signal_connect(node.handler, "handle-ioctl", G_CALLBACK(&VideoTestbed::handleIoctl), &node);
        GError *error = nullptr;
        ASSERT_TRUE(umockdev_testbed_attach_ioctl(testbed_, devname.c_str(), node.handler, &error))
            << (error ? error->message : "");
    }

private:
    struct Node {
        UMockdevIoctlBase *handler;
        uint32_t deviceCaps;
    };

    static gboolean handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, Node *node)
    {
        if (umockdev_ioctl_client_get_request(client) != VIDIOC_QUERYCAP) {
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
        }
        UMockdevIoctlData *data = umockdev_ioctl_data_resolve(
            umockdev_ioctl_client_get_arg(client), 0, sizeof(v4l2_capability), nullptr);
        if (!data)
            return FALSE;
        v4l2_capability capability{};
        std::strcpy(reinterpret_cast<char *>(capability.driver), "uvcvideo");
        capability.capabilities = node->deviceCaps | V4L2_CAP_DEVICE_CAPS;
        capability.device_caps = node->deviceCaps;
        std::memcpy(data->data, &capability, sizeof capability);
        umockdev_ioctl_data_unref(data);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }

    UMockdevTestbed *testbed_;
    std::list<Node> nodes_; // the handlers point into it: no moves
};

constexpr uint32_t CaptureCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
constexpr uint32_t MetadataCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;

class V4l2NodeLookup : public testing::Test {
protected:
    void SetUp() override
    {
        // Without the preloaded interposer, libudev would see the machine's real devices.
        ASSERT_TRUE(qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev")))
            << "run this test under umockdev-wrapper";
    }

    VideoTestbed testbed;
    V4l2CaptureBackend backend;
};

TEST_F(V4l2NodeLookup, UniqueIdComesFromTheUsbDevice)
{
    EXPECT_EQ(V4l2CaptureBackend::uniqueIdFrom(1, "2", 0xfe11, 0x0a01), "0x1200000fe110a01");
    EXPECT_EQ(V4l2CaptureBackend::uniqueIdFrom(3, "2.3", 0xfe11, 0x0a02), "0x3230000fe110a02");
    EXPECT_EQ(V4l2CaptureBackend::uniqueIdFrom(0x20, "1.15.4", 0x1234, 0x5678), "0x201f400012345678");
}

TEST_F(V4l2NodeLookup, EachCameraGetsItsOwnNode)
{
    // Two cameras of the same model, told apart by where they are plugged.
    const std::string first = testbed.addUsbCamera(1, "2", "fe11", "0a01");
    testbed.addVideoNode(first, "video0", 0, CaptureCaps);
    testbed.addVideoNode(first, "video1", 1, MetadataCaps);
    const std::string second = testbed.addUsbCamera(3, "2.3", "fe11", "0a01");
    testbed.addVideoNode(second, "video2", 0, CaptureCaps);
    testbed.addVideoNode(second, "video3", 1, MetadataCaps);
    // A built-in camera that is not on USB.
    testbed.addVideoNode({}, "video4", 0, CaptureCaps);

    EXPECT_EQ(backend.videoNodeFor("0x1200000fe110a01"), "/dev/video0");
    EXPECT_EQ(backend.videoNodeFor("0x3230000fe110a01"), "/dev/video2");
    EXPECT_EQ(backend.videoNodeFor("0x3230000FE110A01"), "/dev/video2") << "hex digits in any case";
    EXPECT_EQ(backend.videoNodeFor("0x3230000fe110a02"), "") << "another product";
    EXPECT_EQ(backend.videoNodeFor("0x2230000fe110a01"), "") << "another bus";

    auto device = backend.deviceWithUniqueID("0x3230000fe110a01");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(static_cast<V4l2CaptureDevice *>(device.get())->node(), "/dev/video2");
    EXPECT_EQ(backend.deviceWithUniqueID("0x1300000fe110a01"), nullptr);
}

TEST_F(V4l2NodeLookup, CaptureNodeIsTakenOverTheMetadataNode)
{
    // The metadata node comes first here, by number and by index: only its capabilities tell.
    const std::string camera = testbed.addUsbCamera(1, "4", "fe11", "0a02");
    testbed.addVideoNode(camera, "video0", 0, MetadataCaps);
    testbed.addVideoNode(camera, "video1", 1, CaptureCaps);
    EXPECT_EQ(backend.videoNodeFor("0x1400000fe110a02"), "/dev/video1");
}

TEST_F(V4l2NodeLookup, CameraWithOnlyAMetadataNodeHasNoDevice)
{
    const std::string camera = testbed.addUsbCamera(1, "4", "fe11", "0a02");
    testbed.addVideoNode(camera, "video1", 1, MetadataCaps);
    EXPECT_EQ(backend.videoNodeFor("0x1400000fe110a02"), "");
    EXPECT_EQ(backend.deviceWithUniqueID("0x1400000fe110a02"), nullptr);
}

TEST_F(V4l2NodeLookup, NodesThatCannotBeAskedFallBackToTheFirstIndex)
{
    // No permission to open the nodes: the first one is still given, so that opening it tells
    // the user why the picture is missing. (High numbers: a node missing from the test bed is
    // looked for on the machine.)
    const std::string camera = testbed.addUsbCamera(2, "1", "fe11", "0a01");
    testbed.addVideoNode(camera, "video91", 1, MetadataCaps, false);
    testbed.addVideoNode(camera, "video90", 0, CaptureCaps, false);
    EXPECT_EQ(backend.videoNodeFor("0x2100000fe110a01"), "/dev/video90");

    auto device = backend.deviceWithUniqueID("0x2100000fe110a01");
    ASSERT_NE(device, nullptr);
    CaptureDevice::Error error;
    EXPECT_FALSE(device->open(&error));
    EXPECT_EQ(error.description, "The camera's video could not be opened.");
    EXPECT_TRUE(error.recoverySuggestion.contains("/dev/video90")) << qPrintable(error.recoverySuggestion);
}

} // namespace
