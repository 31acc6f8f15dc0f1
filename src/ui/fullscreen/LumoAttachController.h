#pragma once

#include "device/LumoCamera.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/windows/LumoFloaterWindow.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>

#include <functional>

class LumoButtonView;
class LumoControlController;
class QTimer;
class QWidget;

// The floating controls over the live picture: the focus cross in the middle, the snapshot
// button on its focus-mode background with the focus button around it (the cross and the focus
// button only for a camera that focuses when asked), the self-timer
// countdown, a passing exposure read-out and, full screen only, a close button and a strip with
// twins of the six camera-mode pop-ups.
//
// The floaters are overlay children of the widget that shows the picture (the "parent window",
// the camera view), so they travel with it between the main window and the full-screen window.
// They are placed by FloaterGeometry, again whenever that widget resizes. Whether they show
// follows isVisable and isFullScreen, applied by toggleIndicator(). Main thread.
class LumoAttachController : public QObject {
    Q_OBJECT
public:
    using CameraProvider = std::function<CameraPtr()>;

    explicit LumoAttachController(CameraProvider currentCamera, QObject *parent = nullptr);
    ~LumoAttachController() override;

    // The widget the floaters float over; they are made on the first one and move to a later one.
    void setParentWindow(QWidget *parent);
    QWidget *parentWindow() const { return parent_; }

    // Plain flags: nothing changes until toggleIndicator().
    bool isVisable() const { return isVisable_; }
    void setIsVisable(bool visible) { isVisable_ = visible; }
    bool isFullScreen() const { return isFullScreen_; }
    void setIsFullScreen(bool fullScreen) { isFullScreen_ = fullScreen; }

    // Shows and places, or hides, the floaters as the two flags say.
    void toggleIndicator();
    // Places the floaters for the parent's current size.
    void resize();
    // The current camera changed: the focus floaters and the strip follow what it can do
    // (CameraControlSet), after the camera-mode controls showed or hid their twins.
    void cameraDidChange();
    // The shape (width : height) of the picture under the floaters; 4:3 until told otherwise.
    void setPictureAspect(const QSizeF &aspect) { pictureAspect_ = aspect; }
    // Flips isVisable and applies it: a click on the full-screen picture.
    void toggleControl();
    // Shows the current cross colour again.
    void scale();
    void setNeedsDisplay(bool);

    // 0 green cross (a focus ended), 1 red cross (focusing), anything else no cross.
    void toogleFocusColor(int color);
    int focusValue() const { return focusValue_; }
    // 0 single focus, 1 continuous focus; other values keep the background.
    void toogleFocusMode(int mode);
    // 0 to 10 shows that many seconds in place of the snapshot and focus buttons; any other
    // value (-1) ends the countdown and brings the buttons back.
    void toogleTimerTick(int seconds);

    // Shows the exposure step for three seconds, signed for the current camera if it is the
    // model with signed steps.
    void toggleIndicatorForExposure(int value);
    void toggleIndicatorForExposure(int value, bool showSigned);
    // "Exp-+1" for a positive signed value, "Exp-%d" for anything else.
    static QString exposureImageName(int value, bool showSigned);

    // The cross's size, as a factor of half its picture's size.
    float zoomFactor() const { return zoomFactor_; }
    void setZoomFactor(float factor);

    // Makes the strip's pop-ups as twins of the camera toolbar's, with the same entries; a pick
    // on one posts its "LumoFullScreenSet…Notification" with the twin as object. Once, after
    // setParentWindow().
    void makeTwins(const LumoCameraModeControls &controls);
    // The twins and the exposure read-out, for LumoCameraModeControls::setTwins.
    const LumoCameraModeControls::Twins *twins() const { return &twins_; }

    LumoControlController *controlController() const { return controlController_; }

    // The floaters and their views, for the window that holds them and for tests.
    LumoFloaterWindow *focusWindow() const { return focusWindow_; }
    LumoFloaterWindow *focusIndicatorWindow() const { return focusIndicatorWindow_; }
    LumoFloaterWindow *snapshotWindow() const { return snapshotWindow_; }
    LumoFloaterWindow *focusButtonWindow() const { return focusButtonWindow_; }
    LumoFloaterWindow *closeWindow() const { return closeWindow_; }
    LumoFloaterWindow *timerWindow() const { return timerWindow_; }
    LumoFloaterWindow *exposureWindow() const { return exposureWindow_; }
    LumoFloaterWindow *toolbarContainerWindow() const { return toolbarContainerWindow_; }
    LumoButtonView *focusView() const { return focusView_; }
    LumoButtonView *focusIndicatorView() const { return focusIndicatorView_; }
    LumoButtonView *snapshotView() const { return snapshotView_; }
    LumoButtonView *focusButtonView() const { return focusButtonView_; }
    LumoButtonView *closeView() const { return closeView_; }
    LumoButtonView *timerView() const { return timerView_; }
    LumoButtonView *exposureView() const { return exposureView_; }
    // The name of the picture the countdown or the exposure read-out shows, empty for none.
    QString timerImageName() const { return timerImageName_; }
    QString exposureImageName() const { return exposureImageName_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeFloaters();
    // Names and descriptions for assistive technology; the buttons among them take the focus.
    void describeFloaters();
    LumoFloaterWindow *makeFloater(LumoButtonView *&view, const QString &image);
    // Which floaters show follows the flags, the countdown and the exposure read-out.
    void applyVisibility();
    void placeTopBand();
    void layoutStrip();
    void shutdownHideExposureTimer();
    QRectF parentFrame() const;

    CameraProvider currentCamera_;
    LumoControlController *controlController_;
    QPointer<QWidget> parent_;

    QPointer<LumoFloaterWindow> focusWindow_;
    QPointer<LumoFloaterWindow> focusIndicatorWindow_;
    QPointer<LumoFloaterWindow> snapshotWindow_;
    QPointer<LumoFloaterWindow> focusButtonWindow_;
    QPointer<LumoFloaterWindow> closeWindow_;
    QPointer<LumoFloaterWindow> timerWindow_;
    QPointer<LumoFloaterWindow> exposureWindow_;
    QPointer<LumoFloaterWindow> toolbarContainerWindow_;
    LumoButtonView *focusView_ = nullptr;
    LumoButtonView *focusIndicatorView_ = nullptr;
    LumoButtonView *snapshotView_ = nullptr;
    LumoButtonView *focusButtonView_ = nullptr;
    LumoButtonView *closeView_ = nullptr;
    LumoButtonView *timerView_ = nullptr;
    LumoButtonView *exposureView_ = nullptr;
    QWidget *strip_ = nullptr;
    LumoCameraModeControls::Twins twins_;

    QTimer *hideExposureIndicatorTimer_;
    QString timerImageName_;
    QString exposureImageName_;
    bool isVisable_ = true;
    bool isFullScreen_ = false;
    QSizeF pictureAspect_{4, 3};
    bool countingDown_ = false;
    float zoomFactor_ = 0.5f;
    int focusValue_ = 2;
};
