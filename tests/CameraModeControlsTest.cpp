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

#include <functional>

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
        current = LumoCamera::create(info);
        current->prepareToWorkWithDevice(info, *backend);
        cameras << current;
        vcam = virtualCamera;
        controls->cameraDidChange();
    }
    void choose(LumoPopUpButton *button, int entry) { button->itemAtIndex(entry)->trigger(); }
    // Picks exposure entry `level` and waits for a pause with auto exposure off to end.
    void chooseExposure(int level)
    {
        controls->exposureButton()->selectItemAtIndex(level);
        controls->setExposure(controls->exposureButton());
        ASSERT_TRUE(waitUntil([&] { return !controls->lockAutoGetExposure(); }));
    }
    int shownExposure() const { return controls->exposureButton()->indexOfSelectedItem(); }
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

TEST_F(CameraModeControls, ZoomKeysStepTheCameraZoomAndInReviewModeThePhotoZoom)
{
    use(Model::Arvo);
    choose(controls->zoomButton(), 3); // the camera at 150%
    LumoPopUpButton *photoZoom = controls->photoZoomButton();
    controls->zoomIn();
    EXPECT_EQ(cache->zoom(), 2.0f);
    EXPECT_EQ(twinZoom.title(), "Zoom: 200%");

    controls->setReviewMode(true);
    QList<float> viewer;
    QObject::connect(controls.get(), &LumoCameraModeControls::viewerZoomRequested, [&](float f) { viewer << f; });
    photoZoom->selectItemAtIndex(6);
    controls->zoomIn();
    EXPECT_EQ(photoZoom->indexOfSelectedItem(), 6) << "no entry past the last";
    photoZoom->selectItemAtIndex(2);
    controls->zoomIn();
    EXPECT_EQ(viewer, QList<float>({1.5f}));
    EXPECT_EQ(capture->zoom(), 2.0f) << "the camera zoom stays";
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
        if (controls->exposureButton()->style() != LumoExposureButton::MenuStyle)
            continue;
        // One check mark, on the step chosen, and no picture that would stand in for it.
        for (LumoPopUpButton *button :
             {static_cast<LumoPopUpButton *>(controls->exposureButton()), static_cast<LumoPopUpButton *>(&twinExposure)}) {
            for (int i = 1; i < button->numberOfItems(); ++i) {
                EXPECT_EQ(button->itemAtIndex(i)->isChecked(), i == 2) << i;
                EXPECT_TRUE(button->itemAtIndex(i)->icon().isNull()) << i;
            }
        }
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
    EXPECT_EQ(shownExposure(), 9) << "reports are not followed meanwhile";
    ASSERT_TRUE(waitUntil([&] { return !controls->lockAutoGetExposure(); }));
    EXPECT_EQ(cache->exposure(), 9);
    EXPECT_EQ(vcam->exposureStep(), 9);
    EXPECT_TRUE(vcam->exposureLocked()) << "automatic exposure stays off";
}

TEST_F(CameraModeControls, ReportedExposureLevelIsShownOutOfRangeAsLevelFourWithAutoExposureOn)
{
    use(Model::Tobble);
    for (int reported : {0, 16}) {
        choose(controls->exposureLockButton(), 2);
        chooseExposure(7);
        shown.clear();
        cameraReports(reported);
        EXPECT_EQ(controls->exposureLockButton()->title(), "AE: On") << reported;
        EXPECT_EQ(twinLock.indexOfSelectedItem(), 1);
        EXPECT_EQ(shownExposure(), 4);
        EXPECT_EQ(controls->exposureButton()->scroller()->value(), 3);
        EXPECT_EQ(twinExposure.title(), "Exposure: 4");
        EXPECT_EQ(shown, Shown({{4, false}}));
    }
}

TEST_F(CameraModeControls, ReportedExposureChangesNothingWhenEqualOrNotToBeFollowed)
{
    use(Model::Tobble);
    chooseExposure(6);
    const int lockReports = exposureLockReports();
    cameraReports(6);
    EXPECT_EQ(exposureLockReports(), lockReports) << "nothing sent for an equal level";

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
        [&] {
            ASSERT_TRUE(current->focusAgain()); // no answer while the camera focuses
            NotificationCenter::defaultCenter()->post(ReportExposure, current.get());
        },
    };
    for (const auto &report : ignoredReports) {
        controls->setSupressExposureOSD(false);
        report();
        EXPECT_EQ(shownExposure(), 6);
        EXPECT_EQ(controls->exposureLockButton()->title(), "AE: On");
    }
    ASSERT_TRUE(waitUntil([&] { return !current->isFocusing; }));
    controls->setSupressExposureOSD(false);
    cameraReports(9);
    EXPECT_EQ(shownExposure(), 9) << "followed with automatic exposure on";

    // With it off the camera holds the level chosen, and gets it again.
    choose(controls->exposureLockButton(), 2);
    cameraReports(12);
    EXPECT_EQ(shownExposure(), 9);
    EXPECT_EQ(vcam->exposureStep(), 9);
    waitUntil([] { return false; }, 20);
    EXPECT_FALSE(cache->autoBrightness());
}

TEST_F(CameraModeControls, AutoExposureSwitchReachesCacheAndCamera)
{
    use(Model::Tobble);
    chooseExposure(11);
    const struct {
        int entry;
        bool on;
        const char *title;
    } cases[] = {{2, false, "AE: Off"}, {1, true, "AE: On"}};
    for (const auto &c : cases) {
        const int lockReports = exposureLockReports();
        choose(controls->exposureLockButton(), c.entry);
        EXPECT_EQ(exposureLockReports(), lockReports + 1) << "sent once";
        EXPECT_EQ(vcam->exposureLocked(), !c.on);
        EXPECT_EQ(cache->autoBrightness(), c.on);
        EXPECT_EQ(controls->lockae(), c.on);
        EXPECT_EQ(twinLock.title(), c.title);
        EXPECT_EQ(vcam->exposureStep(), 11) << "the camera holds the level shown";
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

QStringList entries(const LumoPopUpButton &button)
{
    QStringList titles;
    for (int i = 1; i < button.numberOfItems(); ++i)
        titles << button.itemAtIndex(i)->text();
    return titles;
}

// The models offer their table; another camera the sizes it streams, largest first, each once.
TEST_F(CameraModeControls, ResolutionPopUpsOfferTheCurrentCamerasSizes)
{
    const QStringList table = {"1600×1200", "1280×960", "1024×768", "800×600", "640×480", "320×240"};
    use(Model::Arvo);
    EXPECT_EQ(entries(*controls->resolutionButton()), table);
    use(Model::Uvc);
    const QStringList own = {"1920×1080", "1440×1080", "1280×960", "1280×720", "1024×768", "800×600", "640×480", "640×360", "320×240"};
    EXPECT_EQ(entries(*controls->resolutionButton()), own);
    EXPECT_EQ(entries(twinResolution), own);
    choose(&twinResolution, 1);
    NotificationCenter::defaultCenter()->post(FullScreenSetResolution, &twinResolution);
    EXPECT_EQ(capture->resolution(), QSize(1920, 1080));
    EXPECT_EQ(cache->resolutionSize(), QSize(1920, 1080));
    EXPECT_EQ(controls->resolutionButton()->title(), "Resolution: 1920×1080");
    use(Model::Tobble);
    EXPECT_EQ(entries(twinResolution), table);
}

TEST_F(CameraModeControls, CameraButtonStepsZoomAndExposureAndMirrorsAsTheToolbarDoes)
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    use(Model::Arvo);
    choose(controls->zoomButton(), 3); // 150%
    for (float factor : {2.0f, 3.0f, 1.0f, 2.0f}) {
        center->post(CaptureWillDigitalZoom);
        EXPECT_EQ(capture->zoom(), factor);
        EXPECT_EQ(cache->zoom(), factor);
        EXPECT_EQ(twinZoom.title(), QStringLiteral("Zoom: %1%").arg(qRound(factor * 100)));
    }

    center->post(CaptureWillMirror);
    EXPECT_TRUE(capture->hFlipped());
    EXPECT_TRUE(cache->hFlipped());
    EXPECT_EQ(controls->mirrorButton()->title(), "Mirror: H");

    // One step brighter each press, the darkest after the brightest: entries after each
    // press, and what the camera then holds.
    const struct {
        Model model;
        int from;
        QList<int> steps, camera;
        const char *title;
    } cases[] = {{Model::Arvo, 2, {1, 5}, {9, 3}, "Exposure: -2"}, {Model::Tobble, 14, {15, 1}, {15, 1}, "Exposure: 1"}};
    for (const auto &c : cases) {
        use(c.model);
        chooseExposure(c.from);
        for (int i = 0; i < c.steps.size(); ++i) {
            center->post(CaptureViewWillUpdateExposure);
            EXPECT_EQ(cache->exposure(), c.steps[i]);
            EXPECT_EQ(vcam->exposureStep(), c.camera[i]);
        }
        EXPECT_EQ(twinExposure.title(), c.title);
    }
}

TEST_F(CameraModeControls, ControlsFollowWhatTheCameraOffersAndToolbarLocking)
{
    QToolBar toolbar;
    for (QWidget *widget : controls->toolbarWidgets())
        toolbar.addWidget(widget);
    auto actionOf = [&](QWidget *widget) {
        for (QAction *action : toolbar.actions())
            if (toolbar.widgetForAction(action) == widget)
                return action;
        return static_cast<QAction *>(nullptr);
    };
    auto lockAction = [&] { return actionOf(controls->exposureLockButton()); };
    using Kind = LumoCamera::ExposureKind;
    const CameraPtr range = AnsweringCamera::make({Kind::Range, 10, 6, true});
    const CameraPtr nothing = AnsweringCamera::make({});
    // The saved level is restored; one the control does not offer shows the camera's own start.
    const struct {
        const char *camera;
        std::function<void()> plug;
        bool exposure, autoExposure;
        int sliderLevels; // 0: the menu of five steps
        int saved;
        const char *title; // null: not shown
    } rows[] = {
        {"Arvo", [&] { use(Model::Arvo); }, true, false, 0, 2, "Exposure: +1"},
        {"Tobble", [&] { use(Model::Tobble); }, true, true, 15, 9, "Exposure: 9"},
        {"range", [&] { current = range; }, true, true, 10, 0, "Exposure: 6"},
        {"nothing", [&] { current = nothing; }, false, false, 0, 0, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.camera);
        row.plug();
        controls->cameraDidChange();
        cache->setExposure(int16_t(row.saved));
        NotificationCenter::defaultCenter()->post(CamSettingDidRestore, cache.get());
        EXPECT_EQ(actionOf(controls->exposureButton())->isVisible(), row.exposure);
        EXPECT_EQ(twinExposure.isHidden(), !row.exposure);
        EXPECT_EQ(lockAction()->isVisible(), row.autoExposure);
        EXPECT_EQ(twinLock.isHidden(), !row.autoExposure);
        for (LumoExposureButton *button : {controls->exposureButton(), &twinExposure}) {
            EXPECT_EQ(button->style() == LumoExposureButton::SliderStyle ? button->sliderLevels() : 0, row.sliderLevels);
            if (row.title) {
                EXPECT_EQ(button->title(), row.title);
            }
            EXPECT_FALSE(button->title().contains("Exposure: Exposure")) << qPrintable(button->title());
        }
    }

    // Without a camera nothing can be worked, and the controls say why.
    current = nullptr;
    controls->cameraDidChange();
    EXPECT_FALSE(lockAction()->isVisible());
    controls->lockToolbar(false); // a self-timer ending meanwhile
    for (QWidget *widget : controls->toolbarWidgets() + QList<QWidget *>{&twinZoom, &twinMirror}) {
        EXPECT_FALSE(widget->isEnabled()) << qPrintable(widget->objectName());
        EXPECT_EQ(widget->toolTip(), "No camera connected");
    }
    use(Model::Tobble);
    EXPECT_TRUE(twinMirror.isEnabled());

    controls->lockToolbar(true);
    for (QWidget *widget : controls->toolbarWidgets())
        EXPECT_FALSE(widget->isEnabled()) << qPrintable(widget->objectName());
    EXPECT_FALSE(twinMirror.isEnabled());
    controls->lockToolbar(false);
    EXPECT_TRUE(controls->timerButton()->isEnabled());
    EXPECT_TRUE(twinMirror.isEnabled());
}

} // namespace
