#pragma once

#include "LumoCamera.h"

#include <mutex>

// Any other camera that streams video (a USB Video Class document camera, a webcam, a capture
// card), found as a V4L2 capture node. It has no HID interface: no vendor commands and no
// buttons of the maker's kind (a snapshot button of its own comes through its input device);
// its image controls are those its video node lists, and its exposure and focus are answered
// from them.
class LumoCameraUvc : public LumoCamera {
    Q_OBJECT
public:
    explicit LumoCameraUvc(QObject *parent = nullptr);

    // The USB product string or the node's card name, as discovery found it.
    QString model() const override;
    // The name of the camera's settings record: its model and its USB vendor and product IDs
    // ("Desk Cam 1234:5678"), or its unique id when it is not a USB device, so that two
    // different cameras never share a record, nor take over one of the two models' records.
    QString shortModel() const override;

    // The sizes the back end found the camera streaming, each with its pixel format and rates.
    QList<FrameMode> frameModes() const override { return frameModes_; }

    // A range of levels over its absolute exposure when it has one, beside its automatic
    // exposure when it has that; a one-shot focus when it has one, else its continuous one.
    ExposureKind exposureKind() const override;
    int exposureLevels() const override;
    int defaultExposureLevel() const override;
    bool hasAutoExposure() const override;
    FocusKind focusKind() const override;

    QList<CameraControl> cameraControls() const override { return controls_; }
    std::optional<CameraControl> cameraControl(uint32_t id) override;
    std::optional<int> controlValue(uint32_t id) override;
    bool setControlValue(uint32_t id, int value) override;

    // Level 1..exposureLevels() onto the absolute exposure. Asked while the camera exposes by
    // itself, the level is kept and set once automatic exposure is switched off.
    bool setExposure(short level) override;
    bool setAutoBrightness(bool on) override;
    bool focusAgain() override;
    bool continuousFocus() override;
    void prepareToDetatch() override;

    // How many levels an absolute exposure control is shown in: fifteen, or its own steps when
    // it has fewer.
    static int exposureLevelsOf(const CameraControl &exposure);

protected:
    void readCapabilities(DeviceBackend &backend) override;

private:
    const CameraControl *listed(uint32_t id) const;

    QList<FrameMode> frameModes_;
    // Read on the device thread while the camera is prepared, then used on the main thread.
    QList<CameraControl> controls_;
    mutable std::mutex channelLock_;
    std::unique_ptr<CameraControlChannel> channel_;
    int exposureLevel_ = 0; // the level last asked for; 0 for none
};
