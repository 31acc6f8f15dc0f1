#include "TestSupport.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationNames.h"
#include "device/DeviceBackend.h"
#include "device/LumoCameraArvo.h"
#include "device/LumoCameraTobble.h"
#include "device/virtual/VirtualCameraHub.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using Model = VirtualCamera::Model;

class VendorCommands : public testing::Test {
protected:
    void SetUp() override { backend = hub.createBackend(); }
    void TearDown() override
    {
        for (const CameraPtr &c : cameras) {
            c->setActive(false);
            c->prepareToDetatch();
        }
    }

    // A camera of `model` prepared on the virtual back end; its reports so far are forgotten.
    CameraPtr attach(Model model, int focusMode = 0, VirtualCamera::Faults faults = {})
    {
        virtualCamera = hub.plug(model, faults);
        virtualCamera->setFocusMode(focusMode);
        const DeviceInfo info = virtualCamera->deviceInfo();
        CameraPtr camera = LumoCamera::create(info.vendorId, info.productId);
        camera->prepareToWorkWithDevice(info, *backend);
        cameras << camera;
        reportsBefore = int(virtualCamera->outputReports().size());
        return camera;
    }

    // Reports received since attach(), as hex.
    QStringList sent() const
    {
        QStringList hex;
        const QList<QByteArray> all = virtualCamera->outputReports();
        for (int i = reportsBefore; i < all.size(); ++i)
            hex << QString::fromLatin1(all[i].toHex(' '));
        return hex;
    }

    VirtualCameraHub hub;
    std::unique_ptr<DeviceBackend> backend;
    std::shared_ptr<VirtualCamera> virtualCamera;
    QList<CameraPtr> cameras;
    int reportsBefore = 0;
};

TEST_F(VendorCommands, ReportsGoOutByteForByte)
{
    CameraPtr tobble = attach(Model::Tobble);
    ASSERT_TRUE(tobble->setBrightness(tobble->brightnessDef() + 1));
    EXPECT_EQ(tobble->velmarResetImage(), 0);
    EXPECT_EQ(tobble->brightness(), tobble->brightnessDef()) << "the camera resets its controls";
    LumoLog::setEnabled(true);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(tobble->setAutoBrightness(false)); // the exposure lock on
    const std::string log = testing::internal::GetCapturedStderr();
    LumoLog::setEnabled(false);
    EXPECT_NE(log.find("with data [0x02, 0x05, 0x01, 0x00, 0x00]"), std::string::npos) << log;
    EXPECT_TRUE(tobble->setAutoBrightness(true));
    EXPECT_TRUE(tobble->setExposure(15));
    EXPECT_EQ(tobble->getExposure(), 15) << "the camera reports the step it was given";
    EXPECT_EQ(sent(), QStringList({"ff 00 00 00", "02 05 01 00 00", "02 05 00 00 00", "02 06 0f 00 00", "01 00 06 00 00"}));
    EXPECT_FALSE(tobble->setExposure(16) || tobble->setExposure(0));
    EXPECT_EQ(sent().size(), 5) << "levels out of range send nothing";
}

TEST_F(VendorCommands, FirstModelMapsItsLevelsAndHasNoExposureLock)
{
    CameraPtr arvo = attach(Model::Arvo);
    for (int level : {1, 3, 5})
        EXPECT_TRUE(arvo->setExposure(level)) << level;
    EXPECT_EQ(sent(), QStringList({"02 06 09 00 00", "02 06 05 00 00", "02 06 03 00 00"}));
    EXPECT_FALSE(arvo->setExposure(0) || arvo->setExposure(6) || arvo->setExposureLock(2));
    EXPECT_EQ(arvo->velmarSetExposureLock(1), -1);
    EXPECT_EQ(sent().size(), 3) << "refusals send nothing";
    EXPECT_EQ(LumoCameraArvo::exposureIndexToValue(4), 3);
    EXPECT_EQ(LumoCameraArvo::exposureIndexToValue(9), 5);
}

TEST_F(VendorCommands, PreparationLearnsTheFocusModeOnce)
{
    CameraPtr continuous = attach(Model::Arvo, 1);
    EXPECT_EQ(virtualCamera->outputReports().last().toHex(' '), "02 00 03 00 00");
    EXPECT_TRUE(continuous->continuousFocus());
    EXPECT_TRUE(sent().isEmpty()) << "a known mode is not asked again";

    CameraPtr single = attach(Model::Arvo, 0);
    EXPECT_FALSE(single->continuousFocus());
}

TEST_F(VendorCommands, NothingGoesOutWhileTheCameraIsFocusing)
{
    CameraPtr camera = attach(Model::Tobble);
    camera->setActive(true);
    NotificationRecorder recorder({NotificationNames::CameraWillFocus, NotificationNames::CameraDidFocus});
    EXPECT_TRUE(camera->focusAgain());
    EXPECT_TRUE(camera->isFocusing);
    EXPECT_EQ(sent(), QStringList({"02 4f 00 00 00"}));
    EXPECT_EQ(camera->getExposure(), -1);
    EXPECT_FALSE(camera->continuousFocus()) << "the mode known since preparation";
    EXPECT_FALSE(camera->resetImageControl());
    EXPECT_FALSE(camera->focusAgain());
    EXPECT_FALSE(camera->setExposure(3) || camera->setAutoBrightness(false) || camera->setExposure(9));
    EXPECT_EQ(sent().size(), 1);

    // The camera reports the focus: begin, then done; the settings it refused follow, the
    // newest of each.
    ASSERT_TRUE(recorder.waitForCount(2));
    EXPECT_EQ(recorder.names(), QStringList({NotificationNames::CameraWillFocus, NotificationNames::CameraDidFocus}));
    EXPECT_FALSE(camera->isFocusing);
    EXPECT_TRUE(waitUntil([&] { return sent().size() == 3; }));
    EXPECT_EQ(sent(), QStringList({"02 4f 00 00 00", "02 05 01 00 00", "02 06 09 00 00"}));
    EXPECT_EQ(camera->velmarResetImage(), 0);
}

TEST_F(VendorCommands, UnknownEventValuesOnlyLog)
{
    CameraPtr camera = attach(Model::Arvo);
    camera->setActive(true);
    NotificationRecorder recorder({NotificationNames::Snapshot, NotificationNames::CameraSetToSingleFocus});
    for (int value : {2, 515, -1, 3})
        virtualCamera->raiseEvent(value);
    ASSERT_TRUE(recorder.waitForCount(1));
    EXPECT_EQ(recorder.names(), QStringList({NotificationNames::CameraSetToSingleFocus}));
    EXPECT_EQ(camera->isContinousFocusMode, 0);
}

TEST_F(VendorCommands, UnpluggedDetachedOrHidlessCameraFailsSoftlyAndAtOnce)
{
    CameraPtr camera = attach(Model::Tobble);
    hub.unplug(virtualCamera->id());
    EXPECT_EQ(camera->velmarResetImage(), -1);
    EXPECT_EQ(camera->getExposure(), -1);
    camera->prepareToDetatch();
    EXPECT_EQ(camera->velmarResetImage(), -1);
    EXPECT_EQ(camera->velmarSetIris(3), -1);
    EXPECT_FALSE(camera->setExposureLock(2));
    EXPECT_EQ(camera->contrast(), 0);

    // Plugged without a HID interface: every command fails at once, without waiting for one.
    VirtualCamera::Faults noHid;
    noHid.noHid = true;
    camera = attach(Model::Tobble, 0, noHid);
    EXPECT_FALSE(camera->hasHidDevice());
    const double scale = Delays::timeScale();
    Delays::setTimeScale(1.0); // a wait for the channel would take seconds
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(camera->getExposure(), -1);
    EXPECT_FALSE(camera->setExposure(3) || camera->setExposureLock(2) || camera->resetImageControl());
    const qint64 elapsed = timer.elapsed();
    Delays::setTimeScale(scale);
    EXPECT_LT(elapsed, 500);
}

TEST_F(VendorCommands, FocusWhoseEndNeverComesIsTakenAsOverAfterItsTimeOut)
{
    VirtualCamera::Faults noFocusDone;
    noFocusDone.noFocusDone = true;
    CameraPtr camera = attach(Model::Tobble, 0, noFocusDone);
    camera->setActive(true);
    NotificationRecorder recorder({NotificationNames::CameraWillFocus});
    ASSERT_TRUE(camera->focusAgain());
    ASSERT_TRUE(recorder.waitForCount(1));
    EXPECT_EQ(camera->getExposure(), -1) << "still focusing";
    ASSERT_TRUE(waitUntil([&] { return camera->getExposure() != -1; }));
    EXPECT_FALSE(camera->isFocusing);
    EXPECT_EQ(sent(), QStringList({"02 4f 00 00 00", "01 00 06 00 00"}));
}

TEST_F(VendorCommands, SecondModelReportsItsExposureWhileActive)
{
    auto tobble = std::dynamic_pointer_cast<LumoCameraTobble>(attach(Model::Tobble));
    ASSERT_TRUE(tobble);
    NotificationRecorder recorder({NotificationNames::ReportExposure});
    tobble->setActive(true);
    ASSERT_TRUE(recorder.waitForCount(3));
    EXPECT_TRUE(recorder.allOnMainThread());
    EXPECT_EQ(recorder.notifications().first().object.data(), tobble.get());
    tobble->setActive(false);
    EXPECT_FALSE(tobble->exposureTimerRunning());
    recorder.clear();
    waitUntil([] { return false; }, 30);
    EXPECT_TRUE(recorder.names().isEmpty());
}

} // namespace
