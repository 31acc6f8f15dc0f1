#pragma once

#include "device/LumoCamera.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>

class UserDefaults;

// The application's view of the current camera's settings: the six image adjustments, the
// camera-mode settings (zoom, self-timer, mirroring, resolution, exposure, auto brightness) and
// whether a camera change restores the saved mode settings or sets the defaults.
//
// Device setters apply the value to the current camera and save it; mode setters only save (the
// capture pipeline and the main window apply them). Everything is saved per camera model under
// "LumoDevices" in the user defaults, so a model gets its settings back when it is attached
// again. Main thread.
class CamSettingController : public QObject {
    Q_OBJECT
public:
    using CameraProvider = std::function<CameraPtr()>;

    // The application's instance: the standard defaults and the registry's current camera.
    static CamSettingController *sharedInstance();

    CamSettingController(UserDefaults *defaults, CameraProvider currentCamera, QObject *parent = nullptr);
    ~CamSettingController() override;

    // The live brightness of the camera; the other getters return the cached field.
    uint16_t brightness() const;
    uint16_t contrast() const { return contrast_; }
    uint16_t gamma() const { return gamma_; }
    int16_t hue() const { return hue_; }
    uint16_t saturation() const { return saturation_; }
    uint16_t sharpness() const { return sharpness_; }
    float zoom() const { return zoom_; }
    int timer() const { return timer_; }
    bool hFlipped() const { return hFlipped_; }
    bool vFlipped() const { return vFlipped_; }
    // Clockwise quarter turns of the picture, 0 to 3.
    int quarterTurns() const { return quarterTurns_; }
    // The position of the chosen size in the output table, for a camera that keeps it so.
    int resolution() const { return resolution_; }
    // The chosen picture size, whichever way the camera keeps it (ResolutionChoices).
    QSize resolutionSize() const { return resolutionSize_; }
    int16_t exposure() const { return exposure_; }
    bool autoBrightness() const { return autoBrightness_; }
    bool restoreable() const { return restoreable_; }
    bool continuousFocus() const;
    uint16_t firmwareVersion() const;

    void setBrightness(uint16_t value);
    void setContrast(uint16_t value);
    void setGamma(uint16_t value);
    void setHue(int16_t value);
    void setSaturation(uint16_t value);
    void setSharpness(uint16_t value);
    void setExposure(int16_t value);
    void setAutoBrightness(bool on);

    void setZoom(float value);
    void setTimer(int seconds);
    void setHFlipped(bool on);
    void setVFlipped(bool on);
    void setQuarterTurns(int turns);
    void setResolution(int index);
    // Saves the size as the current camera keeps it: its table position (the nearest entry for
    // a size the table lacks), or the size itself.
    void setResolutionSize(const QSize &size);

    void setRestoreable(bool restoreable);

    // The saved value of the current camera's model, or an invalid QVariant.
    QVariant valueForDeviceKey(const QString &key) const;
    // Saves one value for the current camera's model (an invalid value removes it).
    void setDeviceKey(const QString &key, const QVariant &value);
    void saveCurrentValue();

    // Applies the six saved image adjustments (or the camera's own defaults) in order, 0.2 s
    // apart, without blocking; `done` runs after the last one. A later call takes over from a
    // sequence still running; its completion still runs at the end unless the later call
    // brings one of its own.
    void setImageAdjustments(std::function<void()> done = {});
    void restoreCameraModeSetting();
    void setCameraModeToDefault();
    // The camera-change sequence: the image adjustments, then the mode settings restored or set
    // to their defaults.
    void resetCameraParameters();

    // Whether an image-adjustment sequence is still running.
    bool isApplyingImageAdjustments() const { return pendingSteps_ > 0; }

private:
    int16_t defaultExposure() const;
    void runImageAdjustmentStep(unsigned sequence, int index);
    void applyImageAdjustment(int step);

    UserDefaults *defaults_;
    CameraProvider currentCamera_;

    uint16_t brightness_ = 0;
    uint16_t contrast_ = 0;
    uint16_t gamma_ = 0;
    int16_t hue_ = 0;
    uint16_t saturation_ = 0;
    uint16_t sharpness_ = 0;
    float zoom_ = 0.0f;
    int timer_ = 0;
    bool hFlipped_ = false;
    bool vFlipped_ = false;
    int quarterTurns_ = 0;
    int resolution_ = 0;
    QSize resolutionSize_;
    int16_t exposure_ = -1;
    bool autoBrightness_ = false;
    bool restoreable_ = true;

    unsigned sequence_ = 0; // identifies the running image-adjustment sequence
    int pendingSteps_ = 0;
    std::function<void()> adjustmentsDone_;
};
