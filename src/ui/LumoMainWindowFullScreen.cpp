// LumoMainWindowController: project mode, and the feedback over the picture that camera and
// project mode share (instant preview, focus cross, countdown, automatic focus).

#include "LumoMainWindowController.h"

#include "core/DefaultsKeys.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/drawing/DrawingController.h"
#include "ui/fullscreen/LumoAttachController.h"
#include "ui/fullscreen/LumoControlController.h"
#include "ui/fullscreen/LumoPreviewImageView.h"
#include "ui/windows/LumoCameraView.h"
#include "ui/windows/LumoFullWindow.h"
#include "ui/windows/LumoMainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QScreen>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>

namespace {

constexpr int PictureWidthAfterFullScreen = 800;

QTimer *oneShot(QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setSingleShot(true);
    return timer;
}

} // namespace

void LumoMainWindowController::setUpFullScreen()
{
    previewTimer_ = oneShot(this);
    connect(previewTimer_, &QTimer::timeout, this,
            [this] { previewShowsPhoto_ ? timerToResume() : timerToPreview(); });
    focusCrossTimer_ = oneShot(this);
    connect(focusCrossTimer_, &QTimer::timeout, this, [this] {
        if (attachController_)
            attachController_->toogleFocusColor(2);
    });
    autoFocusTimer_ = oneShot(this);
    connect(autoFocusTimer_, &QTimer::timeout, this, &LumoMainWindowController::doAutoFocus);
    connect(cameraControls_, &LumoCameraModeControls::focusRequested, this,
            &LumoMainWindowController::doAutoFocusInMainThread);

    using namespace NotificationNames;
    NotificationCenter *center = NotificationCenter::defaultCenter();
    const std::pair<const char *, void (LumoMainWindowController::*)(const Notification &)> observers[] = {
        {AppWillSnapshot, &LumoMainWindowController::appWillSnapshot},
        {CaptureFocusWillBegin, &LumoMainWindowController::captureFocusWillBegin},
        {CaptureFocusWillEnd, &LumoMainWindowController::captureFocusWillEnd},
        {CaptureFocusDidSetSingle, &LumoMainWindowController::captureFocusDidSetSingle},
        {CaptureFocusDidSetContinous, &LumoMainWindowController::captureFocusDidSetContinous},
        {CaptureAutoFocusWillBegin, &LumoMainWindowController::velmarWillBeginAutoFocus},
        {CaptureDidTriggleTimer, &LumoMainWindowController::captureFocusDidTriggleTimer},
        {CaptureWillUpdateTimer, &LumoMainWindowController::captureFocusWillUpdateTimer},
        {CaptureDidInvalidateTimer, &LumoMainWindowController::captureFocusDidInvalidateTimer},
    };
    for (const auto &[name, handler] : observers)
        center->addObserver(this, name,
                            [this, handler = handler](const Notification &n) { (this->*handler)(n); });
}

void LumoMainWindowController::tearDownFullScreen()
{
    cameraControls_->setTwins(nullptr);
    attachController_.reset();
    if (fullWindow_) {
        // The camera view goes with the main window, after the capture pipeline stopped.
        fullWindow_->takeCentralWidget();
        pages_->insertWidget(0, cameraView_);
        delete fullWindow_;
    }
}

// --- Floating controls and full screen ---------------------------------------------------------

void LumoMainWindowController::initAttachController()
{
    if (attachController_)
        return;
    attachController_ = std::make_unique<LumoAttachController>(currentCamera_);
    attachController_->setParentWindow(cameraView_);
    attachController_->setPictureAspect(pictureAspect_);
    attachController_->makeTwins(*cameraControls_);
    cameraControls_->setTwins(attachController_->twins());
    cameraControls_->adjustCameraModeToolbarItems();
    attachController_->toogleFocusColor(2);
    attachController_->toogleFocusMode(0);
    attachController_->toogleTimerTick(-1);
    connect(attachController_->controlController(), &LumoControlController::countdownCancelRequested, this,
            &LumoMainWindowController::countdownCancelRequested);
}

QWidget *LumoMainWindowController::fullWindow() const
{
    return fullWindow_;
}

QWidget *LumoMainWindowController::cameraView() const
{
    return cameraView_;
}

void LumoMainWindowController::showFloaters(bool visible)
{
    if (!attachController_)
        return;
    attachController_->setIsVisable(visible);
    attachController_->toggleIndicator();
    attachController_->setNeedsDisplay(true);
}

void LumoMainWindowController::enterFullScreenMode()
{
    if (fullWindow_)
        return;
    LUMO_LOG("enter full screen");
    showFloaters(false);
    QScreen *screen = window_->screen();
    window_->hide();

    pages_->removeWidget(cameraView_);
    fullWindow_ = new LumoFullWindow;
    fullWindow_->setObjectName(QStringLiteral("fullWindow"));
    fullWindow_->setWindowTitle(window_->windowTitle());
    fullWindow_->setWindowIcon(window_->windowIcon());
    fullWindow_->setDelegate(this);
    // The mode shortcuts (Ctrl+1..3) work full screen too, and lock with the countdown.
    fullWindow_->addActions(modeGroup_->actions());
    fullWindow_->addActions(drawing_->actions());
    fullWindow_->setCentralWidget(cameraView_);
    cameraView_->show();
    if (screen) {
        fullWindow_->setScreen(screen);
        fullWindow_->setGeometry(screen->geometry());
    }

    if (attachController_) {
        attachController_->setIsVisable(true);
        attachController_->setIsFullScreen(true);
        attachController_->toggleIndicator();
    }
    drawing_->setProjectMode(true);
    // A full-screen window lies above the desktop's panels and docks.
    fullWindow_->showFullScreen();
    fullWindow_->raise();
    fullWindow_->activateWindow();
}

void LumoMainWindowController::exitFullScreenMode()
{
    if (!fullWindow_)
        return;
    LUMO_LOG("exit full screen");
    if (attachController_) {
        // Hidden while still full screen, so the strip and the close button go too.
        attachController_->setIsFullScreen(true);
        attachController_->setIsVisable(false);
        attachController_->scale();
        attachController_->toggleIndicator();
    }
    drawing_->setProjectMode(false);
    fullWindow_->takeCentralWidget();
    fullWindow_->hide();
    fullWindow_->setDelegate(nullptr);
    // Later: this may run inside the full-screen window's own key or mouse handling.
    fullWindow_->deleteLater();
    fullWindow_ = nullptr;

    pages_->insertWidget(0, cameraView_);
    // What lies beside the picture (margins) as the window was laid out before.
    const int beside = window_->width() - pages_->width();
    window_->resize(PictureWidthAfterFullScreen + beside, window_->height());
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (attachController_) {
        attachController_->setIsFullScreen(false);
        attachController_->setIsVisable(true);
        attachController_->setNeedsDisplay(true);
        attachController_->toggleIndicator();
    }
}

void LumoMainWindowController::appEscapeFromFullScreen()
{
    // The full-screen window posts this only while it has the keyboard or was clicked. A
    // countdown running is what the way out ends first.
    if (countingDown_)
        emit countdownCancelRequested();
    else if (fullWindow_)
        setMode(CameraMode);
}

void LumoMainWindowController::toggleControl()
{
    if (attachController_)
        attachController_->toggleControl();
}

// --- Instant preview ---------------------------------------------------------------------------

void LumoMainWindowController::setInstantPreview(int value)
{
    static constexpr int Seconds[] = {0, 2, 4};
    if (value >= 0 && value < 3)
        instantPreviewSeconds_ = Seconds[value];
}

void LumoMainWindowController::instantPreviewDidChange(const Notification &notification)
{
    setInstantPreview(notification.userInfo.value(DefaultsKeys::InstantPreview).toInt());
}

void LumoMainWindowController::appWillSnapshot(const Notification &notification)
{
    // The shutter: black over the live picture. A snapshot during a running sequence starts
    // the sequence again for the new photo.
    previewPhoto_ = notification.userInfo.value(NotificationNames::InfoKeys::Image).value<QImage>();
    previewShowsPhoto_ = false;
    previewImageView_->setImage({});
    previewImageView_->show();
    previewImageView_->update();
    previewTimer_->start(Delays::scaled(Delays::ShutterBlank));
}

void LumoMainWindowController::timerToPreview()
{
    if (instantPreviewSeconds_ < 1 || previewPhoto_.isNull()) {
        timerToResume();
        return;
    }
    previewShowsPhoto_ = true;
    previewImageView_->setImage(previewPhoto_);
    previewImageView_->update();
    previewTimer_->start(Delays::scaled(std::chrono::seconds(instantPreviewSeconds_)));
}

void LumoMainWindowController::timerToResume()
{
    previewTimer_->stop();
    previewShowsPhoto_ = false;
    previewPhoto_ = QImage();
    previewImageView_->hide();
    previewImageView_->setImage({});
}

// --- Focus -------------------------------------------------------------------------------------

void LumoMainWindowController::captureFocusWillBegin(const Notification &)
{
    // What the camera reports about its exposure while it focuses is not its choice.
    cameraControls_->setSupressExposureOSD(true);
    if (isAutoFocus_ || !attachController_)
        return;
    // A focus that begins within two seconds of the last one's end keeps its red cross.
    focusCrossTimer_->stop();
    attachController_->toogleFocusColor(1);
}

void LumoMainWindowController::captureFocusWillEnd(const Notification &)
{
    if (!isAutoFocus_ && attachController_) {
        attachController_->toogleFocusColor(0);
        focusCrossTimer_->start(Delays::scaled(Delays::FocusCrossRest));
    }
    isAutoFocus_ = false;
    cameraControls_->setSupressExposureOSD(false);
}

void LumoMainWindowController::captureFocusDidSetSingle(const Notification &)
{
    if (attachController_)
        attachController_->toogleFocusMode(0);
}

void LumoMainWindowController::captureFocusDidSetContinous(const Notification &)
{
    if (attachController_)
        attachController_->toogleFocusMode(1);
}

void LumoMainWindowController::velmarWillBeginAutoFocus(const Notification &)
{
    isAutoFocus_ = true;
}

void LumoMainWindowController::doAutoFocusInMainThread()
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, &LumoMainWindowController::doAutoFocusInMainThread,
                                  Qt::QueuedConnection);
        return;
    }
    autoFocusTimer_->start(Delays::scaled(Delays::AutoFocus));
}

void LumoMainWindowController::doAutoFocus()
{
    const CameraPtr camera = currentCamera_();
    if (!camera)
        return;
    // A request the camera refused starts no focus run, and nothing would end the quiet of an
    // announced one: the next focus, the user's, would show no cross and make no sound. So the
    // run is announced once the camera took the request; its focus events reach this thread
    // queued, after the announcement.
    if (!camera->focusAgain()) {
        LUMO_LOG("automatic focus refused");
        return;
    }
    NotificationCenter::defaultCenter()->post(NotificationNames::CaptureAutoFocusWillBegin);
}

void LumoMainWindowController::focusForNewCamera(const CameraPtr &camera)
{
    if (!camera)
        return;
    const bool continuous = camera->continuousFocus();
    if (attachController_)
        attachController_->toogleFocusMode(continuous ? 1 : 0);
    if (!continuous)
        doAutoFocusInMainThread();
}

// --- Self-timer --------------------------------------------------------------------------------

void LumoMainWindowController::captureFocusDidTriggleTimer(const Notification &)
{
    countingDown_ = true;
    lockToolbar(true);
}

void LumoMainWindowController::captureFocusWillUpdateTimer(const Notification &notification)
{
    if (attachController_)
        attachController_->toogleTimerTick(
            notification.userInfo.value(NotificationNames::InfoKeys::Timer).toInt());
}

void LumoMainWindowController::captureFocusDidInvalidateTimer(const Notification &)
{
    countingDown_ = false;
    lockToolbar(false);
    if (attachController_)
        attachController_->toogleTimerTick(-1);
}
