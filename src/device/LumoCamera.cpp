#include "LumoCamera.h"

#include "ButtonInput.h"
#include "CameraIds.h"
#include "DeviceBackend.h"
#include "LumoCameraArvo.h"
#include "LumoCameraTobble.h"
#include "LumoCameraUvc.h"
#include "UvcControl.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <chrono>

namespace {

std::atomic<uint16_t> gFirmwareRleaseVersion{0};

// Vendor report exchange parameters. The output reports are written as listed, their report
// ID in byte 0; the queries' answer is input report 1, five bytes with the ID in byte 0.
constexpr uint8_t InputReportId = 1;
constexpr int InputReportLength = 5;
constexpr int ReportTimeoutMs = 100;

QByteArray report(std::initializer_list<uint8_t> bytes)
{
    QByteArray r;
    for (uint8_t b : bytes)
        r.append(char(b));
    return r;
}

int64_t steadyNowMs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

uint8_t byteAt(const QByteArray &bytes, int i)
{
    return i < bytes.size() ? uint8_t(bytes[i]) : 0;
}

// The first five bytes of a report for the log, "0x02, 0x05, 0x01, 0x00, 0x00".
QByteArray loggedBytes(const QByteArray &bytes)
{
    QByteArray text;
    for (int i = 0; i < 5; ++i)
        text += QByteArray(i ? ", " : "") + "0x"
                + QByteArray::number(byteAt(bytes, i), 16).rightJustified(2, '0');
    return text;
}

} // namespace

LumoCamera::LumoCamera(QObject *parent) : QObject(parent), vendorId_(CameraIds::VendorId) {}

LumoCamera::~LumoCamera() = default;

CameraPtr LumoCamera::create(uint32_t vendorId, uint32_t productId)
{
    LumoCamera *camera = nullptr;
    if (vendorId == CameraIds::VendorId && productId == CameraIds::ArvoProductId) {
        LUMO_LOG("Found Arvo");
        camera = new LumoCameraArvo;
    } else if (vendorId == CameraIds::VendorId && productId == CameraIds::TobbleProductId) {
        LUMO_LOG("Found Tobble");
        camera = new LumoCameraTobble;
    } else {
        LUMO_LOG("Unsupported device VID: 0x%04x, PID: 0x%04x", vendorId, productId);
        return nullptr;
    }
    return adopt(camera);
}

CameraPtr LumoCamera::create(const DeviceInfo &device)
{
    if (device.interface != DeviceInfo::Interface::VideoCapture)
        return create(device.vendorId, device.productId);
    LUMO_LOG("Found video camera %s", qPrintable(device.name));
    return adopt(new LumoCameraUvc);
}

CameraPtr LumoCamera::adopt(LumoCamera *camera)
{
    // Deleted on the thread it lives on, whichever thread lets go of it last. While the
    // application object is torn down, the last holder can be a queued call that Qt destroys with
    // its event list locked; posting the deletion then would deadlock, so it happens at once.
    return CameraPtr(camera, [](LumoCamera *c) {
        if (QCoreApplication::instance() && !QCoreApplication::closingDown())
            c->deleteLater();
        else
            delete c;
    });
}

QList<LumoCamera::FrameMode> LumoCamera::frameTableModes()
{
    QList<FrameMode> modes;
    for (int row = 1; row < UvcFrameIndexCount; ++row) {
        const UvcFrameSize &frame = gSupportFrameIdx[row];
        const QSize size(int(frame.width), int(frame.height));
        auto it =
            std::find_if(modes.begin(), modes.end(), [&](const FrameMode &m) { return m.size == size; });
        if (it == modes.end())
            it = modes.insert(modes.end(), FrameMode{PixelFormat::Mjpeg, size, {}});
        if (!it->frameRates.contains(frame.frameRate))
            it->frameRates.append(frame.frameRate);
    }
    return modes;
}

uint16_t LumoCamera::firmwareVersion()
{
    return gFirmwareRleaseVersion;
}

QString LumoCamera::makeCaptureDeviceLocationId(uint32_t location, uint32_t vendor, uint32_t product)
{
    return QString::asprintf("0x%x%04x%04x", location, vendor, product);
}

void LumoCamera::prepareToWorkWithDevice(const DeviceInfo &device, DeviceBackend &backend)
{
    device_ = device;
    if (device.vendorId)
        vendorId_ = device.vendorId;
    if (device.productId)
        productId_ = device.productId;
    locationId_ = device.locationId;

    // A camera without vendor commands has no HID interface to set up or ask.
    if (hasVendorCommands())
        setupHidControl();
    setupImageControl(backend);
    if (hasVendorCommands())
        setupHidNotification(backend);
    else
        setupButtonInput(backend);
    readCapabilities(backend);
    setupCaptureDevice();
    if (hasVendorCommands()) {
        velmarCurrentFocusMode();
        LUMO_LOG("current focus button mode: %s", isContinousFocusMode ? "continous" : "single");
    }
}

bool LumoCamera::setupHidControl()
{
    if (hidInterfaceDone_) {
        LUMO_LOG("hidInterface already done");
        return true;
    }
    hidInterfaceDone_ = true;
    gFirmwareRleaseVersion = device_.releaseNumber;
    LUMO_LOG("update firmware version: 0x%04x", device_.releaseNumber);
    LUMO_LOG("Finished %lu control register", static_cast<unsigned long>(hidControlIntf_));
    return true;
}

bool LumoCamera::setupImageControl(DeviceBackend &backend)
{
    if (control_) {
        LUMO_LOG("streamControlInterface already done");
        return true;
    }
    control_ = backend.openVideoControl(device_);
    if (!control_) {
        LUMO_LOG("video control interface of location 0x%x not found", locationId_);
        return false;
    }
    LUMO_LOG("Finished %lu control register", static_cast<unsigned long>(streamControlIntf_));
    return true;
}

bool LumoCamera::setupHidNotification(DeviceBackend &backend)
{
    std::unique_ptr<HidChannel> channel = backend.openHid(device_);
    if (!channel) {
        LUMO_LOG("hidDeviceInterface open failed");
        return false;
    }
    // The drain runs on the channel's (device) thread. It holds only a weak reference, so a
    // camera that is being let go of on the main thread is never used after its deletion.
    std::weak_ptr<LumoCamera> weak = weak_from_this();
    connect(
        channel.get(), &HidChannel::eventsAvailable, channel.get(),
        [weak] {
            if (CameraPtr camera = weak.lock())
                camera->handleCallBack(0);
        },
        Qt::DirectConnection);
    const bool events = channel->startEvents();
    if (!events)
        LUMO_LOG("copyMatchingElements error");
    std::lock_guard<std::mutex> lock(lock_);
    hid_ = std::move(channel);
    eventsStarted_ = events;
    LUMO_LOG("Done with Device notification register");
    return true;
}

bool LumoCamera::setupButtonInput(DeviceBackend &backend)
{
    std::unique_ptr<ButtonInput> input = backend.openButtonInput(device_);
    if (!input) {
        LUMO_LOG("no button input of %s", qPrintable(device_.key));
        return false;
    }
    // Keys arrive on the input's (device) thread; a weak reference, as for the HID events.
    std::weak_ptr<LumoCamera> weak = weak_from_this();
    connect(
        input.get(), &ButtonInput::keyPressed, input.get(),
        [weak](int code) {
            if (CameraPtr camera = weak.lock())
                camera->handleKey(code);
        },
        Qt::DirectConnection);
    std::lock_guard<std::mutex> lock(lock_);
    buttons_ = std::move(input);
    return true;
}

void LumoCamera::setupCaptureDevice()
{
    captureDeviceLocationId_ = !device_.uniqueId.isEmpty()
                                   ? device_.uniqueId
                                   : makeCaptureDeviceLocationId(locationId_, vendorId_, productId_);
}

bool LumoCamera::hasHidDevice() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return hid_ != nullptr;
}

void LumoCamera::prepareToDetatch()
{
    std::unique_ptr<HidChannel> hid;
    std::unique_ptr<ButtonInput> buttons;
    {
        // Waits for a drain under way on the device thread to finish.
        std::lock_guard<std::mutex> lock(lock_);
        hid = std::move(hid_);
        buttons = std::move(buttons_);
        eventsStarted_ = false;
    }
    if (buttons) {
        buttons->disconnect();
        // Like the HID channel, the input belongs to the device thread.
        buttons.release()->deleteLater();
    }
    if (hid) {
        hid->disconnect();
        // The channel's notifiers belong to the device thread: it stops and is deleted there.
        hid.release()->deleteLater();
    }
    {
        std::lock_guard<std::mutex> lock(keptLock_);
        keptSettings_.clear();
    }
    if (control_) {
        LUMO_LOG("gHardwareInfo.streamControlInterface ready for release");
        control_.reset();
    }
    LUMO_LOG("Done cleanup");
}

void LumoCamera::setActive(bool active)
{
    active_ = active;
}

void LumoCamera::notifyOnMainThread(const QString &name)
{
    NotificationCenter::defaultCenter()->postOnMainThread(name, this);
}

void LumoCamera::handleCallBack(int result)
{
    if (result != 0)
        return;
    std::lock_guard<std::mutex> lock(lock_);
    if (!hid_)
        return;
    int32_t value = 0;
    while (hid_->nextEvent(&value)) {
        if (!active_) {
            // The user is not working with this camera: its presses are not meant for the
            // application and are dropped, never replayed later. Its focus reports still keep
            // the focus state in step with the camera.
            LUMO_LOG("event 0x%04x of a camera that is not current dropped", uint32_t(value));
            if (value == 0x0003 || value == 0x0103)
                isContinousFocusMode = value == 0x0103 ? 1 : 0;
            else if (value == 0x0202)
                endFocus();
            continue;
        }
        switch (value) {
        case 0x0001:
            LUMO_LOG("snapshot button");
            notifyOnMainThread(NotificationNames::Snapshot);
            break;
        case 0x0003:
            LUMO_LOG("to signal focus mode ");
            isContinousFocusMode = 0;
            notifyOnMainThread(NotificationNames::CameraSetToSingleFocus);
            break;
        case 0x0102:
            LUMO_LOG("Focus begin ");
            notifyOnMainThread(NotificationNames::CameraWillFocus);
            break;
        case 0x0103:
            LUMO_LOG("to continuous focus mode ");
            isContinousFocusMode = 1;
            notifyOnMainThread(NotificationNames::CameraSetToContinueFocus);
            break;
        case 0x0202:
            LUMO_LOG("Focus Done ");
            // The settings kept during the focus go out before anyone hears it is over.
            endFocus();
            notifyOnMainThread(NotificationNames::CameraDidFocus);
            break;
        case 0x0302:
            LUMO_LOG("custom button");
            notifyOnMainThread(NotificationNames::CameraCustomButton);
            break;
        default:
            LUMO_LOG("error, unknow event value:%lu", static_cast<unsigned long>(uint32_t(value)));
            break;
        }
    }
}

void LumoCamera::handleKey(int code)
{
    std::lock_guard<std::mutex> lock(lock_);
    if (!buttons_ || code != ButtonInput::CameraKey)
        return;
    if (!active_) {
        LUMO_LOG("button of a camera that is not current dropped");
        return;
    }
    LUMO_LOG("snapshot button");
    notifyOnMainThread(NotificationNames::Snapshot);
}

// --- Vendor commands ------------------------------------------------------------------------

int LumoCamera::exchange(const QByteArray &output, QByteArray *reply)
{
    std::lock_guard<std::mutex> lock(lock_);
    // The channel is opened during preparation, before the camera is handed out: one that is
    // missing now (the node could not be opened, or the camera was detached) never comes, so
    // nothing waits for it.
    if (!hid_) {
        LUMO_LOG("device not init");
        return -1;
    }
    const int sent = hid_->setReport(HidChannel::ReportType::Output, output, ReportTimeoutMs);
    if (sent != 0) {
        LUMO_LOG("setReport failed: %d", sent);
        return -1;
    }
    if (!reply)
        return 0;
    LUMO_LOG("setReport with data [%s]", loggedBytes(output).constData());
    *reply = QByteArray(InputReportLength, '\0');
    const int got = hid_->getReport(HidChannel::ReportType::Input, InputReportId, *reply, ReportTimeoutMs);
    if (got != 0) {
        LUMO_LOG("getReport failed: %d", got);
        return -1;
    }
    LUMO_LOG("getReport data [%s]", loggedBytes(*reply).constData());
    return 0;
}

bool LumoCamera::focusing()
{
    if (!isFocusing)
        return false;
    const int64_t now = steadyNowMs();
    int64_t deadline = focusDeadlineMs_;
    if (deadline == 0) {
        // Focusing without a known start: the time-out runs from now.
        deadline = now + Delays::scaled(Delays::FocusDoneTimeout);
        focusDeadlineMs_ = deadline;
    }
    if (now < deadline)
        return true;
    // "Focus done" was lost, or came while the camera was being let go of. Refusing every
    // command for good would leave the camera unusable: the focus is taken as over.
    LUMO_LOG("focus end not seen within %d ms: taking the focus as done",
             Delays::scaled(Delays::FocusDoneTimeout));
    endFocus();
    return false;
}

void LumoCamera::endFocus()
{
    isFocusing = false;
    focusDeadlineMs_ = 0;
    bool kept = false;
    {
        std::lock_guard<std::mutex> lock(keptLock_);
        kept = !keptSettings_.isEmpty();
    }
    // Called on the device thread with the camera's lock held, or inside another command: the
    // kept settings follow from the camera's own thread.
    if (kept)
        QMetaObject::invokeMethod(this, &LumoCamera::sendKeptSettings, Qt::QueuedConnection);
}

int LumoCamera::sendSetting(uint8_t command, short value)
{
    {
        std::lock_guard<std::mutex> lock(keptLock_);
        for (int i = 0; i < keptSettings_.size(); ++i) {
            if (keptSettings_[i].first == command) {
                keptSettings_.removeAt(i);
                break;
            }
        }
    }
    if (focusing()) {
        // The camera takes no command while it focuses; the setting is not lost for that.
        LUMO_LOG("camera focusing: setting 0x%02x kept for later", command);
        std::lock_guard<std::mutex> lock(keptLock_);
        keptSettings_.append({command, value});
        return -1;
    }
    const QByteArray bytes = report({0x02, command, uint8_t(value), 0x00, 0x00});
    LUMO_LOG("setReport with data [%s]", loggedBytes(bytes).constData());
    return exchange(bytes, nullptr) == 0 ? 0 : -1;
}

void LumoCamera::sendKeptSettings()
{
    QList<QPair<uint8_t, short>> kept;
    {
        std::lock_guard<std::mutex> lock(keptLock_);
        kept = keptSettings_;
    }
    for (const auto &[command, value] : kept) {
        if (sendSetting(command, value) != 0)
            LUMO_LOG("kept setting 0x%02x not taken", command);
    }
}

int LumoCamera::velmarResetImage()
{
    if (focusing())
        return -1;
    if (exchange(report({0xFF, 0x00, 0x00, 0x00}), nullptr) != 0)
        return -1;
    LUMO_LOG("setReport ok");
    return 0;
}

int LumoCamera::velmarForceFocusAgain()
{
    if (focusing())
        return -1;
    if (exchange(report({0x02, 0x4F, 0x00, 0x00, 0x00}), nullptr) != 0)
        return -1;
    LUMO_LOG("setReport ok");
    focusDeadlineMs_ = steadyNowMs() + Delays::scaled(Delays::FocusDoneTimeout);
    isFocusing = true;
    return 0;
}

int LumoCamera::velmarSetExposureLock(short value)
{
    if (productId_ != CameraIds::TobbleProductId)
        return -1;
    if (value > 1)
        LUMO_LOG("not valid exposureLock value");
    if (sendSetting(0x05, value) != 0)
        return -1;
    LUMO_LOG("finished");
    return 0;
}

int LumoCamera::velmarSetIris(short value)
{
    return sendSetting(0x06, value);
}

int LumoCamera::velmarCurrentFocusMode()
{
    // The mode is known from preparation and kept up to date by the camera's reports: a focus
    // under way does not make it unknown.
    if (isContinousFocusMode != -1)
        return isContinousFocusMode;
    if (focusing())
        return -1;
    QByteArray reply;
    if (exchange(report({0x02, 0x00, 0x03, 0x00, 0x00}), &reply) != 0)
        return -1;
    isContinousFocusMode = byteAt(reply, 1) == 1 ? 1 : 0;
    return isContinousFocusMode;
}

int LumoCamera::velmarGetIris()
{
    if (focusing())
        return -1;
    QByteArray reply;
    if (exchange(report({0x01, 0x00, 0x06, 0x00, 0x00}), &reply) != 0)
        return -1;
    return byteAt(reply, 1);
}

bool LumoCamera::setExposureLock(short value)
{
    if (productId_ != CameraIds::TobbleProductId)
        return false;
    const uint16_t v = uint16_t(value - 1);
    if (v > 1)
        LUMO_LOG("invalid value of setExposureLock: %hu", v);
    if (velmarSetExposureLock(short(v)) != 0) {
        LUMO_LOG("velmarSetExposureLock failed");
        return false;
    }
    return true;
}

bool LumoCamera::setAutoBrightness(bool on)
{
    return setExposureLock(on ? 1 : 2);
}

int LumoCamera::getExposure()
{
    return velmarGetIris();
}

bool LumoCamera::setExposure(short)
{
    return false;
}

bool LumoCamera::resetImageControl()
{
    return velmarResetImage() == 0;
}

bool LumoCamera::focusAgain()
{
    return velmarForceFocusAgain() == 0;
}

bool LumoCamera::continuousFocus()
{
    return velmarCurrentFocusMode() != 0;
}
