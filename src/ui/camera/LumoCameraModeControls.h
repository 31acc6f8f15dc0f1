#pragma once

#include "device/LumoCamera.h"
#include "settings/ResolutionChoices.h"
#include "ui/widgets/LumoExposureButton.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CamSettingController;
class LumoCaptureViewController;
class QTimer;
class QWidget;
struct Notification;

// The camera-mode controls: the six pop-ups of the camera toolbar (zoom, exposure, auto exposure
// "AE", self-timer, resolution, mirror) and the photo zoom pop-up that the zoom keys step.
//
// Each pop-up's entry 0 is its title entry ("Zoom: 150%"); the value entries follow from index 1.
// A change reaches the setting cache, the capture pipeline or the camera, and is announced to
// the snapshot controller with one of the four "LumoDeviceCacheWillUpdate…" notifications. The
// controls follow the camera as well: its exposure reports, the settings the cache restores, what
// it can do (CameraControlSet: the exposure face and levels, automatic exposure), and its absence. The camera's programmable
// button and the zoom keys work the controls as a click would. The floating full-screen controls
// carry a twin of each pop-up; whichever of the two the user works, both end up showing the same
// entry and title.
//
// Main thread.
class LumoCameraModeControls : public QObject {
    Q_OBJECT
public:
    using CameraProvider = std::function<CameraPtr()>;

    // The floating controls' twins (any may be null) and their exposure read-out, which shows
    // `value` with a sign ("+1") or without one ("2").
    struct Twins {
        LumoPopUpButton *zoom = nullptr;
        LumoPopUpButton *exposure = nullptr;
        LumoPopUpButton *exposureLock = nullptr;
        LumoPopUpButton *timer = nullptr;
        LumoPopUpButton *resolution = nullptr;
        LumoPopUpButton *mirror = nullptr;
        std::function<void(int value, bool showSigned)> showExposure;
    };

    LumoCameraModeControls(LumoCaptureViewController *capture, CamSettingController *settings,
                           CameraProvider currentCamera, QObject *parent = nullptr);
    ~LumoCameraModeControls() override;

    // Zoom, exposure, AE, timer, resolution and mirror, in that order, for the camera toolbar.
    // The pop-ups belong to the toolbar that takes them; those never placed go with this object.
    QList<QWidget *> toolbarWidgets() const;

    LumoPopUpButton *zoomButton() const { return zoomButton_; }
    LumoExposureButton *exposureButton() const { return exposureButton_; }
    LumoPopUpButton *exposureLockButton() const { return exposureLockButton_; }
    LumoPopUpButton *timerButton() const { return timerButton_; }
    LumoPopUpButton *resolutionButton() const { return resolutionButton_; }
    LumoPopUpButton *mirrorButton() const { return mirrorButton_; }
    LumoPopUpButton *photoZoomButton() const { return photoZoomButton_; }

    // The floating controls, or null while there are none; not owned, and must outlive their
    // use here. The twins take the toolbar's state at once.
    void setTwins(const Twins *twins);
    const Twins *twins() const { return twins_; }

    // In review mode the photo zoom pop-up and the zoom keys zoom the photo viewer
    // (viewerZoomRequested); in the other modes the keys step the camera zoom.
    void setReviewMode(bool review) { reviewMode_ = review; }

    // --- Zoom ---------------------------------------------------------------------------
    void zoom(LumoPopUpButton *sender);
    void setZoom(LumoPopUpButton *sender);
    void setZoom(float factor, LumoPopUpButton *sender);
    // The zoom keys: one entry up or down, stopping at either end.
    void zoomIn();
    void zoomOut();

    // --- Exposure and auto exposure -----------------------------------------------------
    void setExposure(LumoPopUpButton *sender);
    void setExposureWithOSD(LumoPopUpButton *sender, bool show);
    // The exposure control's face for the current camera (CameraControlSet): the slider of its
    // levels, or the menu of five steps.
    void setExposureStyleForCamera(LumoExposureButton *sender);
    void setAutoBrightness(LumoPopUpButton *sender);
    void setExposureLock(LumoPopUpButton *sender) { setAutoBrightness(sender); }
    void setAutoBrightness(bool on, LumoPopUpButton *sender);
    // Saves the switch and has the camera take it; switched off, the camera keeps the level
    // shown, which is saved as the chosen one.
    void setLockAE(bool on);

    // --- Timer, resolution, mirror ------------------------------------------------------
    void setTimer(LumoPopUpButton *sender);
    void setResolution(LumoPopUpButton *sender);
    void setResolution(int index, LumoPopUpButton *sender);
    // The sizes the resolution pop-ups offer now: the current camera's (ResolutionChoices).
    const ResolutionChoices &resolutionChoices() const { return resolutions_; }
    void toggleMirror(LumoPopUpButton *sender);
    // The mirror pop-ups' titles: the flips, and the picture's turn when it is turned.
    void setMirrorTitles();

    bool lockae() const { return lockae_; }
    bool lockAutoGetExposure() const { return lockAutoGetExposure_; }

    // --- Following the camera -----------------------------------------------------------
    // Shows the exposure control only for a camera that can set its exposure, and the AE
    // control only for one with automatic exposure (CameraControlSet), twins included.
    void adjustCameraModeToolbarItems();
    // Disables (true) or enables every control here and its twin, as while the self-timer runs.
    // Without a camera they stay disabled.
    void lockToolbar(bool lock);
    // The current camera changed: the exposure faces and the AE control follow what it can do;
    // without a camera every control is disabled and says why.
    void cameraDidChange();
    // Set from a resolution change until the end of the next focus run: the camera's exposure
    // reports are ignored meanwhile, as they are during a focus run.
    void setSupressExposureOSD(bool on) { supressExposureOSD_ = on; }
    bool supressExposureOSD() const { return supressExposureOSD_; }

    // --- Notification handlers (registered on the default centre by the constructor) ----
    void updateExposureValue(const Notification &notification);
    void syncCameraModeToolbarSettings(const Notification &notification);
    void captureViewWillUpdateExposure(const Notification &notification);
    void captureWillMirror(const Notification &notification);
    void captureWillDigitalZoom(const Notification &notification);
    void fullScreenSetZoom(const Notification &notification);
    void fullScreenSetTimer(const Notification &notification);
    void fullScreenSetResolution(const Notification &notification);
    void fullScreenSetExposure(const Notification &notification);
    void fullScreenSetExposureLock(const Notification &notification);
    void fullScreenSetMirror(const Notification &notification);

signals:
    // A resolution change: the picture should be focused again.
    void focusRequested();
    // A zoom pop-up was worked in review mode: the photo viewer takes `factor`.
    void viewerZoomRequested(float factor);

private:
    // "Label: value", the title format of every control.
    static QString joined(const QString &label, const QString &value);
    // The other pop-ups of a control follow `sender`: its entry, its title, one check mark.
    void follow(LumoPopUpButton *sender, std::initializer_list<LumoPopUpButton *> buttons);
    // Selects `index` on the toolbar pop-up and its twin, both titled from the toolbar's entry.
    void showIndex(LumoPopUpButton *button, LumoPopUpButton *twin, const QString &label, int index);
    void showAutoBrightness(bool on);
    // The floating read-out of exposure entry `level`: a signed step of the menu face ("+1"),
    // or the slider's level as it is.
    void showExposureLevel(int level);
    // Every control and its twin enabled unless locked or without a camera.
    void updateEnabled();
    // Toggles flip entry 1 (horizontal) or 2 (vertical), as the mirror pop-up's entries do.
    void toggleFlip(int entry);
    QString mirrorValueText() const;
    static QString mirrorValueText(bool h, bool v, int quarterTurns);
    // Room for each pop-up's longest title, the mirror's entries as switches of their own.
    void fitTitles(LumoPopUpButton *zoom, LumoPopUpButton *exposure, LumoPopUpButton *exposureLock,
                   LumoPopUpButton *timer, LumoPopUpButton *resolution, LumoPopUpButton *mirror);
    void showMirrorChecks();
    void postMirror();
    // Runs `rest` after the auto-exposure pause without blocking the window; a step that still
    // waits runs at once before anything else reaches the camera, so requests keep their order.
    void afterAutoExposurePause(std::function<void()> rest);
    void finishPendingPause();
    void showExposureIndicator(int value, bool showSigned);
    // One entry up (+1) or down (-1) on the pop-up the zoom keys work.
    void stepZoom(int step);
    void setToolbarItemVisible(QWidget *widget, bool visible);
    // Gives the resolution pop-up and its twin the current camera's sizes, when they differ.
    void offerCameraResolutions();

    LumoCaptureViewController *capture_;
    CamSettingController *settings_;
    CameraProvider currentCamera_;
    const Twins *twins_ = nullptr;

    // Guarded: the toolbars that take them may delete them first.
    QPointer<LumoPopUpButton> zoomButton_;
    QPointer<LumoExposureButton> exposureButton_;
    QPointer<LumoPopUpButton> exposureLockButton_;
    QPointer<LumoPopUpButton> timerButton_;
    QPointer<LumoPopUpButton> resolutionButton_;
    QPointer<LumoPopUpButton> mirrorButton_;
    QPointer<LumoPopUpButton> photoZoomButton_;

    ResolutionChoices resolutions_ = ResolutionChoices::outputTable();
    QTimer *pauseTimer_;
    std::function<void()> pausedRest_;

    int indexOfExposureItem_ = 12;
    int indexOfExposureLockItem_ = 1;
    bool lockae_ = false;
    bool lockAutoGetExposure_ = false;
    bool supressExposureOSD_ = false;
    bool reviewMode_ = false;
    bool locked_ = false;
    // The check marks of the mirror entries (horizontal, vertical). The pop-ups show these; a
    // menu's own toggle on a click is overwritten.
    bool mirrorChecked_[2] = {false, false};
};
