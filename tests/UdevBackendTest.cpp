#include "TestSupport.h"
#include "UdevTestbed.h"
#include "capture/linux/V4l2NodeLookup.h"
#include "core/NotificationNames.h"
#include "device/CameraIds.h"
#include "device/DeviceBackend.h"
#include "device/LumoCamera.h"
#include "device/LumoCamerasController.h"
#include "device/linux/EvdevButtonInput.h"
#include "device/linux/UdevBackend.h"

#include <QCoreApplication>
#include <QThread>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/videodev2.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace NotificationNames;

const UdevTestbed::UsbDevice Arvo{CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1, QStringLiteral("2.3")};
const UdevTestbed::UsbDevice Tobble{CameraIds::VendorId, CameraIds::TobbleProductId, 0x0200, 3, QStringLiteral("1.4.2")};
const UdevTestbed::UsbDevice Keyboard{0xfe22, 0x0c31, 0x6400, 1, QStringLiteral("4")};

// Cameras of other makers: one that names itself, one known only by its driver's card name.
const UdevTestbed::UsbDevice DeskCam{0x1a2b, 0x0001, 0x0100, 2, QStringLiteral("1")};
const UdevTestbed::UsbDevice Webcam{0x3c4d, 0x0102, 0x0001, 1, QStringLiteral("5")};

constexpr uint32_t CaptureCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
constexpr uint32_t MetadataCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
constexpr uint32_t OutputCaps = V4L2_CAP_VIDEO_OUTPUT | V4L2_CAP_STREAMING;

// A capture node and, behind it, a metadata node, as uvcvideo makes them; returns the capture
// node's sysfs path.
QString addUvcCamera(UdevTestbed &bed, FakeVideoNodes &nodes, const UdevTestbed::UsbDevice &usb, int minor, const QByteArray &card,
                     const QString &product = {})
{
    const QString interface = bed.addUsbInterface(usb, product);
    // The metadata node first: discovery must not take the first node it meets.
    bed.addVideoNode(interface, minor + 1, 1);
    nodes.add(QStringLiteral("/dev/video%1").arg(minor + 1), MetadataCaps, card);
    const QString capture = bed.addVideoNode(interface, minor, 0);
    nodes.add(QStringLiteral("/dev/video%1").arg(minor), CaptureCaps, card);
    return capture;
}

QString interfaceOf(const QString &videoNode) { return videoNode.left(videoNode.lastIndexOf(QLatin1Char('/'))); }

const DeviceInfo *findKey(const std::vector<DeviceInfo> &devices, const QString &key)
{
    auto it = std::find_if(devices.begin(), devices.end(), [&](const DeviceInfo &d) { return d.key == key; });
    return it == devices.end() ? nullptr : &*it;
}

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

TEST(UdevDiscovery, EveryCaptureNodeIsACameraOnceAndTheModelsOnlyThroughTheirHidInterface)
{
    UdevTestbed bed;
    FakeVideoNodes nodes(bed);
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    // The model's own capture node is never opened nor listed.
    bed.addVideoNode(UdevTestbed::usbParentOf(arvo), 0, 0);
    nodes.add(QStringLiteral("/dev/video0"), CaptureCaps, "Arvoscope");
    const QString deskCam = addUvcCamera(bed, nodes, DeskCam, 2, "Desk Cam: Desk Cam 4K", "Desk Cam 4K");
    // The desk camera's second video stream, listed by udev before its first: still one camera,
    // through the node of the lowest index, the one the capture path streams from.
    bed.addVideoNode(interfaceOf(deskCam), 1, 2);
    nodes.add(QStringLiteral("/dev/video1"), CaptureCaps, "Desk Cam: Desk Cam 4K");
    const QString webcam = addUvcCamera(bed, nodes, Webcam, 4, "Integrated Webcam");
    bed.addVideoNode({}, 6, 0); // a loopback output
    nodes.add(QStringLiteral("/dev/video6"), OutputCaps, "Loopback");
    const QString grabber = bed.addVideoNode({}, 7, 0); // a capture card without a USB parent
    nodes.add(QStringLiteral("/dev/video7"), CaptureCaps, "Frame Grabber");
    bed.addVideoNode({}, 8, 0); // a node no one may open

    const std::vector<DeviceInfo> devices = createLinuxBackend()->presentDevices();
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices.front().key, arvo) << "the models first";
    EXPECT_EQ(devices.front().interface, DeviceInfo::Interface::Hid);

    const DeviceInfo *info = findKey(devices, deskCam);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->interface, DeviceInfo::Interface::VideoCapture);
    EXPECT_EQ(info->videoNode, "/dev/video2");
    EXPECT_EQ(info->name, "Desk Cam 4K") << "the USB product string";
    EXPECT_EQ(info->uniqueId, "0x21000001a2b0001") << "bus 2, port 1, vendor, product";
    EXPECT_EQ(V4l2NodeLookup::captureNodeFor(info->uniqueId, V4l2Io::system()), "/dev/video2") << "the node the camera streams from";
    EXPECT_EQ(info->vendorId, 0x1a2bu);
    EXPECT_TRUE(info->hidNode.isEmpty());

    info = findKey(devices, webcam);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, "Integrated Webcam") << "the card name";
    EXPECT_EQ(info->uniqueId, "0x15000003c4d0102");

    info = findKey(devices, grabber);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, "Frame Grabber");
    EXPECT_EQ(info->uniqueId, "v4l2-video7-0");
    EXPECT_EQ(V4l2NodeLookup::captureNodeFor(info->uniqueId, V4l2Io::system()), "/dev/video7") << "the capture path finds it";
    EXPECT_EQ(info->vendorId, 0u);
    EXPECT_TRUE(info->usbDevice.isEmpty());
}

TEST(UdevButtonInput, TheCamerasOwnKeyNodeIsReadAndOneAnnouncedLaterIsTaken)
{
    UdevTestbed bed;
    FakeVideoNodes nodes(bed);
    const QString deskCam = addUvcCamera(bed, nodes, DeskCam, 2, "Desk Cam");
    const QString webcam = addUvcCamera(bed, nodes, Webcam, 4, "Integrated Webcam");
    // A keyboard that sends the same key, and an input of the camera's device that does not.
    bed.addInputNode(bed.addUsbInterface(Keyboard), 0, {KEY_A, KEY_CAMERA});
    bed.addInputNode(interfaceOf(deskCam), 2, {KEY_VOLUMEUP, KEY_MICMUTE});
    bed.addInputNode(interfaceOf(deskCam), 3, {KEY_CAMERA});
    const std::unique_ptr<DeviceBackend> backend = createLinuxBackend();
    ASSERT_TRUE(backend->startMonitoring({}));
    const std::vector<DeviceInfo> devices = backend->presentDevices();
    ASSERT_EQ(devices.size(), 2u) << "input nodes are no cameras";

    const std::unique_ptr<ButtonInput> deskButton = backend->openButtonInput(*findKey(devices, deskCam));
    const auto *desk = dynamic_cast<EvdevButtonInput *>(deskButton.get());
    ASSERT_TRUE(desk);
    EXPECT_EQ(desk->node(), "/dev/input/event3");
    QList<int> keys;
    QObject::connect(deskButton.get(), &ButtonInput::keyPressed, [&](int code) { keys << code; });
    bed.sendKey(3, KEY_CAMERA, 1);
    ASSERT_TRUE(waitUntil([&] { return !keys.isEmpty(); }));
    EXPECT_EQ(keys, QList<int>{KEY_CAMERA});

    // The webcam's input node comes after its video node: the input waits and takes it.
    const std::unique_ptr<ButtonInput> webButton = backend->openButtonInput(*findKey(devices, webcam));
    const auto *web = dynamic_cast<EvdevButtonInput *>(webButton.get());
    ASSERT_TRUE(web);
    EXPECT_FALSE(web->isReading());
    bed.addInputNode(interfaceOf(webcam), 4, {KEY_CAMERA});
    ASSERT_TRUE(waitUntil([&] { return web->isReading(); }));
    EXPECT_EQ(web->node(), "/dev/input/event4");

    // A capture device without a USB parent, or one of the two models, has no such input.
    DeviceInfo grabber;
    grabber.interface = DeviceInfo::Interface::VideoCapture;
    EXPECT_FALSE(backend->openButtonInput(grabber));
    EXPECT_FALSE(backend->openButtonInput(DeviceInfo{}));
}

TEST(UdevButtonInput, DeliversPressesOnlyAndStopsQuietlyWhenTheNodeGoes)
{
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    EvdevButtonInput input;
    QList<int> keys;
    QObject::connect(&input, &ButtonInput::keyPressed, [&](int code) { keys << code; });
    input.attach(fds[0], QStringLiteral("pipe"));
    const auto record = [](uint16_t type, uint16_t code, int32_t value) {
        input_event event{};
        event.type = type;
        event.code = code;
        event.value = value;
        return QByteArray(reinterpret_cast<const char *>(&event), sizeof event);
    };
    const QByteArray stream = record(EV_KEY, KEY_CAMERA, 1) + record(EV_SYN, SYN_REPORT, 0) + record(EV_KEY, KEY_CAMERA, 2)
                              + record(EV_KEY, KEY_CAMERA, 0) + record(EV_MSC, MSC_SCAN, 1) + record(EV_KEY, KEY_CAMERA, 1);
    // The second press cut in two by the reads.
    const int cut = stream.size() - 10;
    ASSERT_EQ(write(fds[1], stream.constData(), cut), cut);
    ASSERT_TRUE(waitUntil([&] { return !keys.isEmpty(); }));
    QCoreApplication::processEvents();
    ASSERT_EQ(write(fds[1], stream.constData() + cut, 10), 10);
    ASSERT_TRUE(waitUntil([&] { return keys.size() >= 2; }));
    EXPECT_EQ(keys, QList<int>({KEY_CAMERA, KEY_CAMERA}));

    // The writer goes as an unplugged node does; reading ends without a word to the camera.
    close(fds[1]);
    ASSERT_TRUE(waitUntil([&] { return !input.isReading(); }));
    EXPECT_EQ(keys.size(), 2);
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

    // A camera of another maker: its capture node arrives, its metadata node does not.
    FakeVideoNodes nodes(bed);
    const QString deskCam = addUvcCamera(bed, nodes, DeskCam, 2, "Desk Cam");
    ASSERT_TRUE(waitUntil([&] { return arrived.size() > 1; }));
    ASSERT_EQ(arrived.size(), 2u);
    EXPECT_EQ(arrived[1].key, deskCam);
    bed.unplugVideoNode(deskCam);
    ASSERT_TRUE(waitUntil([&] { return removed.contains(deskCam); }));
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

TEST(LinuxRegistry, CamerasOfEveryKindAreListedOnceKeepTheirOwnRecordsAndHandOverWhenUnplugged)
{
    Sandbox sandbox;
    UdevTestbed bed;
    FakeVideoNodes nodes(bed);
    const QString arvo = bed.addHidrawDevice(Arvo, 0);
    bed.addVideoNode(UdevTestbed::usbParentOf(arvo), 0, 0);
    nodes.add(QStringLiteral("/dev/video0"), CaptureCaps, "Arvoscope");
    const QString deskCam = addUvcCamera(bed, nodes, DeskCam, 2, "Desk Cam", "Desk Cam 4K");
    const QString webcam = addUvcCamera(bed, nodes, Webcam, 4, "Integrated Webcam");
    bed.addInputNode(interfaceOf(deskCam), 2, {KEY_CAMERA});
    bed.addInputNode(interfaceOf(webcam), 4, {KEY_CAMERA});
    LumoCamerasController registry(createLinuxBackend());
    ASSERT_TRUE(waitUntil([&] { return registry.availableCameras().size() == 3; }));

    // The model first, then the others in the order udev lists them.
    const QList<CameraPtr> cameras = registry.availableCameras();
    EXPECT_EQ(cameras.first()->deviceKey(), arvo);
    EXPECT_EQ(registry.currentCamera(), cameras.first()) << "the first camera found";
    QStringList keys, records;
    for (const CameraPtr &camera : cameras) {
        keys << camera->deviceKey();
        records << camera->shortModel();
    }
    keys.sort();
    records.sort();
    EXPECT_EQ(keys, (QStringList{arvo, webcam, deskCam}));
    EXPECT_EQ(records, QStringList({"Arvo", "Desk Cam 4K 1a2b:0001", "Integrated Webcam 3c4d:0102"}));

    const CameraPtr desk = cameras.at(cameras.at(1)->deviceKey() == deskCam ? 1 : 2);
    ASSERT_EQ(desk->deviceKey(), deskCam);
    EXPECT_EQ(desk->model(), "Desk Cam 4K");
    EXPECT_EQ(desk->captureDeviceLocationId(), "0x21000001a2b0001");
    EXPECT_FALSE(desk->hasVendorCommands() || desk->hasButtons() || desk->hasHidDevice());
    EXPECT_EQ(LumoCamera::firmwareVersion(), 0x0102) << "only the models' HID interface sets it";

    // The current camera leaves: the next one listed takes over; another one leaving changes
    // nothing.
    bed.unplug(arvo);
    ASSERT_TRUE(waitUntil([&] { return registry.availableCameras().size() == 2; }));
    const CameraPtr next = cameras.at(1);
    EXPECT_EQ(registry.currentCamera(), next);
    // Its own button takes a photo.
    NotificationRecorder snapshots({Snapshot});
    bed.sendKey(next->deviceKey() == deskCam ? 2 : 4, KEY_CAMERA, 1);
    EXPECT_TRUE(snapshots.waitForCount(1));
    const CameraPtr last = cameras.at(2);
    bed.unplugVideoNode(last->deviceKey());
    ASSERT_TRUE(waitUntil([&] { return registry.availableCameras().size() == 1; }));
    EXPECT_EQ(registry.currentCamera(), next);
    bed.unplugVideoNode(next->deviceKey());
    ASSERT_TRUE(waitUntil([&] { return registry.availableCameras().isEmpty(); }));
    EXPECT_FALSE(registry.currentCamera());
}

} // namespace
