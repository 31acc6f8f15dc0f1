#include "TestSupport.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/CameraIds.h"
#include "device/DeviceBackend.h"
#include "device/virtual/VirtualCameraHub.h"
#include "device/virtual/VirtualUvcModel.h"
#include "settings/CamSettingController.h"
#include "settings/CameraControlSettings.h"
#include "device/virtual/VirtualControlSet.h"

#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;

class CamSettings : public testing::Test {
protected:
    void SetUp() override
    {
        defaults = std::make_unique<UserDefaults>(sandbox.path("Arvo.conf"));
        backend = hub.createBackend();
    }
    void TearDown() override
    {
        cache.reset();
        for (const CameraPtr &c : cameras)
            c->prepareToDetatch();
    }

    // A camera of `model` prepared on the virtual back end, as the registry would.
    CameraPtr attach(VirtualCamera::Model model)
    {
        auto virtualCamera = hub.plug(model);
        const DeviceInfo info = virtualCamera->deviceInfo();
        CameraPtr camera = LumoCamera::create(info);
        camera->prepareToWorkWithDevice(info, *backend);
        camera->setActive(true);
        cameras << camera;
        return camera;
    }

    void makeCache()
    {
        cache = std::make_unique<CamSettingController>(defaults.get(), [this] { return current; });
    }

    void resetAndWait()
    {
        cache->resetCameraParameters();
        ASSERT_TRUE(waitUntil([&] { return !cache->isApplyingImageAdjustments(); }));
        waitUntil([] { return false; }, 10); // the pause after the last adjustment
    }

    QVariantMap record(const QString &model) const { return defaults->dictionaryForKey("LumoDevices").value(model).toMap(); }

    Sandbox sandbox;
    std::unique_ptr<UserDefaults> defaults;
    VirtualCameraHub hub;
    std::unique_ptr<DeviceBackend> backend;
    QList<CameraPtr> cameras;
    CameraPtr current;
    std::unique_ptr<CamSettingController> cache;
};

TEST_F(CamSettings, FirstAttachTakesTheCameraDefaultsAndTheModeDefaults)
{
    current = attach(VirtualCamera::Model::Tobble);
    makeCache();
    cache->setTimer(10);
    cache->setHFlipped(true);
    // Adjustments saved out of the camera's range, damaged or written by hand.
    for (const auto &[key, value] : {std::pair{"Brightness", -99999}, {"Hue", 999}})
        cache->setDeviceKey(key, value);
    NotificationRecorder recorder({CamSettingWillRestore, CamSettingDidRestore, CamSettingDidSetToDefault});
    resetAndWait();
    ASSERT_TRUE(recorder.waitForCount(2));

    EXPECT_EQ(recorder.names(), QStringList({CamSettingWillRestore, CamSettingDidRestore}));
    EXPECT_EQ(cache->contrast(), current->contrastDef());
    EXPECT_EQ(cache->hue(), current->hueDef());
    EXPECT_EQ(cache->zoom(), 1.0f);
    EXPECT_EQ(cache->resolution(), 1);
    EXPECT_EQ(cache->exposure(), 4) << "the second model's default exposure";
    EXPECT_TRUE(cache->autoBrightness());
    EXPECT_EQ(cache->timer(), 10) << "timer and flips keep their values";
    EXPECT_TRUE(cache->hFlipped());

    const QVariantMap saved = record("Tobble");
    EXPECT_EQ(saved.value("Contrast").toInt(), current->contrastDef());
    EXPECT_EQ(saved.value("Brightness").toInt(), current->brightnessDef()) << "out of range: the default";
    EXPECT_EQ(saved.value("Hue").toInt(), current->hueDef());
    EXPECT_EQ(saved.value("Resolution").toInt(), 1);
    EXPECT_EQ(saved.value("Exposure").toInt(), 4);
    // The exposure lock went to the camera: released with auto brightness on, locked with it off.
    EXPECT_EQ(hub.camera(1)->outputReports().last().toHex(' '), "02 05 00 00 00");
    cache->setAutoBrightness(false);
    EXPECT_EQ(hub.camera(1)->outputReports().last().toHex(' '), "02 05 01 00 00");
    EXPECT_TRUE(hub.camera(1)->exposureLocked());
}

TEST_F(CamSettings, SavedSettingsComeBackPerModel)
{
    CameraPtr arvo = attach(VirtualCamera::Model::Arvo);
    CameraPtr secondArvo = attach(VirtualCamera::Model::Arvo);
    CameraPtr tobble = attach(VirtualCamera::Model::Tobble);
    current = arvo;
    makeCache();
    resetAndWait();
    cache->setContrast(uint16_t(current->contrastDef() + 3));
    cache->setZoom(2.5f);
    cache->setResolution(3);
    cache->setVFlipped(true);
    cache->setQuarterTurns(3);

    current = tobble;
    for (const QVariant &damaged : {QVariant(45), QVariant("sideways"), QVariant(-90)}) {
        cache->setDeviceKey("Rotation", damaged);
        resetAndWait();
        EXPECT_EQ(cache->quarterTurns(), 0) << "a damaged turn reads as upright";
    }
    EXPECT_EQ(cache->zoom(), 1.0f) << "another model keeps a record of its own";
    EXPECT_EQ(cache->resolution(), 1);

    current = secondArvo; // the same model shares the record
    resetAndWait();
    EXPECT_EQ(cache->zoom(), 2.5f);
    EXPECT_EQ(cache->resolution(), 3);
    EXPECT_TRUE(cache->vFlipped());
    EXPECT_EQ(cache->quarterTurns(), 3);
    EXPECT_EQ(record("Arvo").value("Rotation").toInt(), 270);
    EXPECT_EQ(cache->contrast(), uint16_t(arvo->contrastDef() + 3));
    EXPECT_EQ(hub.camera(2)->uvcModel().value("contrast").value_or(-1), arvo->contrastDef() + 3)
        << "the saved adjustment reached the camera";
    EXPECT_EQ(cache->exposure(), 3);
}

// A camera of another maker keeps the size itself; a saved size it does not offer (or a
// damaged one) gives the nearest it offers, of the same shape where it has one.
TEST_F(CamSettings, ACameraWithoutTheOutputTableKeepsTheChosenSizeItself)
{
    CameraPtr uvc = attach(VirtualCamera::Model::Uvc);
    CameraPtr arvo = attach(VirtualCamera::Model::Arvo);
    current = uvc;
    makeCache();
    resetAndWait();
    EXPECT_EQ(cache->resolutionSize(), QSize(1280, 960));
    cache->setResolutionSize({1920, 1080});
    EXPECT_EQ(record(uvc->shortModel()).value("ResolutionSize").toString(), "1920x1080");
    EXPECT_FALSE(record(uvc->shortModel()).contains("Resolution"));

    current = arvo;
    resetAndWait();
    EXPECT_EQ(cache->resolutionSize(), QSize(1280, 960));
    cache->setResolutionSize({800, 600});
    EXPECT_EQ(record("Arvo").value("Resolution").toInt(), 3) << "the models keep the table position";
    EXPECT_FALSE(record("Arvo").contains("ResolutionSize"));

    current = uvc;
    const struct {
        const char *saved;
        QSize expected;
    } rows[] = {{"1920x1080", {1920, 1080}}, {"2560x1440", {1920, 1080}}, {"1600x1200", {1440, 1080}},
                {"1280x800", {1280, 720}},   {"1280x", {1280, 960}},      {"0x0", {1280, 960}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.saved);
        cache->setDeviceKey("ResolutionSize", row.saved);
        resetAndWait();
        EXPECT_EQ(cache->resolutionSize(), row.expected);
    }
}

TEST_F(CamSettings, ListedControlsComeBackFromTheCamerasOwnRecordWithinItsLimits)
{
    namespace Id = CameraControlId;
    CameraPtr uvc = attach(VirtualCamera::Model::Uvc);
    CameraPtr arvo = attach(VirtualCamera::Model::Arvo);
    VirtualControlSet &controls = *hub.camera(1)->controlSet();
    current = uvc;
    makeCache();
    resetAndWait();
    const auto control = [&](uint32_t id) { return *uvc->cameraControl(id); };
    CameraControlSettings kept(*cache);
    EXPECT_TRUE(kept.setValue(*uvc, control(Id::Hue), -35));
    EXPECT_TRUE(kept.setValue(*uvc, control(Id::AutoWhiteBalance), 0));
    EXPECT_TRUE(kept.setValue(*uvc, control(Id::WhiteBalanceTemperature), 5013)) << "put on the control's steps";
    EXPECT_EQ(controls.value(Id::WhiteBalanceTemperature), 5010);
    EXPECT_EQ(record(uvc->shortModel()).value("Controls").toMap().value(CameraControlSettings::keyOf(Id::Hue)).toInt(), -35);
    // A hand-edited value beyond the camera's limits.
    QVariantMap devices = defaults->dictionaryForKey("LumoDevices");
    QVariantMap record = devices.value(uvc->shortModel()).toMap();
    QVariantMap values = record.value("Controls").toMap();
    values.insert(CameraControlSettings::keyOf(Id::Brightness), 900);
    record.insert("Controls", values);
    devices.insert(uvc->shortModel(), record);
    defaults->setDictionary("LumoDevices", devices);

    controls.resetToDefaults();
    current = arvo;
    resetAndWait();
    EXPECT_FALSE(this->record("Arvo").contains("Controls")) << "the two models' records are untouched";
    current = uvc;
    resetAndWait();
    EXPECT_EQ(controls.value(Id::Hue), -35);
    EXPECT_EQ(controls.value(Id::AutoWhiteBalance), 0);
    EXPECT_EQ(controls.value(Id::WhiteBalanceTemperature), 5010) << "set once its automatic switch is off";
    EXPECT_EQ(controls.value(Id::Brightness), 127) << "clamped, not sent raw";
    EXPECT_EQ(controls.value(Id::ExposureAuto), Id::ExposureAperturePriority) << "the exposure setting's automatic exposure";

    kept.restoreDefaults(*uvc);
    EXPECT_EQ(controls.value(Id::Hue), 0);
    EXPECT_EQ(controls.value(Id::AutoWhiteBalance), 1);
    EXPECT_FALSE(this->record(uvc->shortModel()).contains("Controls"));
}

TEST_F(CamSettings, KeepCameraSetOneAlwaysSetsTheModeDefaults)
{
    defaults->setValue(DefaultsKeys::KeepCameraSet, 1);
    current = attach(VirtualCamera::Model::Arvo);
    makeCache();
    EXPECT_FALSE(cache->restoreable());
    cache->setZoom(3.0f);
    cache->setDeviceKey("Zoom", 3.0f);
    NotificationRecorder recorder({CamSettingWillRestore, CamSettingDidRestore, CamSettingDidSetToDefault});
    resetAndWait();
    ASSERT_TRUE(recorder.waitForCount(1));
    EXPECT_EQ(recorder.names(), QStringList({CamSettingDidSetToDefault}));
    EXPECT_EQ(cache->zoom(), 1.0f);
    EXPECT_EQ(cache->exposure(), 3);
}

// Without a camera only the fields change; with one, setRestoreable writes every value.
TEST_F(CamSettings, SetRestoreableWritesEveryValueOfTheCurrentCamera)
{
    makeCache();
    cache->setBrightness(40);
    cache->setZoom(2.0f);
    EXPECT_FALSE(defaults->contains("LumoDevices"));
    EXPECT_FALSE(cache->valueForDeviceKey("Zoom").isValid());
    current = attach(VirtualCamera::Model::Arvo);
    cache->setRestoreable(false);
    EXPECT_EQ(record("Arvo").keys(), QStringList({"AutoBrightness", "Brightness", "Contrast", "Exposure", "Gamma", "HFlipped", "Hue",
                                                  "Resolution", "Rotation", "Saturation", "Sharpness", "Timer", "VFlipped", "Zoom"}));
}

TEST_F(CamSettings, ANewSequenceTakesOverAndKeepsAWaitingCompletionUnlessItBringsOne)
{
    current = attach(VirtualCamera::Model::Arvo);
    makeCache();
    int done = 0;
    cache->setImageAdjustments([&] { ++done; });
    cache->setImageAdjustments([&] { done += 10; });
    cache->setImageAdjustments(); // as the camera change queues it after the reset
    ASSERT_TRUE(waitUntil([&] { return done != 0; }));
    waitUntil([] { return false; }, 30);
    EXPECT_EQ(done, 10);
}

} // namespace
