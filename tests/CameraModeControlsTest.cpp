#include "TestSupport.h"

#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/DeviceBackend.h"
#include "device/virtual/VirtualCameraHub.h"
#include "settings/CamSettingController.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/widgets/LumoExposureButton.h"
#include "ui/widgets/LumoScroller.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;
using Model = VirtualCamera::Model;
// What the exposure read-out of the floating controls was asked to show: value, signed.
using Shown = QList<QPair<int, bool>>;

// The controls over a virtual camera, the real setting cache and a capture controller without a
// video back end, with twins standing in for the floating controls.
class CameraModeControls : public testing::Test {
protected:
    void SetUp() override
    {
        defaults = std::make_unique<UserDefaults>(sandbox.path("Arvo.conf"));
        backend = hub.createBackend();
        CamSettingController::CameraProvider provider = [this] { return current; };
        cache = std::make_unique<CamSettingController>(defaults.get(), provider);
        capture = std::make_unique<LumoCaptureViewController>(nullptr, provider);
        controls = std::make_unique<LumoCameraModeControls>(capture.get(), cache.get(), provider);
        // The floating controls offer the toolbar's entries.
        for (auto [twin, button] : {std::pair{&twinZoom, controls->zoomButton()},
                                    {&twinLock, controls->exposureLockButton()},
                                    {&twinTimer, controls->timerButton()},
                                    {&twinResolution, controls->resolutionButton()},
                                    {&twinMirror, controls->mirrorButton()}}) {
            for (int i = 1; i < button->numberOfItems(); ++i)
                twin->addItem(button->itemAtIndex(i)->text());
        }
        twinExposure.setStyle(LumoExposureButton::MenuStyle);
        twins = {&twinZoom, &twinExposure, &twinLock, &twinTimer, &twinResolution, &twinMirror, [this](int value, bool showSigned) {
                     shown << qMakePair(value, showSigned);
                 }};
        controls->setTwins(&twins);
    }
    void TearDown() override
    {
        controls.reset();
        for (const CameraPtr &c : cameras)
            c->prepareToDetatch();
    }

    void use(Model model)
    {
        auto virtualCamera = hub.plug(model);
        const DeviceInfo info = virtualCamera->deviceInfo();
        current = LumoCamera::create(info.vendorId, info.productId);
        current->prepareToWorkWithDevice(info, *backend);
        cameras << current;
        vcam = virtualCamera;
        controls->cameraDidChange();
    }
    void choose(LumoPopUpButton *button, int entry) { button->itemAtIndex(entry)->trigger(); }
    // The camera's next answer to "which exposure level".
    void cameraReports(int level)
    {
        vcam->receiveOutputReport(QByteArray::fromHex("0206") + char(level) + QByteArray(2, 0));
        NotificationCenter::defaultCenter()->post(ReportExposure, current.get());
    }
    int exposureLockReports() const
    {
        int n = 0;
        for (const QByteArray &r : vcam->outputReports())
            n += r.startsWith(QByteArray::fromHex("0205"));
        return n;
    }

    Sandbox sandbox;
    std::unique_ptr<UserDefaults> defaults;
    VirtualCameraHub hub;
    std::unique_ptr<DeviceBackend> backend;
    QList<CameraPtr> cameras;
    CameraPtr current;
    std::shared_ptr<VirtualCamera> vcam;
    std::unique_ptr<CamSettingController> cache;
    std::unique_ptr<LumoCaptureViewController> capture;
    std::unique_ptr<LumoCameraModeControls> controls;
    QWidget twinParent; // the twins are never shown as windows of their own
    LumoPopUpButton twinZoom{&twinParent}, twinLock{&twinParent}, twinTimer{&twinParent}, twinResolution{&twinParent},
        twinMirror{&twinParent};
    LumoExposureButton twinExposure{&twinParent};
    LumoCameraModeControls::Twins twins;
    Shown shown;
};

TEST_F(CameraModeControls, ZoomChosenInEitherPopUpIsAppliedAnnouncedAndShownByBoth)
{
    use(Model::Arvo);
    NotificationRecorder recorder({DeviceCacheWillUpdateZoomFactor});
    choose(controls->zoomButton(), 3);
    EXPECT_EQ(cache->zoom(), 1.5f);
    EXPECT_EQ(capture->zoom(), 1.5f);
    ASSERT_EQ(recorder.notifications().size(), 1);
    EXPECT_EQ(recorder.notifications()[0].userInfo.value(InfoKeys::ZoomFactor).toFloat(), 1.5f);
    EXPECT_EQ(twinZoom.indexOfSelectedItem(), 3);
    EXPECT_EQ(twinZoom.title(), "Zoom: 150%");

    twinZoom.selectItemAtIndex(4);
    NotificationCenter::defaultCenter()->post(FullScreenSetZoom, &twinZoom);
    EXPECT_EQ(capture->zoom(), 2.0f);
    EXPECT_EQ(controls->zoomButton()->title(), "Zoom: 200%");
    EXPECT_TRUE(controls->zoomButton()->itemAtIndex(4)->isChecked());
    EXPECT_FALSE(controls->zoomButton()->itemAtIndex(3)->isChecked());
}

TEST_F(CameraModeControls, ZoomKeysStepThePhotoZoomPopUpAndSetTheCameraZoom)
{
    use(Model::Arvo);
    choose(controls->zoomButton(), 4); // the camera at 200%
    LumoPopUpButton *photoZoom = controls->photoZoomButton();
    photoZoom->selectItemAtIndex(2);
    controls->zoomIn();
    EXPECT_EQ(capture->zoom(), 1.5f) << "taken from the photo zoom pop-up";
    EXPECT_EQ(controls->zoomButton()->title(), "Zoom: 150%");
    EXPECT_EQ(twinZoom.indexOfSelectedItem(), 3);

    photoZoom->selectItemAtIndex(6);
    controls->zoomIn();
    EXPECT_EQ(photoZoom->indexOfSelectedItem(), 6) << "no entry past the last";
    photoZoom->selectItemAtIndex(1);
    controls->zoomOut();
    EXPECT_EQ(photoZoom->indexOfSelectedItem(), 1);
}

TEST_F(CameraModeControls, ExposureDisplayIsSignedOnlyForTheFiveStepModel)
{
    const struct {
        Model model;
        QPair<int, bool> display;
        const char *title;
    } cases[] = {{Model::Arvo, {1, true}, "Exposure: +1"}, {Model::Tobble, {2, false}, "Exposure: 2"}};
    for (const auto &c : cases) {
        use(c.model);
        shown.clear();
        controls->exposureButton()->selectItemAtIndex(2);
        controls->setExposure(controls->exposureButton());
        EXPECT_EQ(shown, Shown({c.display}));
        EXPECT_EQ(controls->exposureButton()->title(), c.title);
        EXPECT_EQ(twinExposure.indexOfSelectedItem(), 2) << "the twin takes the same face";
        EXPECT_EQ(cache->exposure(), 2);
    }
}

TEST_F(CameraModeControls, ManualExposureWithAutoExposureOffWaitsWithoutBlocking)
{
    use(Model::Tobble);
    choose(controls->exposureLockButton(), 2);
    controls->exposureButton()->selectItemAtIndex(9);
    controls->setExposure(controls->exposureButton());
    EXPECT_TRUE(controls->lockAutoGetExposure());
    EXPECT_FALSE(cache->autoBrightness());
    EXPECT_NE(cache->exposure(), 9) << "sent only after the pause";
    cameraReports(3);
    EXPECT_EQ(controls->indexOfExposureItem(), 9) << "reports are not followed meanwhile";
    ASSERT_TRUE(waitUntil([&] { return !controls->lockAutoGetExposure(); }));
    EXPECT_EQ(cache->exposure(), 9);
}

TEST_F(CameraModeControls, ReportedExposureLevelIsShownOutOfRangeAsLevelFourWithAutoExposureOn)
{
    use(Model::Tobble);
    for (int reported : {0, 16}) {
        controls->setIndexOfExposureLockItem(2);
        controls->setIndexOfExposureItem(7);
        shown.clear();
        cameraReports(reported);
        EXPECT_EQ(controls->exposureLockButton()->title(), "AE: On") << reported;
        EXPECT_EQ(twinLock.indexOfSelectedItem(), 1);
        EXPECT_EQ(controls->indexOfExposureItem(), 4);
        EXPECT_EQ(controls->exposureButton()->scroller()->value(), 3);
        EXPECT_EQ(twinExposure.title(), "Exposure: 4");
        EXPECT_EQ(shown, Shown({{4, false}}));
    }
}

TEST_F(CameraModeControls, ReportedExposureChangesNothingWhenEqualOrNotToBeFollowed)
{
    use(Model::Tobble);
    choose(controls->exposureLockButton(), 2);
    controls->setIndexOfExposureItem(6);
    const int lockReports = exposureLockReports();
    cameraReports(6);
    EXPECT_EQ(exposureLockReports(), lockReports) << "no auto-exposure cycle for an equal level";

    QObject otherCamera;
    const std::function<void()> ignoredReports[] = {
        [&] {
            controls->setSupressExposureOSD(true);
            cameraReports(9);
        }, // during a focus run
        [&] {
            choose(controls->resolutionButton(), 3);
            cameraReports(9);
        },
        [&] {
            vcam->receiveOutputReport(QByteArray::fromHex("0206090000"));
            NotificationCenter::defaultCenter()->post(ReportExposure, &otherCamera);
        },
    };
    for (const auto &report : ignoredReports) {
        controls->setSupressExposureOSD(false);
        report();
        EXPECT_EQ(controls->indexOfExposureItem(), 6);
    }
    controls->setSupressExposureOSD(false);
    cameraReports(9);
    EXPECT_EQ(controls->indexOfExposureItem(), 9) << "followed again after the focus run";
    EXPECT_FALSE(cache->autoBrightness()) << "AE off: one auto-exposure cycle";
    EXPECT_TRUE(waitUntil([&] { return cache->autoBrightness(); }));
}

TEST_F(CameraModeControls, AutoExposureSwitchReachesCacheAndCamera)
{
    use(Model::Tobble);
    const struct {
        int entry;
        const char *lockReport; // setExposureLock 2 goes out as 1, 1 as 0
        bool on;
        const char *title;
    } cases[] = {{2, "02 05 01 00 00", false, "AE: Off"}, {1, "02 05 00 00 00", true, "AE: On"}};
    for (const auto &c : cases) {
        choose(controls->exposureLockButton(), c.entry);
        EXPECT_EQ(vcam->outputReports().last().toHex(' '), c.lockReport);
        EXPECT_EQ(cache->autoBrightness(), c.on);
        EXPECT_EQ(controls->lockae(), c.on);
        EXPECT_EQ(twinLock.title(), c.title);
    }
}

TEST_F(CameraModeControls, MirrorEntriesAreSwitchesAndTheTitleTellsTheFlips)
{
    use(Model::Arvo);
    LumoPopUpButton *mirror = controls->mirrorButton();
    choose(mirror, 1);
    EXPECT_EQ(mirror->title(), "Mirror: H");
    choose(mirror, 1);
    EXPECT_EQ(mirror->title(), "Mirror: Off");
    EXPECT_FALSE(capture->hFlipped());

    NotificationRecorder recorder({DeviceCacheWillUpdateMirror});
    choose(mirror, 1);
    choose(mirror, 2);
    EXPECT_EQ(twinMirror.title(), "Mirror: V+H");
    EXPECT_TRUE(twinMirror.itemAtIndex(2)->isChecked());
    EXPECT_TRUE(cache->hFlipped() && cache->vFlipped());
    EXPECT_TRUE(recorder.notifications().last().userInfo.value(InfoKeys::Vertical).toBool());

    cache->setHFlipped(false);
    cache->setVFlipped(false);
    NotificationCenter::defaultCenter()->post(CamSettingDidRestore, cache.get());
    EXPECT_EQ(mirror->title(), "Mirror: Off");
    EXPECT_TRUE(mirror->itemAtIndex(1)->isChecked() && mirror->itemAtIndex(2)->isChecked()) << "a flip that is off leaves its check mark";
}

TEST_F(CameraModeControls, RestoreShowsAndAppliesTheSavedSettings)
{
    use(Model::Arvo);
    cache->setZoom(1.7f); // damaged: no entry
    cache->setTimer(10);
    cache->setResolution(3);
    cache->setExposure(2);
    cache->setAutoBrightness(true);
    NotificationRecorder recorder(
        {DeviceCacheWillUpdateZoomFactor, DeviceCacheWillUpdateTimer, DeviceCacheWillUpdateMirror, DeviceCacheWillUpdateExposure});
    NotificationCenter::defaultCenter()->post(CamSettingDidSetToDefault, cache.get());
    EXPECT_EQ(recorder.names(), QStringList({DeviceCacheWillUpdateZoomFactor, DeviceCacheWillUpdateTimer, DeviceCacheWillUpdateMirror,
                                             DeviceCacheWillUpdateExposure}));
    EXPECT_EQ(controls->zoomButton()->title(), "Zoom: 100%");
    EXPECT_EQ(cache->zoom(), 1.0f) << "the damaged factor is replaced";
    EXPECT_EQ(twinTimer.title(), "Timer: 10 s");
    EXPECT_EQ(controls->resolutionButton()->title(), "Resolution: 800×600");
    EXPECT_EQ(capture->resolution(), QSize(800, 600));
    EXPECT_EQ(controls->exposureButton()->title(), "Exposure: +1");
    EXPECT_TRUE(shown.isEmpty()) << "no exposure display on a restore";
    EXPECT_EQ(controls->exposureLockButton()->title(), "AE: On");
}

TEST_F(CameraModeControls, CameraButtonZoomsMirrorsAndStepsTheExposure)
{
    use(Model::Arvo);
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->post(CaptureWillDigitalZoom, nullptr, {{InfoKeys::ZoomFactor, 3}});
    EXPECT_EQ(capture->zoom(), 3.0f);
    EXPECT_EQ(twinZoom.title(), "Zoom: 300%");
    center->post(CaptureWillDigitalZoom, nullptr, {{InfoKeys::ZoomFactor, 4}});
    EXPECT_EQ(capture->zoom(), 4.0f);
    EXPECT_EQ(controls->zoomButton()->title(), "Zoom: 400%") << "beyond the entries";
    center->post(CaptureWillDigitalZoom, nullptr, {{InfoKeys::ZoomFactor, 0}});
    EXPECT_EQ(capture->zoom(), 1.0f);

    center->post(CaptureWillMirror);
    EXPECT_TRUE(capture->hFlipped());
    EXPECT_FALSE(cache->hFlipped());
    EXPECT_EQ(controls->mirrorButton()->title(), "Mirror: Off");

    center->post(CaptureViewWillUpdateExposure, nullptr, {{InfoKeys::Exposure, 1}});
    EXPECT_EQ(controls->exposureStep(), 1);
    EXPECT_EQ(twinExposure.title(), "Exposure: +1");
}

TEST_F(CameraModeControls, AutoExposureControlOnlyForTheModelWithALockAndToolbarLocking)
{
    QToolBar toolbar;
    for (QWidget *widget : controls->toolbarWidgets())
        toolbar.addWidget(widget);
    auto lockAction = [&] {
        for (QAction *action : toolbar.actions())
            if (toolbar.widgetForAction(action) == controls->exposureLockButton())
                return action;
        return static_cast<QAction *>(nullptr);
    };
    use(Model::Arvo);
    EXPECT_FALSE(lockAction()->isVisible());
    EXPECT_TRUE(twinLock.isHidden());
    use(Model::Tobble);
    EXPECT_TRUE(lockAction()->isVisible());
    EXPECT_FALSE(twinLock.isHidden());

    controls->lockToolbar(true);
    for (QWidget *widget : controls->toolbarWidgets())
        EXPECT_FALSE(widget->isEnabled()) << qPrintable(widget->objectName());
    EXPECT_FALSE(twinMirror.isEnabled());
    controls->lockToolbar(false);
    EXPECT_TRUE(controls->timerButton()->isEnabled());
    EXPECT_TRUE(twinMirror.isEnabled());
}

} // namespace
