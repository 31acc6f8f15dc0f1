#include "TestSupport.h"
#include "UdevTestbed.h"
#include "core/NotificationNames.h"
#include "device/CameraIds.h"
#include "device/DeviceBackend.h"
#include "device/LumoCamera.h"
#include "device/LumoCamerasController.h"
#include "device/linux/UdevBackend.h"

#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace NotificationNames;

const UdevTestbed::UsbDevice Arvo{CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1,
                                  QStringLiteral("2.3")};
const UdevTestbed::UsbDevice Tobble{CameraIds::VendorId, CameraIds::TobbleProductId, 0x0200, 3,
                                    QStringLiteral("1.4.2")};
const UdevTestbed::UsbDevice Keyboard{0x046d, 0xc31c, 0x6400, 1, QStringLiteral("4")};

const DeviceInfo *findProduct(const std::vector<DeviceInfo> &devices, uint32_t productId)
{
    auto it = std::find_if(devices.begin(), devices.end(),
                           [&](const DeviceInfo &d) { return d.productId == productId; });
    return it == devices.end() ? nullptr : &*it;
}

// --- Discovery ------------------------------------------------------------------------------

TEST(UdevDiscovery, PresentDevicesAreTheMakersWithIdsFromTheirUsbDevice)
{
    UdevTestbed bed;
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    bed.addHidrawDevice(Keyboard, 1);
    bed.addNonUsbHidrawDevice(2);
    const QString tobble = bed.addHidrawDevice(Tobble, 3);
    // The maker's product that is neither model is listed: the registry decides about it.
    bed.addHidrawDevice({CameraIds::VendorId, 0x0a7f, 0x0001, 2, QStringLiteral("1")}, 4);

    const std::vector<DeviceInfo> devices = createLinuxBackend()->presentDevices();
    ASSERT_EQ(devices.size(), 3u);

    const DeviceInfo *info = findProduct(devices, CameraIds::ArvoProductId);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->key, arvo) << "the hidraw node's sysfs path";
    EXPECT_EQ(info->vendorId, CameraIds::VendorId);
    EXPECT_EQ(info->releaseNumber, 0x0102);
    EXPECT_EQ(info->locationId, 0x01230000u) << "bus 1, ports 2.3";
    EXPECT_EQ(info->hidNode, "/dev/hidraw0");
    EXPECT_EQ(info->usbDevice, UdevTestbed::usbParentOf(arvo)) << "not the USB interface";

    info = findProduct(devices, CameraIds::TobbleProductId);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->key, tobble);
    EXPECT_EQ(info->releaseNumber, 0x0200);
    EXPECT_EQ(info->locationId, 0x03142000u) << "bus 3, ports 1.4.2";
    EXPECT_EQ(info->hidNode, "/dev/hidraw3");

    EXPECT_TRUE(findProduct(devices, 0x0a7f));
}

class UdevMonitor : public testing::Test {
protected:
    void SetUp() override
    {
        backend = createLinuxBackend();
        DeviceBackend::Callbacks callbacks;
        callbacks.arrived = [this](const DeviceInfo &device) {
            arrived.push_back(device);
            callbackThreads << QThread::currentThread();
        };
        callbacks.removed = [this](const QString &key) {
            removed << key;
            callbackThreads << QThread::currentThread();
        };
        ASSERT_TRUE(backend->startMonitoring(std::move(callbacks)));
    }

    UdevTestbed bed;
    std::unique_ptr<DeviceBackend> backend;
    std::vector<DeviceInfo> arrived;
    QStringList removed;
    QList<QThread *> callbackThreads;
};

TEST_F(UdevMonitor, ArrivalsOfTheMakersDevicesAreReportedWithTheirIds)
{
    // Plugged first, so a keyboard that got through would arrive before the camera.
    bed.addHidrawDevice(Keyboard, 1);
    bed.addNonUsbHidrawDevice(2);
    const QString arvo = bed.addHidrawDevice(Arvo, 0);

    ASSERT_TRUE(waitUntil([&] { return !arrived.empty(); }));
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(arrived[0].key, arvo);
    EXPECT_EQ(arrived[0].productId, CameraIds::ArvoProductId);
    EXPECT_EQ(arrived[0].locationId, 0x01230000u);
    EXPECT_EQ(arrived[0].hidNode, "/dev/hidraw0");
    EXPECT_EQ(callbackThreads, QList<QThread *>({QThread::currentThread()}))
        << "delivered on the thread that started monitoring";
}

TEST_F(UdevMonitor, RemovalIsReportedByKeyOnceTheUsbDeviceIsGone)
{
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    ASSERT_TRUE(waitUntil([&] { return !arrived.empty(); }));

    // The event is read only after sysfs has lost the device and its parent.
    bed.unplug(arvo);
    ASSERT_TRUE(waitUntil([&] { return !removed.isEmpty(); }));
    EXPECT_EQ(removed, QStringList({arvo}));
    EXPECT_TRUE(backend->presentDevices().empty());
}

TEST(UdevBackend, OpenHidGivesAChannelOnlyForAnOpenableNode)
{
    UdevTestbed bed;
    bed.addHidrawDevice(Arvo, 0);
    bed.addHidrawDevice(Tobble, 3); // no node in /dev
    FakeHidraw node(bed, QStringLiteral("/dev/hidraw0"), cameraReportDescriptor());
    auto backend = createLinuxBackend();
    const std::vector<DeviceInfo> devices = backend->presentDevices();
    ASSERT_EQ(devices.size(), 2u);

    auto channel = backend->openHid(*findProduct(devices, CameraIds::ArvoProductId));
    ASSERT_TRUE(channel);
    EXPECT_TRUE(channel->startEvents()) << "its report descriptor was read";
    channel.reset();
    EXPECT_FALSE(backend->openHid(*findProduct(devices, CameraIds::TobbleProductId)));
}

// --- The registry over udev -------------------------------------------------------------------

class LinuxRegistry : public testing::Test {
protected:
    // A camera on the bed whose node answers like the camera: the focus-mode query says
    // "continuous".
    QString addCamera(const UdevTestbed::UsbDevice &usb, int minor)
    {
        const QString syspath = bed.addHidrawDevice(usb, minor);
        auto node = std::make_unique<FakeHidraw>(bed, QStringLiteral("/dev/hidraw%1").arg(minor),
                                                 cameraReportDescriptor());
        node->setInputReport(1, QByteArray::fromHex("0001000000"));
        nodes.push_back(std::move(node));
        return syspath;
    }
    void TearDown() override
    {
        // Closes the cameras' nodes before their device ends go.
        registry.reset();
        nodes.clear();
    }
    bool waitForCameras(int count)
    {
        return waitUntil([&] { return registry->availableCameras().size() == count; });
    }

    Sandbox sandbox;
    UdevTestbed bed;
    std::vector<std::unique_ptr<FakeHidraw>> nodes;
    std::unique_ptr<LumoCamerasController> registry;
};

TEST_F(LinuxRegistry, PluggedCameraBecomesCurrentTalksAndIsDroppedWhenUnplugged)
{
    const QString arvo = addCamera(Arvo, 0);
    NotificationRecorder changes({CameraWillChange, CameraDidChange});
    registry = std::make_unique<LumoCamerasController>(createLinuxBackend());
    ASSERT_TRUE(changes.waitForCount(2));

    CameraPtr camera = registry->currentCamera();
    ASSERT_TRUE(camera);
    EXPECT_EQ(camera->deviceKey(), arvo);
    EXPECT_EQ(camera->productId(), CameraIds::ArvoProductId);
    EXPECT_EQ(camera->locationId(), 0x01230000u);
    EXPECT_EQ(LumoCamera::firmwareVersion(), 0x0102);
    // Preparation asked the focus mode over hidraw and understood the answer.
    ASSERT_FALSE(nodes[0]->writes().isEmpty());
    EXPECT_EQ(nodes[0]->writes().first().toHex(' '), "02 02 00 03 00 00");
    EXPECT_EQ(camera->isContinousFocusMode, 1);

    // A press of the snapshot button, read from the node, reaches the main thread.
    NotificationRecorder snapshots({Snapshot});
    nodes[0]->sendInputReport(cameraButtonReport(0x0001));
    ASSERT_TRUE(snapshots.waitForCount(1));
    EXPECT_TRUE(snapshots.allOnMainThread());

    changes.clear();
    nodes[0]->setGone();
    bed.unplug(arvo);
    ASSERT_TRUE(waitForCameras(0));
    EXPECT_FALSE(registry->currentCamera());
    EXPECT_TRUE(changes.waitForCount(2));
    EXPECT_FALSE(camera->hasHidDevice());
}

TEST_F(LinuxRegistry, CameraPluggedLaterArrivesThroughTheMonitor)
{
    const QString first = addCamera(Arvo, 0);
    registry = std::make_unique<LumoCamerasController>(createLinuxBackend());
    // Once the first camera is listed the present devices were enumerated: a later camera can
    // only come through the monitor.
    ASSERT_TRUE(waitForCameras(1));
    const QString second = addCamera(Tobble, 3);
    ASSERT_TRUE(waitForCameras(2));
    EXPECT_EQ(registry->availableCameras()[1]->deviceKey(), second);
    EXPECT_EQ(registry->availableCameras()[1]->locationId(), 0x03142000u);

    nodes[0]->setGone();
    bed.unplug(first);
    ASSERT_TRUE(waitForCameras(1));
    ASSERT_TRUE(registry->currentCamera());
    EXPECT_EQ(registry->currentCamera()->deviceKey(), second) << "the remaining camera takes over";
}

} // namespace
