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

const UdevTestbed::UsbDevice Arvo{CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1, QStringLiteral("2.3")};
const UdevTestbed::UsbDevice Tobble{CameraIds::VendorId, CameraIds::TobbleProductId, 0x0200, 3, QStringLiteral("1.4.2")};
const UdevTestbed::UsbDevice Keyboard{0xfe22, 0x0c31, 0x6400, 1, QStringLiteral("4")};

const DeviceInfo *findProduct(const std::vector<DeviceInfo> &devices, uint32_t productId)
{
    auto it = std::find_if(devices.begin(), devices.end(), [&](const DeviceInfo &d) { return d.productId == productId; });
    return it == devices.end() ? nullptr : &*it;
}

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
    EXPECT_TRUE(findProduct(devices, 0x0a7f));

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
    EXPECT_EQ(info->locationId, 0x03142000u) << "bus 3, ports 1.4.2";
    EXPECT_EQ(info->hidNode, "/dev/hidraw3");
}

TEST(UdevMonitor, ArrivalAndRemovalOfTheMakersDevicesAreReportedOnTheStartingThread)
{
    UdevTestbed bed;
    const std::unique_ptr<DeviceBackend> backend = createLinuxBackend();
    std::vector<DeviceInfo> arrived;
    QStringList removed;
    QList<QThread *> threads;
    DeviceBackend::Callbacks callbacks;
    callbacks.arrived = [&](const DeviceInfo &device) {
        arrived.push_back(device);
        threads << QThread::currentThread();
    };
    callbacks.removed = [&](const QString &key) {
        removed << key;
        threads << QThread::currentThread();
    };
    ASSERT_TRUE(backend->startMonitoring(std::move(callbacks)));

    // Plugged first, so a keyboard that got through would arrive before the camera.
    bed.addHidrawDevice(Keyboard, 1);
    bed.addNonUsbHidrawDevice(2);
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    ASSERT_TRUE(waitUntil([&] { return !arrived.empty(); }));
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(arrived[0].key, arvo);
    EXPECT_EQ(arrived[0].hidNode, "/dev/hidraw0");

    // The event is read only after sysfs has lost the device and its parent.
    bed.unplug(arvo);
    ASSERT_TRUE(waitUntil([&] { return !removed.isEmpty(); }));
    EXPECT_EQ(removed, QStringList({arvo}));
    EXPECT_TRUE(backend->presentDevices().empty());
    EXPECT_EQ(threads, QList<QThread *>(2, QThread::currentThread()));
}

TEST(LinuxRegistry, PluggedCameraBecomesCurrentTalksAndIsDroppedWhenUnplugged)
{
    Sandbox sandbox;
    UdevTestbed bed;
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    FakeHidraw node(bed, QStringLiteral("/dev/hidraw0"), cameraReportDescriptor());
    node.setInputReport(1, QByteArray::fromHex("01000000")); // focus mode: continuous
    NotificationRecorder changes({CameraWillChange, CameraDidChange});
    LumoCamerasController registry(createLinuxBackend()); // goes before the node
    ASSERT_TRUE(changes.waitForCount(2));

    CameraPtr camera = registry.currentCamera();
    ASSERT_TRUE(camera);
    EXPECT_EQ(camera->deviceKey(), arvo);
    EXPECT_EQ(camera->productId(), CameraIds::ArvoProductId);
    EXPECT_EQ(camera->locationId(), 0x01230000u);
    EXPECT_EQ(LumoCamera::firmwareVersion(), 0x0102);
    // Preparation asked the focus mode over hidraw and understood the answer.
    ASSERT_FALSE(node.writes().isEmpty());
    EXPECT_EQ(node.writes().first().toHex(' '), "02 00 03 00 00") << "as listed, ID first";
    EXPECT_EQ(camera->isContinousFocusMode, 1);

    NotificationRecorder snapshots({Snapshot});
    node.sendInputReport(cameraButtonReport(0x0001));
    ASSERT_TRUE(snapshots.waitForCount(1));
    EXPECT_TRUE(snapshots.allOnMainThread());

    changes.clear();
    node.setGone();
    bed.unplug(arvo);
    ASSERT_TRUE(waitUntil([&] { return registry.availableCameras().isEmpty(); }));
    EXPECT_FALSE(registry.currentCamera());
    EXPECT_TRUE(changes.waitForCount(2));
    EXPECT_FALSE(camera->hasHidDevice());
}

} // namespace
