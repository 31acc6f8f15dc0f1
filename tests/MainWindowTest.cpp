#include "TestSupport.h"
#include "device/CameraIds.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "settings/CamSettingController.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/widgets/LumoPopUpButton.h"
#include "ui/widgets/WidgetGeometry.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using Mode = LumoMainWindowController::Mode;

// The main window without a camera or a capture back end: the mode machinery alone.
class MainWindowModes : public testing::Test {
protected:
    int checkedMode() const
    {
        for (QAction *action : main.modeActions())
            if (action->isChecked())
                return action->data().toInt();
        return -1;
    }
    // A camera for the controls to work, never prepared: every request to it fails softly.
    void plugCamera()
    {
        camera = LumoCamera::create(CameraIds::VendorId, CameraIds::ArvoProductId);
        main.cameraControls()->cameraDidChange();
    }
    bool shows(QToolBar *toolbar) const { return toolbar->isVisibleTo(main.window()); }

    Sandbox sandbox;
    CameraPtr camera; // none unless a test plugs one
    LumoMainWindowController main{nullptr, [this] { return camera; }};
};

TEST_F(MainWindowModes, EachModeShowsItsToolbarAndStatusLineAndTheSameModeAgainChangesNothing)
{
    EXPECT_EQ(main.mode(), Mode::NoMode);
    main.setMode(Mode::CameraMode);
    EXPECT_TRUE(shows(main.cameraModeToolbar()));
    EXPECT_FALSE(shows(main.reviewModeToolbar()));
    EXPECT_TRUE(main.window()->statusBar()->isVisibleTo(main.window()));
    EXPECT_EQ(checkedMode(), Mode::CameraMode);

    main.setMode(Mode::ReviewMode);
    EXPECT_FALSE(shows(main.cameraModeToolbar()));
    EXPECT_TRUE(shows(main.reviewModeToolbar()));
    EXPECT_FALSE(main.window()->statusBar()->isVisibleTo(main.window()));
    EXPECT_EQ(checkedMode(), Mode::ReviewMode);

    // A value that is no mode is only stored; camera mode then runs its whole sequence again.
    main.setMode(7);
    EXPECT_EQ(main.mode(), 7);
    EXPECT_TRUE(shows(main.reviewModeToolbar()));
    main.setMode(Mode::CameraMode);
    EXPECT_TRUE(shows(main.cameraModeToolbar()));
    EXPECT_EQ(checkedMode(), Mode::CameraMode);
}

TEST_F(MainWindowModes, ModeActionsDoubleClickAndReturnActOnlyWhereTheyShould)
{
    NotificationRecorder snapshots({NotificationNames::Snapshot});
    main.setMode(Mode::ReviewMode);
    main.takePhotoAction()->trigger();
    NotificationCenter::defaultCenter()->post(NotificationNames::MainWindowDoubleClicked);
    EXPECT_EQ(main.mode(), Mode::ReviewMode) << "a double click in review mode does nothing";
    EXPECT_TRUE(snapshots.names().isEmpty()) << "Return takes no photo in review mode";

    main.modeActions().at(Mode::CameraMode)->trigger();
    EXPECT_EQ(main.mode(), Mode::CameraMode);
    main.takePhotoAction()->trigger();
    EXPECT_EQ(snapshots.names().size(), 1);
    NotificationCenter::defaultCenter()->post(NotificationNames::MainWindowDoubleClicked);
    EXPECT_EQ(main.mode(), Mode::ProjectMode);
    NotificationCenter::defaultCenter()->post(NotificationNames::AppExitFullScreen);
    EXPECT_EQ(main.mode(), Mode::CameraMode);
    main.setMode(Mode::ReviewMode);
}

TEST_F(MainWindowModes, CountdownLocksTheModeSwitcherUntilItEndsAndEscapeAsksToEndIt)
{
    main.setMode(Mode::CameraMode);
    main.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.window()));
    int cancels = 0;
    QObject::connect(&main, &LumoMainWindowController::countdownCancelRequested, [&] { ++cancels; });
    QTest::keyClick(main.window(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 0) << "no countdown to end";
    NotificationCenter::defaultCenter()->post(NotificationNames::CaptureDidTriggleTimer);
    for (QAction *action : main.modeActions())
        EXPECT_FALSE(action->isEnabled());
    QTest::keyClick(main.window(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    NotificationCenter::defaultCenter()->post(NotificationNames::CaptureDidInvalidateTimer);
    for (QAction *action : main.modeActions())
        EXPECT_TRUE(action->isEnabled());
}

TEST_F(MainWindowModes, MaximizingGivesTheTallestWindowWithA4To3Picture)
{
    main.setMode(Mode::CameraMode);
    main.window()->show();
    const QRect available = main.window()->screen()->availableGeometry();
    main.window()->showMaximized();
    ASSERT_TRUE(waitUntil([&] { return !main.window()->isMaximized(); }));
    const QWidget *picture = main.window()->centralWidget();
    EXPECT_EQ(main.window()->frameGeometry().height(), available.height());
    // Within a few pixels: the status bar's size grip comes back as the window leaves the
    // maximized state, after the picture was measured.
    EXPECT_NEAR(picture->width(), picture->height() * 4 / 3, 4);
}

TEST_F(MainWindowModes, ModeRoundTripsAndFullScreenKeepTheWindowSize)
{
    // The offscreen platform frames a window as a window manager does, 2 pixels each side.
    main.window()->show();
    main.setMode(Mode::CameraMode);
    const QSize camera = main.window()->frameGeometry().size();
    ASSERT_GT(camera.width(), main.window()->width());
    for (int trip = 0; trip < 4; ++trip) {
        main.setMode(Mode::ReviewMode);
        main.setMode(Mode::CameraMode);
        EXPECT_EQ(main.window()->frameGeometry().size(), camera) << "trip " << trip;
    }
    main.setMode(Mode::ProjectMode);
    main.setMode(Mode::CameraMode);
    EXPECT_EQ(main.window()->frameGeometry().size(), camera);
}

TEST_F(MainWindowModes, ClickingAZoomEntryZoomsThePictureAndTitlesTheControl)
{
    plugCamera();
    main.setMode(Mode::CameraMode);
    main.window()->show();
    LumoPopUpButton *zoom = main.cameraControls()->zoomButton();
    QMenu *menu = zoom->popUpMenu();
    // The pointer goes over the button (which the style lights, never dims), then into the
    // menu for the entry.
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), zoom->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(zoom, &enter);
    ASSERT_EQ(widgetAlpha(zoom), 1.0);
    menu->popup(zoom->mapToGlobal(QPoint(0, zoom->height())));
    QAction *entry = zoom->itemAtIndex(3); // 150%
    QCursor::setPos(menu->mapToGlobal(menu->actionGeometry(entry).center()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    EXPECT_EQ(main.captureController()->zoom(), 1.5f);
    EXPECT_EQ(CamSettingController::sharedInstance()->zoom(), 1.5f);
    EXPECT_EQ(zoom->title(), "Zoom: 150%");
    EXPECT_EQ(widgetAlpha(zoom), 1.0);
}

TEST_F(MainWindowModes, EveryToolbarControlStaysInViewAtTheSmallestWidth)
{
    plugCamera();
    main.setMode(Mode::CameraMode);
    main.window()->show();
    // Controls that join later, as the freeze, interval and record buttons do.
    for (const char *text : {"Intervals", "Freeze", "Record", "One more"})
        main.cameraModeToolbar()->addAction(QString::fromLatin1(text));
    QCoreApplication::processEvents();
    for (Mode mode : {Mode::CameraMode, Mode::ReviewMode, Mode::CameraMode}) {
        main.setMode(mode);
        QCoreApplication::processEvents();
        main.window()->resize(main.window()->minimumSize());
        QCoreApplication::processEvents();
        QToolBar *toolbar = mode == Mode::CameraMode ? main.cameraModeToolbar() : main.reviewModeToolbar();
        const auto *more = toolbar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button"));
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(more->isVisible()) << mode << " at " << main.window()->width();
    }
}

TEST_F(MainWindowModes, TheWindowPlaceComesBackAtTheNextStartAndADamagedOneIsIgnored)
{
    main.window()->setGeometry(30, 40, 500, 400);
    main.saveWindowFrame();
    {
        LumoMainWindowController next{nullptr, [] { return CameraPtr(); }};
        next.restoreWindowFrame();
        EXPECT_EQ(next.window()->geometry(), QRect(30, 40, 500, 400));
    }
    UserDefaults::standard()->setValue(DefaultsKeys::MainWindowFrame, QStringLiteral("30,40,wide,400"));
    LumoMainWindowController next{nullptr, [] { return CameraPtr(); }};
    const QRect before = next.window()->geometry();
    next.restoreWindowFrame();
    EXPECT_EQ(next.window()->geometry(), before);
}

TEST_F(MainWindowModes, LongMessageIsElidedWithTheWholeTextAsToolTip)
{
    main.window()->resize(480, 400);
    main.window()->show();
    const QString text = QStringLiteral("Could not save the photo: ") + QString(300, QLatin1Char('x'));
    main.showMessage(text);
    const QLabel *line = main.window()->findChild<QLabel *>(QStringLiteral("messageLine"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(main.messageText(), text);
    EXPECT_TRUE(line->text().endsWith(QChar(0x2026))) << qPrintable(line->text());
    EXPECT_EQ(line->toolTip(), text);
}

} // namespace
