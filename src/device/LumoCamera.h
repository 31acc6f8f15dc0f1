#pragma once

#include "CameraControl.h"
#include "DeviceInfo.h"
#include "HidChannel.h"
#include "UsbControlChannel.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

class ButtonInput;
class DeviceBackend;
class LumoCamera;
using CameraPtr = std::shared_ptr<LumoCamera>;

// One attached document camera: its USB video-control channel (image controls), its HID channel
// (vendor commands and button events) and the identifier of its video device.
//
// Threads: created and prepared on the device thread, then handed to the main thread, where it
// lives (activation, detaching, image controls). Vendor commands may come from either thread and
// are serialised by the camera's own lock; button events are drained on the device thread.
// Cameras are shared (CameraPtr) and deleted on the main thread.
class LumoCamera : public QObject, public std::enable_shared_from_this<LumoCamera> {
    Q_OBJECT
public:
    explicit LumoCamera(QObject *parent = nullptr);
    ~LumoCamera() override;

    // Creates the object for a device of the given product: an Arvo or Tobble camera, or null
    // for a product that is neither. Its deleter deletes it on its own thread.
    static CameraPtr create(uint32_t vendorId, uint32_t productId);
    // The object for a discovered device: a camera found as a video capture node is of its own
    // kind (LumoCameraUvc), the others as create(vendorId, productId) makes them.
    static CameraPtr create(const DeviceInfo &device);

    virtual QString model() const { return {}; }
    virtual QString shortModel() const { return {}; }

    // What the camera can do, for the interface to ask instead of its model. A camera answers
    // for itself; the base answers "nothing": no exposure, no focus, no buttons, no sizes.

    // How exposure is set: in five steps (shown signed, -2 to +2 around the middle), in fifteen
    // levels, or over a range beside automatic exposure.
    enum class ExposureKind { None, FiveSteps, FifteenLevels, Range };
    virtual ExposureKind exposureKind() const { return ExposureKind::None; }
    // How many exposure levels setExposure() takes (1 to n; 0 when it takes none), and the level
    // a camera starts at when nothing was saved for it.
    virtual int exposureLevels() const { return 0; }
    virtual int defaultExposureLevel() const { return 0; }
    // Whether the camera exposes automatically and that can be switched off, and whether that
    // switch is the vendor exposure lock (setAutoBrightness()).
    virtual bool hasAutoExposure() const { return false; }
    virtual bool hasExposureLock() const { return false; }

    // How the camera focuses: through the vendor focus command, a one-shot automatic focus of
    // its video node, continuously by itself, or not at all.
    enum class FocusKind { None, VendorCommand, OneShot, Continuous };
    virtual FocusKind focusKind() const { return FocusKind::None; }

    // Whether the camera has buttons of its own (snapshot, focus, programmable) and takes the
    // vendor commands (image reset, focus, exposure lock, iris).
    virtual bool hasButtons() const { return false; }
    virtual bool hasVendorCommands() const { return false; }

    // One picture format and size the camera streams, with its frame rates (frames per second).
    enum class PixelFormat { Mjpeg, Yuyv };
    struct FrameMode {
        PixelFormat pixelFormat = PixelFormat::Mjpeg;
        QSize size;
        QList<uint32_t> frameRates;

        bool operator==(const FrameMode &other) const
        {
            return pixelFormat == other.pixelFormat && size == other.size && frameRates == other.frameRates;
        }
    };
    virtual QList<FrameMode> frameModes() const { return {}; }
    // Whether the user chooses among the fixed output sizes of the maker's software (kept in the
    // settings by their position in that table) rather than among the sizes of frameModes()
    // (kept as the size itself).
    virtual bool hasOutputSizeTable() const { return false; }

    // The image controls a camera found as a video capture node lists, read while it was
    // prepared; the two models have none listed (their image controls are the fixed ones below).
    virtual QList<CameraControl> cameraControls() const { return {}; }
    // A listed control as it is now (its flags read again), its value, and a new value (false
    // when refused). Main thread.
    virtual std::optional<CameraControl> cameraControl(uint32_t) { return std::nullopt; }
    virtual std::optional<int> controlValue(uint32_t) { return std::nullopt; }
    virtual bool setControlValue(uint32_t, int) { return false; }

    uint32_t vendorId() const { return vendorId_; }
    uint32_t productId() const { return productId_; }
    uint32_t locationId() const { return locationId_; }
    const QString &deviceKey() const { return device_.key; }
    const DeviceInfo &deviceInfo() const { return device_; }

    // USB release number of the camera whose HID interface was set up last (process-wide).
    static uint16_t firmwareVersion();

    // --- Lifecycle (device thread) -------------------------------------------------------
    void prepareToWorkWithDevice(const DeviceInfo &device, DeviceBackend &backend);
    bool setupHidControl();
    bool setupImageControl(DeviceBackend &backend);
    bool setupHidNotification(DeviceBackend &backend);
    // Opens the input device through which a camera without a HID interface reports its button.
    bool setupButtonInput(DeviceBackend &backend);
    void setupCaptureDevice();

    // The unique id of the video device: "0x%x%04x%04x" of location, vendor and product, or the
    // id discovery gave a capture device without a USB parent.
    QString captureDeviceLocationId() const { return captureDeviceLocationId_; }
    static QString makeCaptureDeviceLocationId(uint32_t location, uint32_t vendor, uint32_t product);

    // --- Main thread --------------------------------------------------------------------
    // Stops button events (waiting for a drain under way) and releases every channel; every
    // device operation fails softly afterwards.
    virtual void prepareToDetatch();
    bool active() const { return active_; }
    virtual void setActive(bool active);

    // Posts `name` with this camera as object on the main thread (at once when already there).
    void notifyOnMainThread(const QString &name);

    // The camera's own lock, also held by the capture pipeline while it changes the output.
    std::mutex &objectLock() const { return lock_; }

    UsbControlChannel *streamControlInterface() const { return control_.get(); }
    uint16_t streamControlIntf() const { return streamControlIntf_; }
    bool hasHidDevice() const;

    // --- Image controls over USB video (LumoCameraImageControls.cpp) -----------------------
    // One UVC request each (UvcControl.h). Getters return their starting value (0; 65535 for
    // iris) when the request fails; setters return false. Limits and defaults are cached per
    // camera (the two models differ in both), and asked again while the camera has not answered
    // (the cell then still holds its marker, 65244, or 253 for hue).

    // Selects a frame size and rate of gSupportFrameIdx through probe and commit; false when no
    // row matches or the camera refuses the commit.
    bool setResolution(unsigned long frameRate, unsigned long width, unsigned long height);
    // Logs the camera's default probe values; always true.
    bool getResolution();

    uint16_t brightness();
    bool setBrightness(uint16_t value);
    uint16_t brightnessMin();
    uint16_t brightnessMax();
    uint16_t brightnessDef();

    uint16_t contrast();
    bool setContrast(uint16_t value);
    uint16_t contrastMin();
    uint16_t contrastMax();
    uint16_t contrastDef();

    int16_t hue();
    bool setHue(int16_t value);
    int16_t hueMin();
    int16_t hueMax();
    int16_t hueDef();

    uint16_t saturation();
    bool setSaturation(uint16_t value);
    uint16_t saturationMin();
    uint16_t saturationMax();
    uint16_t saturationDef();

    uint16_t sharpness();
    bool setSharpness(uint16_t value);
    uint16_t sharpnessMin();
    uint16_t sharpnessMax();
    uint16_t sharpnessDef();

    uint16_t gamma();
    bool setGamma(uint16_t value);
    uint16_t gammaMin();
    uint16_t gammaMax();
    uint16_t gammaDef();

    uint16_t whiteBalance();
    bool setWhiteBalance(uint16_t value);
    uint16_t whiteBalanceMin();
    uint16_t whiteBalanceMax();

    bool autoWhiteBalance();
    bool setAutoWhiteBalance(bool on);

    // Power-line frequency as UVC gives it: 0 disabled, 1 50 Hz, 2 60 Hz.
    uint8_t frequency();
    bool setFrequency(uint8_t value);

    // True unless the camera reports aperture priority (mode 8), a failed read included.
    bool autoExposure();
    bool setAutoExposure(bool on);

    // Refused, without a request, while autoExposure() is true.
    uint16_t iris();
    bool setIris(uint16_t value);
    uint16_t irisMin();
    uint16_t irisMax();

    // --- Vendor commands over HID (any thread; 0 or a read value, -1 on failure) -----------
    // A setting (exposure lock, iris) the camera refuses while it focuses is kept, the newest of
    // each, and sent once the focus is over; a later request of the same setting replaces it.
    int velmarResetImage();
    int velmarForceFocusAgain();
    int velmarSetExposureLock(short value);
    int velmarSetIris(short value);
    int velmarCurrentFocusMode();
    int velmarGetIris();

    // 1 releases the exposure lock (automatic exposure on), 2 locks it (off).
    bool setExposureLock(short value);
    // Automatic exposure on or off: the one place that turns the switch into a lock value.
    virtual bool setAutoBrightness(bool on);
    int getExposure();
    virtual bool setExposure(short level);
    bool resetImageControl();
    // Focuses once: the vendor focus command, or another camera's own one-shot focus.
    virtual bool focusAgain();
    // Whether the camera keeps itself in focus (the vendor focus mode, or its own automatic
    // focus), so nothing needs to ask it to focus.
    virtual bool continuousFocus();

    // This camera's answers to GET_MIN, GET_MAX and GET_DEF, one cell per control and request.
    // A cell that still holds its marker has not been answered. Main thread only.
    struct ImageControlLimits {
        static constexpr uint16_t Marker = 0xFEDC;
        static constexpr int16_t HueMarker = 0x00FD;
        uint16_t brightnessMin = Marker;
        uint16_t brightnessMax = Marker;
        uint16_t brightnessDef = Marker;
        uint16_t contrastMin = Marker;
        uint16_t contrastMax = Marker;
        uint16_t contrastDef = Marker;
        int16_t hueMin = HueMarker;
        int16_t hueMax = HueMarker;
        int16_t hueDef = HueMarker;
        uint16_t saturationMin = Marker;
        uint16_t saturationMax = Marker;
        uint16_t saturationDef = Marker;
        uint16_t sharpnessMin = Marker;
        uint16_t sharpnessMax = Marker;
        uint16_t sharpnessDef = Marker;
        uint16_t gammaMin = Marker;
        uint16_t gammaMax = Marker;
        uint16_t gammaDef = Marker;
        uint16_t whiteBalanceMin = Marker;
        uint16_t whiteBalanceMax = Marker;
        uint16_t irisMin = Marker;
        uint16_t irisMax = Marker;
    };

    // Set when a forced focus was accepted; cleared by the camera's "focus done", or taken as
    // over when that has not come within Delays::FocusDoneTimeout.
    std::atomic<bool> isFocusing{false};
    std::atomic<int> isContinousFocusMode{-1};

    // Drains the button-event queue (device thread) and posts the events as notifications while
    // the camera is active; a camera that is not active drops them. Public for the event
    // source's callback.
    void handleCallBack(int result = 0);
    // A key the camera's input device reported (device thread): its snapshot button is the
    // snapshot, while the camera is active; a camera that is not active drops it.
    void handleKey(int code);

protected:
    // Asks the back end what a camera found as a video capture node offers (device thread,
    // while it is prepared). The two models know it themselves.
    virtual void readCapabilities(DeviceBackend &) {}

    // The sizes and rates of the frame table the maker's cameras share, each once, in MJPEG.
    static QList<FrameMode> frameTableModes();

    uint32_t vendorId_;
    uint32_t productId_ = 0;
    uint32_t locationId_ = 0;
    const uint16_t configuration_ = 1;
    const uint16_t streamControlIntf_ = 0;
    const uint16_t streamIntf_ = 1;
    const uint16_t hidControlIntf_ = 2;

private:
    // Shares `camera`, deleted on the thread it lives on.
    static CameraPtr adopt(LumoCamera *camera);
    // Sends an output report (and reads input report 1 into `reply` when given) under the
    // camera's lock. -1 on any failure, at once when the camera has no HID channel.
    int exchange(const QByteArray &output, QByteArray *reply);
    // Whether a focus is under way; one whose end the camera has not reported within
    // Delays::FocusDoneTimeout is taken as over (and logged).
    bool focusing();
    void endFocus();
    // The vendor setting `command` with `value`, or, while the camera focuses, kept for later.
    int sendSetting(uint8_t command, short value);
    // Sends the settings kept while the camera focused (main thread).
    void sendKeptSettings();

    DeviceInfo device_;
    QString captureDeviceLocationId_;
    bool hidInterfaceDone_ = false;
    std::atomic<bool> active_{false};

    // The camera's own lock: held around HID report exchanges, event draining and detaching.
    mutable std::mutex lock_;
    std::unique_ptr<HidChannel> hid_;
    std::unique_ptr<UsbControlChannel> control_;
    std::unique_ptr<ButtonInput> buttons_;
    bool eventsStarted_ = false;
    ImageControlLimits limits_;
    // When a focus under way is taken as over (steady clock, ms); 0 when none is.
    std::atomic<int64_t> focusDeadlineMs_{0};
    // Settings refused while focusing: command byte and value, in the order they were asked for.
    std::mutex keptLock_;
    QList<QPair<uint8_t, short>> keptSettings_;
};
