#include "TestSupport.h"
#include "device/CameraIds.h"
#include "app/CommandLine.h"
#include "app/LumoAppController.h"
#include "core/Delays.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/DeviceBackend.h"
#include "device/virtual/VirtualCameraHub.h"
#include "photos/LumoActionController.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/CaptureView.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/fullscreen/FloaterImages.h"
#include "ui/fullscreen/LumoAttachController.h"
#include "ui/fullscreen/LumoPreviewImageView.h"
#include "ui/freeze/FreezeControls.h"
#include "ui/recording/RecordButton.h"
#include "ui/recording/RecordingControls.h"
#include "capture/recording/Recorder.h"
#include "ui/widgets/LumoButtonView.h"
#include "ui/widgets/LumoPopUpButton.h"

#include "ui/drawing/DrawingController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;
using Mode = LumoMainWindowController::Mode;

void post(const char *name, const QVariantMap &userInfo = {})
{
    NotificationCenter::defaultCenter()->post(QString::fromLatin1(name), nullptr, userInfo);
}

// The main window with its floating controls, in camera mode, without a camera.
class FullScreen : public testing::Test {
protected:
    void SetUp() override
    {
        main.initAttachController();
        main.setMode(Mode::CameraMode);
        main.window()->show();
    }
    LumoAttachController *attach() const { return main.attachController(); }
    // A camera for the controls to work, never prepared: every request to it fails softly.
    void plugCamera()
    {
        camera = LumoCamera::create(CameraIds::VendorId, CameraIds::ArvoProductId);
        main.cameraControls()->cameraDidChange();
    }
    bool shows(LumoFloaterWindow *floater) const { return floater->isVisible(); }

    Sandbox sandbox;
    CameraPtr camera; // none unless a test plugs one
    LumoMainWindowController main{nullptr, [this] { return camera; }};
};

TEST_F(FullScreen, ProjectModeCarriesThePictureAndItsControlsToAFullScreenWindowAndBack)
{
    main.window()->resize(1000, 700);
    FreezeControls freeze(&main);
    EXPECT_FALSE(freeze.floater()->isVisible()) << "the toolbar has the freeze button";
    EXPECT_TRUE(shows(attach()->snapshotWindow()));
    EXPECT_FALSE(shows(attach()->closeWindow())) << "close button and strip only full screen";
    EXPECT_FALSE(shows(attach()->toolbarContainerWindow()));

    main.setMode(Mode::ProjectMode);
    QWidget *full = main.fullWindow();
    ASSERT_TRUE(full);
    main.enterFullScreenMode(); // a second time changes nothing
    EXPECT_EQ(main.fullWindow(), full);
    EXPECT_TRUE(full->isFullScreen());
    EXPECT_FALSE(main.window()->isVisible());
    EXPECT_EQ(main.cameraView()->window(), full);
    EXPECT_EQ(full->geometry(), full->screen()->geometry());
    for (LumoFloaterWindow *floater :
         {attach()->snapshotWindow(), attach()->focusButtonWindow(), attach()->closeWindow(), attach()->toolbarContainerWindow()})
        EXPECT_TRUE(shows(floater)) << qPrintable(floater->objectName());
    // The buttons sit on the 4:3 picture in the middle of the screen, not on the band beside it.
    const QSize screen = full->size();
    const double pictureRight = screen.width() / 2.0 + screen.height() * 2.0 / 3;
    EXPECT_NEAR(QRectF(attach()->snapshotWindow()->geometry()).center().x(), pictureRight - 95, 1);
    EXPECT_TRUE(attach()->twins()->zoom->isVisibleTo(full));
    // The drawing's strip floats over the picture, and the drawing keys work here too.
    EXPECT_TRUE(shows(main.drawing()->floatingStrip()));
    QApplication::setActiveWindow(full);
    QTest::keyClick(full, Qt::Key_B);
    EXPECT_EQ(main.drawing()->overlay()->tool(), DrawingTool::Rectangle);
    QTest::keyClick(full, Qt::Key_B);
    EXPECT_EQ(main.drawing()->overlay()->tool(), DrawingTool::None);
    ASSERT_TRUE(waitUntil([&] { return freeze.floater()->isVisible(); }));
    EXPECT_TRUE(full->rect().contains(freeze.floater()->geometry().translated(main.cameraView()->pos())));
    int freezes = 0;
    QObject::connect(freeze.freezeAction(), &QAction::triggered, [&] { ++freezes; });
    QTest::keyClick(full, Qt::Key_F);
    EXPECT_EQ(freezes, 1) << "F works full screen";

    // A click on the picture hides the controls, another brings them back; a click on a
    // control is the control's.
    QTest::mouseClick(main.cameraView(), Qt::LeftButton, {}, QPoint(5, screen.height() / 2));
    EXPECT_FALSE(shows(attach()->snapshotWindow()));
    EXPECT_FALSE(shows(attach()->closeWindow()));
    QTest::mouseClick(main.cameraView(), Qt::LeftButton, {}, QPoint(5, screen.height() / 2));
    EXPECT_TRUE(shows(attach()->snapshotWindow()));
    QTest::mouseClick(attach()->toolbarContainerWindow(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(shows(attach()->snapshotWindow()));

    QTest::keyClick(full, Qt::Key_Escape);
    EXPECT_EQ(main.mode(), Mode::CameraMode);
    EXPECT_FALSE(main.fullWindow());
    EXPECT_TRUE(main.window()->isVisible());
    EXPECT_EQ(main.cameraView()->window(), main.window());
    EXPECT_TRUE(shows(attach()->snapshotWindow()));
    EXPECT_FALSE(shows(attach()->closeWindow()));
    EXPECT_FALSE(shows(attach()->toolbarContainerWindow()));
    main.exitFullScreenMode(); // without a full-screen window: nothing
    EXPECT_TRUE(waitUntil([&] { return !freeze.floater()->isVisible(); }));
    // A mode button is checked before the mode changes: the freeze button follows the mode set.
    main.modeActions()[1]->trigger();
    EXPECT_TRUE(waitUntil([&] { return freeze.floater()->isVisible(); }));
    main.modeActions()[0]->trigger();

    // Closed from the desktop, the full-screen window gives the main window back.
    main.setMode(Mode::ProjectMode);
    main.fullWindow()->close();
    EXPECT_EQ(main.mode(), Mode::CameraMode);
    EXPECT_TRUE(main.window()->isVisible());

    // The floating close button leaves too; review mode hides the controls.
    main.setMode(Mode::ProjectMode);
    QTest::mouseClick(attach()->closeView(), Qt::LeftButton);
    EXPECT_EQ(main.mode(), Mode::CameraMode);
    main.setMode(Mode::ReviewMode);
    EXPECT_FALSE(attach()->snapshotWindow()->isVisibleTo(main.cameraView()));
}

// The recorder is driven through its signals, as the engine would: the controls follow them.
TEST_F(FullScreen, RecordingControlsFollowTheRecorderInTheMenuStatusLineAndProjectModesRoundButton)
{
    const struct {
        qint64 ms, bytes;
        const char *status;
    } texts[] = {{0, 0, "Recording 0:00 · 0.0 MB"},
                 {42'999, 12'345'678, "Recording 0:42 · 12.3 MB"},
                 {725'000, 999'949'999, "Recording 12:05 · 999.9 MB"},
                 {3'723'000, 2'500'000'000, "Recording 1:02:03 · 2.50 GB"}};
    for (const auto &t : texts)
        EXPECT_EQ(RecordingControls::statusText(t.ms, t.bytes), QString::fromUtf8(t.status));

    UserDefaults defaults(sandbox.path("Arvo.conf"));
    Recorder recorder(&defaults);
    RecordingControls controls(&recorder, &main, &defaults);
    QAction *record = controls.recordAction();
    RecordButton *round = controls.floater();
    EXPECT_EQ(record->text(), "Start &Recording");
    EXPECT_TRUE(record->isEnabled());
    EXPECT_FALSE(round->isVisible()) << "the toolbar has the button in camera mode";

    // A start the recorder refuses says why, and nothing records.
    QSignalSpy failed(&recorder, &Recorder::failed);
    record->trigger();
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(main.messageText(), failed[0][0].toString());
    EXPECT_FALSE(controls.isRecording());

    emit recorder.started(sandbox.path("2026-12-08_0007.mp4"), false);
    EXPECT_EQ(record->text(), "Stop &Recording");
    EXPECT_EQ(controls.statusLabel()->text(), QString::fromUtf8("Recording 0:00 · 0.0 MB"));
    EXPECT_TRUE(controls.statusLabel()->isVisibleTo(main.window()));
    EXPECT_EQ(main.messageText(), "Recording without sound: no microphone");
    emit recorder.progress(42'000, 12'345'678);
    EXPECT_EQ(controls.statusLabel()->text(), QString::fromUtf8("Recording 0:42 · 12.3 MB"));

    // Full screen: the round button is red, with the time beside it, over the snapshot button.
    main.setMode(Mode::ProjectMode);
    QWidget *full = main.fullWindow();
    ASSERT_TRUE(waitUntil([&] { return round->isVisible(); }));
    EXPECT_TRUE(round->isChecked());
    EXPECT_EQ(round->text(), "0:42");
    const QRect roundOnScreen = round->roundRect().translated(round->mapTo(full, QPoint()));
    EXPECT_NEAR(roundOnScreen.center().x(), attach()->snapshotWindow()->geometry().center().x(), 2);
    EXPECT_LT(roundOnScreen.bottom(), attach()->snapshotWindow()->geometry().top());
    const QImage picture = round->grab().toImage();
    const QPoint ring = round->roundRect().center() + QPoint(RecordButton::Diameter / 2 - 6, 0);
    EXPECT_EQ(picture.pixelColor(ring * picture.devicePixelRatio()), RecordButton::recordingRed());
    // R works here; it stops, and the recorder's end message follows the button for a while.
    QSignalSpy triggered(record, &QAction::triggered);
    QApplication::setActiveWindow(full);
    QTest::keyClick(full, Qt::Key_R);
    EXPECT_EQ(triggered.size(), 1);
    QTest::mouseClick(round, Qt::LeftButton, {}, round->roundRect().center());
    ASSERT_EQ(failed.size(), 1) << "both asked to stop, not to start again";
    emit recorder.finished(sandbox.path("2026-12-08_0007.mp4"), Recorder::End::CameraUnplugged,
                           "The camera was unplugged: recording saved as 2026-12-08_0007.mp4");
    EXPECT_FALSE(round->isChecked());
    EXPECT_EQ(round->text(), "The camera was unplugged: recording saved as 2026-12-08_0007.mp4");
    EXPECT_EQ(main.messageText(), round->text());
    EXPECT_EQ(record->text(), "Start &Recording");

    // Back in the window no label is left; review mode offers no start, and a text field keeps R.
    main.setMode(Mode::CameraMode);
    EXPECT_FALSE(controls.statusLabel()->isVisibleTo(main.window()));
    main.setMode(Mode::ReviewMode);
    EXPECT_TRUE(waitUntil([&] { return !record->isEnabled(); }));
    main.setMode(Mode::CameraMode);
    auto *field = new QLineEdit(main.window());
    main.window()->statusBar()->addWidget(field);
    field->show();
    QApplication::setActiveWindow(main.window());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_R);
    EXPECT_EQ(field->text(), "r");
    EXPECT_EQ(failed.size(), 1) << "no start while typing";
}

TEST_F(FullScreen, TwinPopUpsActLikeTheToolbarsStayInStepAndFollowWhatTheCameraOffers)
{
    plugCamera();
    main.setMode(Mode::ProjectMode);
    LumoPopUpButton *twin = attach()->twins()->zoom;
    LumoPopUpButton *toolbar = main.cameraControls()->zoomButton();
    ASSERT_EQ(twin->numberOfItems(), toolbar->numberOfItems());
    QMenu *menu = twin->popUpMenu();
    menu->popup(twin->mapToGlobal(QPoint(0, twin->height())));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(twin->itemAtIndex(3)).center());
    EXPECT_EQ(main.captureController()->zoom(), 1.5f);
    EXPECT_EQ(toolbar->indexOfSelectedItem(), 3);
    EXPECT_EQ(twin->title(), "Zoom: 150%");
    EXPECT_EQ(toolbar->title(), "Zoom: 150%");

    main.cameraControls()->timerButton()->itemAtIndex(2)->trigger();
    EXPECT_EQ(attach()->twins()->timer->title(), "Timer: 3 s");

    // The strip and the focus floaters follow what the camera offers; the strip takes no room
    // for a pop-up its camera has no use for.
    using Kind = LumoCamera::ExposureKind;
    using Focus = LumoCamera::FocusKind;
    const struct {
        const char *name;
        CameraPtr camera;
        bool exposure, autoExposure, focus;
    } rows[] = {
        {"Arvo", LumoCamera::create(CameraIds::VendorId, CameraIds::ArvoProductId), true, false, true},
        {"Tobble", LumoCamera::create(CameraIds::VendorId, CameraIds::TobbleProductId), true, true, true},
        {"one-shot range", AnsweringCamera::make({Kind::Range, 8, 4, true, Focus::OneShot}), true, true, true},
        {"continuous range", AnsweringCamera::make({Kind::Range, 8, 4, true, Focus::Continuous}), true, true, false},
        {"nothing", AnsweringCamera::make({}), false, false, false},
    };
    QMap<QString, int> stripWidth;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        camera = row.camera;
        main.cameraControls()->cameraDidChange();
        attach()->cameraDidChange();
        EXPECT_EQ(attach()->twins()->exposure->isHidden(), !row.exposure);
        EXPECT_EQ(attach()->twins()->exposureLock->isHidden(), !row.autoExposure);
        EXPECT_EQ(shows(attach()->focusButtonWindow()), row.focus);
        EXPECT_EQ(shows(attach()->focusWindow()), row.focus);
        EXPECT_TRUE(shows(attach()->snapshotWindow()));
        stripWidth[row.name] = attach()->toolbarContainerWindow()->width();
    }
    EXPECT_LT(stripWidth["Arvo"], stripWidth["Tobble"]);
    EXPECT_LT(stripWidth["nothing"], stripWidth["Arvo"]);
}

// The shutter's black frame, then the photo for 0, 2 or 4 seconds, then the live picture,
// timed on a time scale of 1/20 so that the lengths can be told apart.
TEST_F(FullScreen, InstantPreviewBlanksThenShowsThePhotoForItsTime)
{
    const double scale = Delays::timeScale();
    Delays::setTimeScale(0.05);
    QImage photo(640, 480, QImage::Format_RGB32);
    photo.fill(Qt::yellow);
    const struct {
        int key;
        int previewMs;                                    // unscaled; 0: the photo never shows
    } rows[] = {{0, 0}, {1, 2000}, {2, 4000}, {5, 4000}}; // 5 keeps the last duration
    for (const auto &row : rows) {
        SCOPED_TRACE(row.key);
        main.instantPreviewDidChange({InstantPreviewDidChange, nullptr, {{"InstantPreviewKey", row.key}}});
        LumoPreviewImageView *preview = main.previewImageView();
        QElapsedTimer clock;
        clock.start();
        post(AppWillSnapshot, {{"image", photo}});
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(preview->image().isNull()) << "black at first";
        bool photoShown = false;
        qint64 photoAt = 0;
        ASSERT_TRUE(waitUntil(
            [&] {
                if (!photoShown && !preview->image().isNull()) {
                    photoShown = true;
                    photoAt = clock.elapsed();
                }
                return !preview->isVisible();
            },
            5000));
        const qint64 endAt = clock.elapsed();
        EXPECT_EQ(photoShown, row.previewMs > 0);
        // Timers may fire a little early (coarse timers: up to 5 %), never much.
        if (photoShown) {
            EXPECT_GE(photoAt, 0.9 * 500 * 0.05);
            EXPECT_GE(endAt - photoAt, 0.9 * row.previewMs * 0.05);
        } else {
            EXPECT_GE(endAt, 0.9 * 500 * 0.05);
        }
    }
    Delays::setTimeScale(scale);
}

TEST_F(FullScreen, FocusCrossFollowsTheUsersFocusRunsAndNotTheAutomaticOnes)
{
    EXPECT_EQ(attach()->focusValue(), 2);
    QList<int> seen;
    const auto record = [&] {
        if (seen.isEmpty() || seen.last() != attach()->focusValue())
            seen << attach()->focusValue();
    };
    record();
    post(CaptureFocusWillBegin);
    record();
    EXPECT_TRUE(main.cameraControls()->supressExposureOSD()) << "exposure reports are ignored while focusing";
    post(CaptureFocusWillEnd);
    record();
    EXPECT_FALSE(main.cameraControls()->supressExposureOSD());
    ASSERT_TRUE(waitUntil([&] { return attach()->focusValue() == 2; }));
    record();
    EXPECT_EQ(seen, QList<int>({2, 1, 0, 2}));

    // A new focus within the two seconds after the last one keeps its red cross.
    post(CaptureFocusWillBegin);
    post(CaptureFocusWillEnd);
    post(CaptureFocusWillBegin);
    QTest::qWait(Delays::scaled(Delays::FocusCrossRest) * 3);
    EXPECT_EQ(attach()->focusValue(), 1);
    post(CaptureFocusWillEnd);
    ASSERT_TRUE(waitUntil([&] { return attach()->focusValue() == 2; }));

    // An automatic run: no change, and the next run is the user's again.
    post(CaptureAutoFocusWillBegin);
    post(CaptureFocusWillBegin);
    EXPECT_EQ(attach()->focusValue(), 2);
    post(CaptureFocusWillEnd);
    EXPECT_EQ(attach()->focusValue(), 2);
    EXPECT_FALSE(main.isAutoFocus());
    post(CaptureFocusWillBegin);
    EXPECT_EQ(attach()->focusValue(), 1);

    // The focus mode shows behind the snapshot button.
    post(CaptureFocusDidSetContinous);
    const QImage continuous = attach()->focusIndicatorView()->exitImage().toImage();
    post(CaptureFocusDidSetSingle);
    EXPECT_NE(attach()->focusIndicatorView()->exitImage().toImage(), continuous);
}

TEST(FloaterImages, CountdownAndExposureReadOutsAreDrawnAndTheRestAreSvgPictures)
{
    for (const char *name :
         {"0", "10", "Exp-+2", "Exp-0", "Exp--2", "Exp-15", "Snapshot-Down", "Snapshot-Up", "Put-On-Focus-Down", "Put-On-Focus-Up",
          "Esc-Down", "Esc-Up", "Background-Single", "Background-Continuos", "Target-Green", "Target-Red"})
        EXPECT_FALSE(FloaterImages::named(name).isNull()) << name;
    EXPECT_TRUE(FloaterImages::named("11").isNull());

    const struct {
        int value;
        bool showSigned;
        const char *name;
    } rows[] = {{2, true, "Exp-+2"}, {0, true, "Exp-0"}, {-2, true, "Exp--2"}, {7, false, "Exp-7"}, {0, false, "Exp-0"}};
    for (const auto &row : rows)
        EXPECT_EQ(LumoAttachController::exposureImageName(row.value, row.showSigned), row.name);
}

TEST(PreviewImageView, PhotoIsAspectFittedAndCentred)
{
    const struct {
        QSizeF image;
        QRectF view, expected;
    } rows[] = {
        {{200, 100}, {0, 0, 100, 100}, {0, 25, 100, 50}},     // wider: full width, bands above and below
        {{100, 200}, {0, 0, 100, 100}, {25, 0, 50, 100}},     // taller: full height
        {{640, 480}, {10, 20, 800, 600}, {10, 20, 800, 600}}, // equal aspects fill the view
        {{0, 0}, {0, 0, 100, 100}, {}},                       // nothing to draw
    };
    for (const auto &row : rows)
        EXPECT_EQ(LumoPreviewImageView::targetRect(row.image, row.view), row.expected);
}

// The countdown locks the controls of both windows until it ends, however it ends.
class Countdown : public FullScreen {
protected:
    void SetUp() override
    {
        FullScreen::SetUp();
        defaults = std::make_unique<UserDefaults>(sandbox.path("Arvo.conf"));
        defaults->setValue("LumoPhotoLibraryLocationKey", sandbox.path("Library"));
        QDir().mkpath(sandbox.path("Library"));
        action = std::make_unique<LumoActionController>(defaults.get(), [] { return CameraPtr(); });
        QObject::connect(&main, &LumoMainWindowController::countdownCancelRequested, action.get(), &LumoActionController::cancelCountdown);
        post(DeviceCacheWillUpdateTimer, {{"DevTimerValue", 3}});
    }
    bool locked() const
    {
        for (QWidget *control : {static_cast<QWidget *>(main.cameraControls()->zoomButton()),
                                 static_cast<QWidget *>(attach()->twins()->zoom), static_cast<QWidget *>(attach()->twins()->timer)})
            if (control->isEnabled())
                return false;
        for (QAction *mode : main.modeActions())
            if (mode->isEnabled())
                return false;
        return true;
    }
    bool countdownShows() const { return attach()->timerWindow()->isVisible() && !attach()->snapshotWindow()->isVisible(); }

    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<LumoActionController> action;
};

TEST_F(Countdown, ControlsAreLockedFromItsStartToItsEndWithAPhotoAFailureOrACancellation)
{
    // Cancelled by a click on the countdown, or by Escape (full screen: the way out).
    enum Ending { Photo, FailedPhoto, Cancelled, Escaped };
    for (Ending ending : {Photo, FailedPhoto, Cancelled, Escaped}) {
        SCOPED_TRACE(ending);
        action->setCurrentImage(ending == FailedPhoto ? QImage() : QImage(64, 48, QImage::Format_RGB32));
        NotificationRecorder recorder({FileDidCreate, PhotoSaveDidFail, CaptureDidInvalidateTimer});
        main.setMode(ending >= Cancelled ? Mode::ProjectMode : Mode::CameraMode);
        action->velmarDidSnapshot({Snapshot, nullptr, {}});
        EXPECT_TRUE(locked());
        EXPECT_TRUE(countdownShows());
        EXPECT_EQ(attach()->timerImageName(), "3");
        EXPECT_FALSE(attach()->snapshotView()->shouldResponse());
        if (ending >= Cancelled) {
            ASSERT_TRUE(waitUntil([&] { return attach()->timerImageName() == "2"; }));
            if (ending == Cancelled)
                QTest::mouseClick(attach()->timerView(), Qt::LeftButton);
            else
                post(AppExitFullScreen);
            EXPECT_FALSE(locked());
            EXPECT_FALSE(countdownShows());
            EXPECT_EQ(main.mode(), Mode::ProjectMode) << "the way out ends the countdown first";
            EXPECT_FALSE(action->countdownRunning());
        }
        ASSERT_TRUE(waitUntil([&] { return recorder.names().contains(CaptureDidInvalidateTimer); }));
        EXPECT_FALSE(locked());
        EXPECT_FALSE(countdownShows());
        EXPECT_TRUE(attach()->snapshotWindow()->isVisible());
        EXPECT_TRUE(attach()->snapshotView()->shouldResponse());
        if (ending == Photo) {
            EXPECT_TRUE(waitUntil([&] { return recorder.names().contains(FileDidCreate); }));
        }
        if (ending == FailedPhoto) {
            EXPECT_TRUE(recorder.names().contains(PhotoSaveDidFail));
        }
        action->waitForSaves();
    }
}

// A camera that refuses the automatic focus runs none, so none is announced: the snapshot
// controller would otherwise take the user's next focus for an automatic one.
TEST(AutoFocus, ARefusedRequestAnnouncesNoAutomaticRun)
{
    Sandbox sandbox;
    VirtualCameraHub hub;
    const std::unique_ptr<DeviceBackend> backend = hub.createBackend();
    VirtualCamera::Faults noHid;
    noHid.noHid = true;
    const DeviceInfo info = hub.plug(VirtualCamera::Model::Arvo, noHid)->deviceInfo();
    const CameraPtr camera = LumoCamera::create(info.vendorId, info.productId);
    camera->prepareToWorkWithDevice(info, *backend);
    {
        LumoMainWindowController main(nullptr, [&] { return camera; });
        NotificationRecorder recorder({CaptureAutoFocusWillBegin});
        main.doAutoFocus();
        EXPECT_TRUE(recorder.names().isEmpty());
        EXPECT_FALSE(main.isAutoFocus());
    }
    camera->setActive(false);
    camera->prepareToDetatch();
}

// The whole application on a virtual camera, as a user works it.
TEST(FullScreenApp, FloatingSnapshotButtonTakesAPhotoAndTheFocusButtonFocuses)
{
    Sandbox sandbox;
    LumoAppController controller(parseCommandLine({"arvo", "--virtual-camera=arvo"}));
    // The cross's colour as each focus notification has been handled (-1: no controls yet).
    QList<int> colours;
    NotificationCenter *center = NotificationCenter::defaultCenter();
    const auto colour = [&] {
        LumoMainWindowController *main = controller.mainWindowController();
        return main && main->attachController() ? main->attachController()->focusValue() : -1;
    };
    NotificationRecorder restored({CamSettingDidRestore, CamSettingDidSetToDefault});
    controller.awakeFromNib(false);
    for (const char *name : {CaptureFocusWillBegin, CaptureFocusWillEnd})
        center->addObserver(&colours, name, [&](const Notification &) { colours << colour(); });
    controller.applicationWillFinishLaunching(nullptr);
    LumoMainWindowController *main = controller.mainWindowController();
    ASSERT_TRUE(waitUntil([&] { return main->window()->isVisible() && main->attachController(); }));
    ASSERT_TRUE(waitUntil([&] { return !controller.actionController()->currentImage().isNull(); }));
    LumoAttachController *attach = main->attachController();

    // The automatic focus runs after start-up (camera mode, the new camera, its restored
    // resolution) end without showing anything. Quiet: no focus news for a while.
    ASSERT_TRUE(restored.waitForCount(1));
    ASSERT_TRUE(waitUntil([&] { return colours.size() >= 2; }));
    for (qsizetype seen = -1; seen != colours.size() || main->isAutoFocus();) {
        seen = colours.size();
        QTest::qWait(Delays::scaled(Delays::AutoFocus) * 15);
    }
    EXPECT_FALSE(colours.contains(1)) << "no red cross for an automatic focus";
    EXPECT_EQ(attach->focusValue(), 2);

    main->setMode(Mode::ProjectMode);
    NotificationRecorder recorder({FileDidCreate});
    QTest::mouseClick(attach->snapshotView(), Qt::LeftButton);
    ASSERT_TRUE(recorder.waitForCount(1));
    const QString path = recorder.notifications().first().userInfo.value(InfoKeys::FileURL).toUrl().toLocalFile();
    EXPECT_TRUE(path.startsWith(sandbox.path())) << qPrintable(path);
    EXPECT_TRUE(QFileInfo(path).size() > 0);

    // Through the ring around the snapshot button: a focus the user asked for.
    colours.clear();
    const QPoint ring(attach->focusButtonView()->width() / 2, 3);
    QTest::mouseClick(attach->focusButtonView(), Qt::LeftButton, {}, ring);
    ASSERT_TRUE(waitUntil([&] { return colours.size() == 2; })) << ::testing::PrintToString(colours);
    EXPECT_TRUE(waitUntil([&] { return attach->focusValue() == 2; }));
    center->removeObserver(&colours);
    EXPECT_EQ(colours, QList<int>({1, 0}));

    // Zoomed, a drag moves the shown part with the pointer and is no click: the controls stay,
    // and a double click right after it starts the next drag rather than leaving project mode.
    // A chosen drawing tool takes the pointer; a double click alone still leaves.
    LumoCaptureViewController *capture = main->captureController();
    capture->setZoom(2.0f);
    ASSERT_TRUE(waitUntil([&] { return capture->captureView()->frame().transform().zoom == 2.0f; }));
    QWidget *picture = capture->captureView();
    const auto send = [&](QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, picture->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
        QApplication::sendEvent(picture, &event);
    };
    const auto drag = [&](QEvent::Type press) {
        send(press, {200, 200}, Qt::LeftButton);
        send(QEvent::MouseMove, {300, 260}, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, {300, 260}, Qt::NoButton);
    };
    const bool controlsShown = attach->isVisable();
    drag(QEvent::MouseButtonPress);
    EXPECT_LT(capture->pan().x(), 0.5);
    EXPECT_LT(capture->pan().y(), 0.5);
    const QPointF dragged = capture->pan();
    drag(QEvent::MouseButtonDblClick);
    EXPECT_LT(capture->pan().x(), dragged.x());
    EXPECT_EQ(attach->isVisable(), controlsShown);
    QApplication::processEvents();
    EXPECT_EQ(main->mode(), Mode::ProjectMode);
    QAction *pen = main->drawing()->toolAction(DrawingTool::Pen);
    pen->trigger();
    const QPointF before = capture->pan();
    drag(QEvent::MouseButtonPress);
    EXPECT_EQ(capture->pan(), before) << "the pen draws instead";
    pen->trigger();
    ASSERT_EQ(main->drawing()->overlay()->tool(), DrawingTool::None);
    const bool shownBeforeClick = attach->isVisable();
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {10, 10}, Qt::NoButton);
    EXPECT_NE(attach->isVisable(), shownBeforeClick) << "a click shows or hides the controls";
    send(QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {10, 10}, Qt::NoButton);
    EXPECT_TRUE(waitUntil([&] { return main->mode() == Mode::CameraMode; }));
}

} // namespace
