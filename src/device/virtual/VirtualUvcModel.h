#pragma once

#include "VirtualCamera.h"
#include "VirtualControlSet.h"
#include "device/UsbControlChannel.h"
#include "device/UvcControl.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>
#include <vector>

// The USB video side of a virtual camera: the processing unit's controls with the limits,
// defaults and current values of its model, and the streaming interface's probe and commit
// negotiation over the frame table. It answers complete setup packets as the camera's firmware
// does: GET_MIN, GET_MAX, GET_DEF and GET_CUR fill the buffer; SET_CUR takes a value within the
// limits; anything else (unknown unit or selector, wrong length, value out of range) is refused.
//
// The application addresses every control at unit 3, the camera terminal's auto-exposure mode
// and absolute iris included. The firmware tells auto-exposure mode (selector 2, one byte) from
// brightness (selector 2, two bytes) by the length; selector 9 at unit 3 is gamma, so the iris
// requests reach the gamma control.
//
// Thread-safe: the application's channel and the control socket use it from different threads.
class VirtualUvcModel {
public:
    // With `controls` (the camera of another maker), the processing unit's requests reach those
    // controls, as the Linux driver maps them onto its node's controls.
    explicit VirtualUvcModel(VirtualCamera::Model model, VirtualControlSet *controls = nullptr);

    // Answers one request: UsbControlChannel::Ok or UsbControlChannel::Refused.
    int handle(const UsbControlChannel::Request &request);

    // Sets every control back to its default, as the camera's "reset image" command does.
    void resetToDefaults();

    // The current value of a control by its name in describe() ("brightness", "hue"...).
    std::optional<int> value(const QString &name) const;

    // The committed stream format: its row of gSupportFrameIdx, frame size and rate.
    int frameIndex() const;
    QSize frameSize() const;
    int frameRate() const;

    // One line per control ("brightness 128"), then "resolution 1280x960@15".
    QStringList describe() const;

private:
    struct Control {
        const char *name;
        uint8_t selector;
        uint16_t length;
        bool isSigned;
        int minimum;
        int maximum;
        int defaultValue;
        // Non-zero for a bitmap-valued control (auto-exposure mode): the modes it accepts, one
        // bit each; such a control has no minimum or maximum.
        uint8_t modes;
        int current;
    };

    static std::vector<Control> controlsFor(VirtualCamera::Model model);
    int handleControl(const UsbControlChannel::Request &request, uint8_t *data);
    int handleMappedControl(const UsbControlChannel::Request &request, uint8_t *data);
    int handleStreaming(const UsbControlChannel::Request &request, uint8_t *data);
    UvcProbeCommitBlock negotiated(const UvcProbeCommitBlock &asked) const;

    mutable std::mutex mutex_;
    std::vector<Control> controls_;
    VirtualControlSet *const mapped_;
    const uint8_t defaultFrameIndex_;
    UvcProbeCommitBlock probe_;
    UvcProbeCommitBlock commit_;
    int frameIndex_;
};
