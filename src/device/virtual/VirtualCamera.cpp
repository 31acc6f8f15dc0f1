#include "VirtualCamera.h"

#include "VirtualHidChannel.h"
#include "VirtualControlSet.h"
#include "VirtualUvcModel.h"
#include "core/Delays.h"
#include "device/ButtonInput.h"
#include "device/CameraIds.h"

#include <QTimer>

#include <QStringList>

namespace {

constexpr unsigned VirtualBusNumber = 0x20;
// The USB identity of the camera of another maker.
constexpr uint32_t OtherVendorId = 0xfe77;
constexpr uint32_t OtherProductId = 0x0c01;
constexpr int KeptReports = 32;
constexpr uint8_t InputReportId = 1;
constexpr int InputReportLength = 5;

// Values of the button element, as the camera reports them.
constexpr int32_t SingleFocusMode = 3;
constexpr int32_t FocusBegin = 258;
constexpr int32_t ContinuousFocusMode = 259;
constexpr int32_t FocusDone = 514;
constexpr std::chrono::milliseconds FocusDuration{1000};

// Ports of the virtual hub chain for camera `id`: one port per level, each 1..15.
QString devpathFor(int id)
{
    QStringList ports;
    for (int n = id; n > 0; n /= 15)
        ports.prepend(QString::number((n - 1) % 15 + 1));
    return ports.join(QLatin1Char('.'));
}

} // namespace

VirtualCamera::VirtualCamera(int id, Model model, Faults faults)
    : id_(id), model_(model), faults_(faults), exposureStep_(model == Model::Arvo ? 5 : 8),
      controls_(model == Model::Uvc ? std::make_unique<VirtualControlSet>() : nullptr),
      uvc_(std::make_unique<VirtualUvcModel>(model, controls_.get()))
{}

VirtualCamera::~VirtualCamera() = default;

bool VirtualCamera::modelFromName(const QString &name, Model *model)
{
    if (name == QLatin1String("arvo")) {
        *model = Model::Arvo;
        return true;
    }
    if (name == QLatin1String("tobble")) {
        *model = Model::Tobble;
        return true;
    }
    if (name == QLatin1String("uvc")) {
        *model = Model::Uvc;
        return true;
    }
    return false;
}

QString VirtualCamera::modelName(Model model)
{
    switch (model) {
    case Model::Arvo:
        return QStringLiteral("arvo");
    case Model::Tobble:
        return QStringLiteral("tobble");
    case Model::Uvc:
        break;
    }
    return QStringLiteral("uvc");
}

DeviceInfo VirtualCamera::deviceInfo() const
{
    DeviceInfo info;
    info.key = QStringLiteral("virtual:%1").arg(id_);
    info.locationId = locationIdFrom(VirtualBusNumber, devpathFor(id_));
    info.releaseNumber = 0x0100;
    if (model_ == Model::Uvc) {
        info.interface = DeviceInfo::Interface::VideoCapture;
        info.vendorId = OtherVendorId;
        info.productId = OtherProductId;
        info.name = QStringLiteral("Virtual Document Camera");
        info.uniqueId =
            LumoCamera::makeCaptureDeviceLocationId(info.locationId, info.vendorId, info.productId);
        return info;
    }
    info.vendorId = CameraIds::VendorId;
    info.productId = model_ == Model::Arvo ? CameraIds::ArvoProductId : CameraIds::TobbleProductId;
    return info;
}

bool VirtualCamera::plugged() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return plugged_;
}

void VirtualCamera::setPlugged(bool plugged)
{
    std::lock_guard<std::mutex> lock(mutex_);
    plugged_ = plugged;
}

bool VirtualCamera::stalled() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stalled_;
}

void VirtualCamera::setStalled(bool stalled)
{
    std::lock_guard<std::mutex> lock(mutex_);
    stalled_ = stalled;
}

void VirtualCamera::attachHid(HidChannel *channel)
{
    std::lock_guard<std::mutex> lock(mutex_);
    hid_ = channel;
}

void VirtualCamera::attachButtonInput(ButtonInput *input)
{
    std::lock_guard<std::mutex> lock(mutex_);
    buttons_ = input;
}

void VirtualCamera::detachButtonInput(ButtonInput *input)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (buttons_ == input)
        buttons_ = nullptr;
}

bool VirtualCamera::pressCameraButton()
{
    // Posted while the lock is held: the input detaches itself under the same lock before it is
    // destroyed, so it is alive when the press is posted, and its destruction takes back a press
    // still waiting for it.
    std::lock_guard<std::mutex> lock(mutex_);
    if (!plugged_ || !buttons_)
        return false;
    // Delivered on the input's own (device) thread, as a reader of the input node delivers it.
    QMetaObject::invokeMethod(
        buttons_.data(),
        [input = buttons_] {
            if (input)
                input->deliver(ButtonInput::CameraKey);
        },
        Qt::QueuedConnection);
    return true;
}

QList<LumoCamera::FrameMode> VirtualCamera::frameModes() const
{
    if (model_ != Model::Uvc)
        return {};
    // 4:3 and 16:9 up to 1920x1080: YUYV up to 640x480 at 30 frames a second, MJPEG above at
    // 15, as VirtualCaptureDevice sends them.
    using Format = LumoCamera::PixelFormat;
    QList<LumoCamera::FrameMode> modes;
    for (const QSize size : {QSize(320, 240), QSize(640, 360), QSize(640, 480)})
        modes.append({Format::Yuyv, size, {30}});
    for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1280, 720), QSize(1280, 960),
                             QSize(1440, 1080), QSize(1920, 1080)})
        modes.append({Format::Mjpeg, size, {15}});
    return modes;
}

bool VirtualCamera::receiveOutputReport(const QByteArray &report)
{
    const bool forcedFocus = report.size() >= 2 && uint8_t(report[0]) == 0x02 && report[1] == 'O';
    const bool accepted = handleOutputReport(report);
    if (accepted && forcedFocus)
        focus();
    return accepted;
}

bool VirtualCamera::handleOutputReport(const QByteArray &report)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!plugged_ || report.isEmpty())
        return false;
    outputReports_.append(report);
    while (outputReports_.size() > KeptReports)
        outputReports_.removeFirst();

    const auto at = [&](int i) { return i < report.size() ? uint8_t(report[i]) : uint8_t(0); };
    // A query's answer is input report 1: its ID, then the value.
    const auto answer = [this](int value) {
        pendingReply_ = QByteArray(InputReportLength, '\0');
        pendingReply_[0] = char(InputReportId);
        pendingReply_[1] = char(value);
    };
    pendingReply_.clear();
    if (at(0) == 0xFF && at(1) == 0x00) {
        uvc_->resetToDefaults();
    } else if (at(0) == 0x02 && at(1) == 0x00 && at(2) == 0x03) {
        answer(focusMode_ == 1 ? 1 : 0);
    } else if (at(0) == 0x01 && at(1) == 0x00 && at(2) == 0x06) {
        answer(exposureStep_);
    } else if (at(0) == 0x02 && at(1) == 0x06) {
        exposureStep_ = at(2);
    } else if (at(0) == 0x02 && at(1) == 0x05) {
        if (model_ != Model::Tobble)
            return false;
        exposureLocked_ = at(2) != 0;
    }
    return true;
}

bool VirtualCamera::inputReport(uint8_t reportId, QByteArray *report)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!plugged_ || reportId != InputReportId || pendingReply_.isEmpty())
        return false;
    *report = pendingReply_.leftJustified(report->size(), '\0', true);
    return true;
}

QList<QByteArray> VirtualCamera::outputReports() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return outputReports_;
}

bool VirtualCamera::raiseEvent(int32_t value, int delayMs)
{
    // Posted while the lock is held: the channel clears itself from the camera under the same
    // lock as it is destroyed, so it is alive when the event is posted, and its destruction
    // takes back any event still waiting for it.
    std::lock_guard<std::mutex> lock(mutex_);
    if (!plugged_ || !hid_ || faults_.noButtons)
        return false;
    auto *virtualChannel = static_cast<VirtualHidChannel *>(hid_.data());
    // Delivered on the channel's own (device) thread, where the camera's events arrive.
    QMetaObject::invokeMethod(
        virtualChannel,
        [virtualChannel, value, delayMs] {
            if (delayMs <= 0)
                virtualChannel->deliver(value);
            else
                QTimer::singleShot(delayMs, virtualChannel,
                                   [virtualChannel, value] { virtualChannel->deliver(value); });
        },
        Qt::QueuedConnection);
    return true;
}

bool VirtualCamera::focus()
{
    if (!raiseEvent(FocusBegin))
        return false;
    return faults_.noFocusDone || raiseEvent(FocusDone, Delays::scaled(FocusDuration));
}

bool VirtualCamera::switchFocusMode(int mode)
{
    setFocusMode(mode == 1 ? 1 : 0);
    return raiseEvent(mode == 1 ? ContinuousFocusMode : SingleFocusMode);
}

int VirtualCamera::focusMode() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return focusMode_;
}

void VirtualCamera::setFocusMode(int mode)
{
    std::lock_guard<std::mutex> lock(mutex_);
    focusMode_ = mode;
}

int VirtualCamera::exposureStep() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return exposureStep_;
}

bool VirtualCamera::exposureLocked() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return exposureLocked_;
}
