#include "TestSupport.h"
#include "core/NotificationNames.h"
#include "device/CameraIds.h"
#include "device/DeviceBackend.h"
#include "device/LumoCameraTobble.h"
#include "device/LumoCamerasController.h"
#include "device/virtual/VirtualCameraHub.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;

const QStringList ChangeNames = {CameraWillChange, CameraDidChange};

class CameraRegistry : public testing::Test {
protected:
    void start() { registry = std::make_unique<LumoCamerasController>(hub.createBackend()); }
    void TearDown() override { registry.reset(); }

    bool waitForCameras(int count)
    {
        return waitUntil([&] { return registry->availableCameras().size() == count; });
    }

    VirtualCameraHub hub;
    std::unique_ptr<LumoCamerasController> registry;
};

TEST_F(CameraRegistry, FirstCameraBecomesCurrentAfterTheStartDelaysASecondOnlyWhenSet)
{
    hub.plug(VirtualCamera::Model::Arvo);
    NotificationRecorder recorder(ChangeNames);
    start();
    EXPECT_FALSE(registry->currentCamera()) << "nothing before the 1.0 s + 3.0 s waits";
    ASSERT_TRUE(recorder.waitForCount(2));
    EXPECT_EQ(recorder.names(), ChangeNames);
    EXPECT_TRUE(recorder.allOnMainThread());
    CameraPtr current = registry->currentCamera();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->shortModel(), "Arvo");
    EXPECT_TRUE(current->active());
    EXPECT_EQ(current->thread(), QThread::currentThread()) << "cameras live on the main thread";
    EXPECT_EQ(current->captureDeviceLocationId(), LumoCamera::makeCaptureDeviceLocationId(current->locationId(), 0xfe11, 0x0a01));
    // Preparation asked the focus mode: report 2, then 02 00 03 00 00.
    ASSERT_FALSE(hub.camera(1)->outputReports().isEmpty());
    EXPECT_EQ(hub.camera(1)->outputReports().first().toHex(' '), "02 00 03 00 00");
    EXPECT_EQ(current->isContinousFocusMode, 0);

    // A second camera is listed but becomes current only when set.
    CameraPtr first = current;
    recorder.clear();
    hub.plug(VirtualCamera::Model::Arvo);
    ASSERT_TRUE(waitForCameras(2));
    EXPECT_EQ(registry->currentCamera(), first);
    EXPECT_TRUE(recorder.names().isEmpty());
    // Two cameras of one model are told apart by their location.
    EXPECT_NE(registry->availableCameras()[0]->locationId(), registry->availableCameras()[1]->locationId());
    EXPECT_NE(registry->availableCameras()[0]->captureDeviceLocationId(), registry->availableCameras()[1]->captureDeviceLocationId());

    registry->setCurrentCamera(first);
    EXPECT_TRUE(recorder.names().isEmpty()) << "setting the current camera again posts nothing";
    CameraPtr second = registry->availableCameras()[1];
    registry->setCurrentCamera(second);
    EXPECT_EQ(recorder.names(), ChangeNames) << "a change on the main thread posts at once";
    EXPECT_TRUE(second->active());
    EXPECT_FALSE(first->active());
}

TEST_F(CameraRegistry, UnpluggingTheCurrentCameraHandsOverToTheRemainingOneThenToNone)
{
    hub.plug(VirtualCamera::Model::Arvo);
    hub.plug(VirtualCamera::Model::Tobble);
    start();
    ASSERT_TRUE(waitForCameras(2));
    CameraPtr arvo = registry->currentCamera();
    ASSERT_EQ(arvo->shortModel(), "Arvo");

    QList<bool> currentSeenAtDidChange;
    int observer;
    NotificationCenter::defaultCenter()->addObserver(
        &observer, CameraDidChange, [&](const Notification &) { currentSeenAtDidChange << bool(registry->currentCamera()); });
    NotificationRecorder recorder(ChangeNames);
    hub.unplug(1);
    ASSERT_TRUE(waitForCameras(1));
    NotificationCenter::defaultCenter()->removeObserver(&observer);

    EXPECT_EQ(recorder.names(), ChangeNames + ChangeNames);
    EXPECT_EQ(currentSeenAtDidChange, QList<bool>({false, true})) << "nil first, then the tobble";
    auto tobble = std::dynamic_pointer_cast<LumoCameraTobble>(registry->currentCamera());
    ASSERT_TRUE(tobble);
    EXPECT_FALSE(arvo->active());
    EXPECT_FALSE(arvo->hasHidDevice()) << "a removed camera is detached";
    EXPECT_EQ(arvo->velmarResetImage(), -1) << "and fails softly afterwards";

    EXPECT_TRUE(tobble->exposureTimerRunning());
    hub.unplug(2);
    ASSERT_TRUE(waitForCameras(0));
    EXPECT_FALSE(registry->currentCamera());
    EXPECT_FALSE(tobble->exposureTimerRunning()) << "exposure reports stop with deactivation";
}

TEST_F(CameraRegistry, CameraUnpluggedBeforeItSettledIsNeverAdded)
{
    start();
    hub.plug(VirtualCamera::Model::Arvo);
    // Let the device thread see the arrival, then take the camera away within the settle delay.
    ASSERT_TRUE(waitUntil([&] { return false; }, 20) == false);
    hub.unplug(1);
    hub.plug(VirtualCamera::Model::Tobble);
    ASSERT_TRUE(waitForCameras(1));
    EXPECT_EQ(registry->currentCamera()->shortModel(), "Tobble");
    waitUntil([] { return false; }, 60);
    EXPECT_EQ(registry->availableCameras().size(), 1);
}

// A back end with one device of the maker's that is neither model.
class UnsupportedBackend : public ChannelBackend {
public:
    UnsupportedBackend() : ChannelBackend(nullptr) {}
    std::vector<DeviceInfo> presentDevices() override
    {
        DeviceInfo odd;
        odd.key = QStringLiteral("odd");
        odd.vendorId = CameraIds::VendorId;
        odd.productId = 0x0bad;
        return {odd};
    }
};

TEST(CameraRegistryUnsupported, DeviceOfNeitherModelMakesNoCamera)
{
    NotificationRecorder recorder(ChangeNames);
    LumoCamerasController registry(std::make_unique<UnsupportedBackend>());
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(registry.availableCameras().isEmpty());
    EXPECT_TRUE(recorder.names().isEmpty());
}

TEST_F(CameraRegistry, ButtonEventsReachTheMainThreadInOrderAndAreDroppedWhileInactive)
{
    hub.plug(VirtualCamera::Model::Arvo);
    hub.plug(VirtualCamera::Model::Arvo);
    start();
    ASSERT_TRUE(waitForCameras(2));
    CameraPtr first = registry->availableCameras()[0];
    CameraPtr second = registry->availableCameras()[1];
    NotificationRecorder recorder({Snapshot, CameraWillFocus, CameraDidFocus, CameraCustomButton, CameraSetToContinueFocus});

    first->isFocusing = true;
    for (int value : {258, 514, 2, 770})
        hub.camera(1)->raiseEvent(value);
    ASSERT_TRUE(recorder.waitForCount(3));
    EXPECT_EQ(recorder.names(), QStringList({CameraWillFocus, CameraDidFocus, CameraCustomButton}));
    EXPECT_TRUE(recorder.allOnMainThread());
    EXPECT_FALSE(first->isFocusing);
    EXPECT_EQ(recorder.notifications().first().object.data(), first.get());

    // The second camera is not current: more presses than its queue holds are dropped as they
    // arrive (its focus mode is still followed)...
    recorder.clear();
    for (int i = 0; i < 9; ++i)
        hub.camera(2)->raiseEvent(1);
    hub.camera(2)->raiseEvent(259);
    ASSERT_TRUE(waitUntil([&] { return second->isContinousFocusMode == 1; }));
    EXPECT_TRUE(recorder.names().isEmpty());
    // ...and never replayed: once it is current, only what it sends from then on arrives.
    registry->setCurrentCamera(second);
    hub.camera(2)->raiseEvent(770);
    hub.camera(2)->raiseEvent(1);
    ASSERT_TRUE(recorder.waitForCount(2));
    waitUntil([] { return false; }, 30);
    EXPECT_EQ(recorder.names(), QStringList({CameraCustomButton, Snapshot}));

    // A camera of another maker, without HID: its snapshot button comes through its input device
    // by the same rule, and it offers the sizes it streams, with a settings record of its own.
    hub.plug(VirtualCamera::Model::Uvc);
    ASSERT_TRUE(waitForCameras(3));
    CameraPtr third = registry->availableCameras()[2];
    EXPECT_FALSE(third->hasVendorCommands() || third->hasHidDevice());
    EXPECT_EQ(third->shortModel(), "Virtual Document Camera fe77:0c01");
    const QList<LumoCamera::FrameMode> modes = third->frameModes();
    ASSERT_EQ(modes.size(), 9);
    EXPECT_EQ(modes.first(), (LumoCamera::FrameMode{LumoCamera::PixelFormat::Yuyv, QSize(320, 240), {30}}));
    EXPECT_EQ(modes.last(), (LumoCamera::FrameMode{LumoCamera::PixelFormat::Mjpeg, QSize(1920, 1080), {15}}));
    recorder.clear();
    ASSERT_TRUE(hub.camera(3)->pressCameraButton());
    waitUntil([] { return false; }, 30);
    EXPECT_TRUE(recorder.names().isEmpty()) << "not current";
    registry->setCurrentCamera(third);
    ASSERT_TRUE(hub.camera(3)->pressCameraButton());
    ASSERT_TRUE(recorder.waitForCount(1));
    EXPECT_EQ(recorder.names(), QStringList({Snapshot}));
    EXPECT_TRUE(recorder.allOnMainThread());
    EXPECT_EQ(recorder.notifications().first().object.data(), third.get());
}

TEST_F(CameraRegistry, DetachingWhileEventsArriveIsSafe)
{
    hub.plug(VirtualCamera::Model::Arvo);
    hub.plug(VirtualCamera::Model::Uvc);
    start();
    ASSERT_TRUE(waitForCameras(2));
    for (const CameraPtr &camera : registry->availableCameras())
        registry->setCurrentCamera(camera);
    std::atomic<bool> stop{false};
    auto camera = hub.camera(1);
    auto other = hub.camera(2);
    QThread *presser = QThread::create([&] {
        while (!stop) {
            camera->raiseEvent(1);
            other->pressCameraButton();
        }
    });
    presser->start();
    waitUntil([] { return false; }, 30);
    hub.unplug(1);
    hub.unplug(2);
    ASSERT_TRUE(waitForCameras(0));
    stop = true;
    presser->wait();
    delete presser;
    waitUntil([] { return false; }, 30);
}

} // namespace
