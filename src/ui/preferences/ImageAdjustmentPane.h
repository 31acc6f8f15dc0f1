#pragma once

#include "device/LumoCamera.h"

#include <QWidget>

#include <array>
#include <memory>

class CamSettingController;
class CameraControlsForm;
class LumoCamerasController;
class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLayout;
class QLabel;
class QPushButton;
class QSlider;
class RequestThrottle;
struct Notification;

// The Image Adjustment pane of the preferences: the current camera's six image adjustments as
// sliders within the camera's own limits, a button that restores the camera's defaults, the
// choice of camera, its focus mode and its power-line frequency. A camera that lists its own
// image controls shows those instead of the six sliders and the power-line pop-up; the focus
// mode shows only for a camera focused by the vendor command. Unlike the other panes it
// acts on the camera directly: the sliders through the setting cache, which applies and saves
// each value, the camera choice through the camera registry. Everything is disabled while no
// camera is attached. Main thread.
class ImageAdjustmentPane : public QWidget {
    Q_OBJECT
public:
    enum Adjustment { Brightness, Contrast, Gamma, Hue, Saturation, Sharpness, AdjustmentCount };

    // `cameras` may be null (no registry: no camera).
    ImageAdjustmentPane(CamSettingController *settings, LumoCamerasController *cameras,
                        QWidget *parent = nullptr);
    ~ImageAdjustmentPane() override;

    // Lists the cameras, sets the sliders' limits and values from the current camera, and
    // enables the controls when there is one.
    void adjustControls();
    // The sliders' values from the setting cache.
    void setImageAdjustmentUI();
    // Sets the sliders to the current camera's defaults and applies them.
    void setDefaultImageAdjustment();
    // Makes the camera at `index` of the pop-up current; the current one again restarts the
    // live picture instead.
    void selectCamera(int index);
    void setFrequency(int value);
    // Sends the values the sliders still hold back (the window is closing).
    void flushPendingRequests();

    QSlider *slider(Adjustment adjustment) const { return sliders_[adjustment]; }
    RequestThrottle *throttle(Adjustment adjustment) const { return throttles_[adjustment]; }
    QComboBox *videoDevices() const { return videoDevices_; }
    QButtonGroup *focusSwitch() const { return focusSwitch_; }
    QComboBox *frequencySwitch() const { return frequencySwitch_; }
    QPushButton *defaultsButton() const { return defaultsButton_; }
    CameraControlsForm *controlsForm() const { return controlsForm_; }

private:
    CameraPtr currentCamera() const;
    void apply(Adjustment adjustment, int value);
    void velmarDidSetFocus();
    void cameraDidChange();
    void settingsDidApply();

    CamSettingController *settings_;
    LumoCamerasController *cameras_;
    std::array<QSlider *, AdjustmentCount> sliders_{};
    std::array<QLabel *, AdjustmentCount> values_{};
    std::array<RequestThrottle *, AdjustmentCount> throttles_{};
    QComboBox *videoDevices_ = nullptr;
    QPushButton *defaultsButton_ = nullptr;
    QButtonGroup *focusSwitch_ = nullptr;
    QComboBox *frequencySwitch_ = nullptr;
    QWidget *cameraControls_ = nullptr;
    QFormLayout *form_ = nullptr;
    CameraControlsForm *controlsForm_ = nullptr;
    std::array<QLayout *, AdjustmentCount> sliderRows_{};
    QLayout *focusRow_ = nullptr;
    QLayout *frequencyRow_ = nullptr;
};
