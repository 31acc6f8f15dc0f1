#pragma once

#include "device/DeviceInfo.h"
#include "device/LumoCamera.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>

class ButtonInput;
class HidChannel;
class VirtualControlSet;
class VirtualUvcModel;

// A simulated camera, as the virtual back end presents it: one of the two models, with its USB
// identity and the state its HID side keeps (reports received, focus mode, exposure step and
// lock), or a camera of another maker (Uvc), found as a video capture node, without a HID
// interface, whose snapshot button reaches the application through its input device. Its
// channels talk to it from the device and main threads; every member is thread-safe.
class VirtualCamera {
public:
    enum class Model { Arvo, Tobble, Uvc };

    // Faults of real cameras a virtual one can have, to try out how the application copes.
    struct Faults {
        bool noHid = false;       // its HID interface cannot be opened
        bool noButtons = false;   // its HID interface has no button element
        bool noFocusDone = false; // it reports "focus begin" but never "focus done"
    };

    // The range of the button element's values (a 16-bit field).
    static constexpr int32_t ButtonElementMinimum = 0;
    static constexpr int32_t ButtonElementMaximum = 0xFFFF;

    VirtualCamera(int id, Model model, Faults faults);
    ~VirtualCamera();

    static bool modelFromName(const QString &name, Model *model);
    static QString modelName(Model model);

    int id() const { return id_; }
    Model model() const { return model_; }
    const Faults &faults() const { return faults_; }
    // Whether it is one of the two models, with a HID interface for vendor commands and buttons.
    bool hasHid() const { return model_ != Model::Uvc && !faults_.noHid; }
    QString modelName() const { return modelName(model_); }
    DeviceInfo deviceInfo() const;

    bool plugged() const;
    void setPlugged(bool plugged);

    // A stalled camera keeps its video stream open but sends no frames.
    bool stalled() const;
    void setStalled(bool stalled);

    // --- HID side ------------------------------------------------------------------------
    // Attaches the channel that the application opened (null when it lets go of it).
    void attachHid(HidChannel *channel);
    // Reports are whole, as on the wire: the report ID in byte 0, then the data.
    // Handles an output report from the application; false for a report the camera refuses.
    bool receiveOutputReport(const QByteArray &report);
    // Answers input report 1 from the last query sent, into `report` (its size is the report's
    // length: byte 0 the ID, byte 1 the answer); false when nothing was asked.
    bool inputReport(uint8_t reportId, QByteArray *report);
    // The last output reports received, as they went on the wire, oldest first, at most 32.
    QList<QByteArray> outputReports() const;

    // Raises a change of the button element (any raw value), after `delayMs` when given. False
    // when the camera is unplugged, has no button element or the application has not opened it.
    bool raiseEvent(int32_t value, int delayMs = 0);
    // Focuses as the camera does after a forced focus or a press of its focus button: reports
    // "focus begin" at once and "focus done" about a second later (never with noFocusDone).
    bool focus();
    // Switches the focus button's mode and reports it (3 single, 259 continuous).
    bool switchFocusMode(int mode);

    int focusMode() const; // 0 single, 1 continuous
    void setFocusMode(int mode);
    int exposureStep() const;
    bool exposureLocked() const;

    // --- Input device (a camera of another maker) ----------------------------------------
    // Attaches the input the application opened (null when it lets go of it).
    void attachButtonInput(ButtonInput *input);
    // Forgets `input` if it is the one attached; called by the input before it is destroyed.
    void detachButtonInput(ButtonInput *input);
    // Presses the snapshot button: its key reaches the input on the input's (device) thread.
    // False when the camera is unplugged or the application has not opened its input.
    bool pressCameraButton();

    // The sizes and rates it streams (those of a camera of another maker; the two models keep
    // their frame table).
    QList<LumoCamera::FrameMode> frameModes() const;

    // --- USB video side --------------------------------------------------------------------
    // Its UVC controls and probe/commit state (thread-safe itself).
    VirtualUvcModel &uvcModel() const { return *uvc_; }
    // The image controls its video node lists (a camera of another maker; null for the two
    // models). Its UVC requests reach the same controls.
    VirtualControlSet *controlSet() const { return controls_.get(); }

private:
    bool handleOutputReport(const QByteArray &report);

    const int id_;
    const Model model_;
    const Faults faults_;
    mutable std::mutex mutex_;
    bool plugged_ = true;
    bool stalled_ = false;
    QPointer<HidChannel> hid_;
    QPointer<ButtonInput> buttons_;
    QList<QByteArray> outputReports_;
    QByteArray pendingReply_;
    int focusMode_ = 0;
    int exposureStep_;
    bool exposureLocked_ = false;
    const std::unique_ptr<VirtualControlSet> controls_;
    const std::unique_ptr<VirtualUvcModel> uvc_;
};
