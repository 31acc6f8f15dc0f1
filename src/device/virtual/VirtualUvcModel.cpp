#include "VirtualUvcModel.h"

#include <QtEndian>

#include <algorithm>
#include <iterator>

namespace {

constexpr uint8_t AllExposureModes = UvcAutoExposureManual | UvcAutoExposureAuto
                                     | UvcAutoExposureShutterPriority | UvcAutoExposureAperturePriority;

// The UVC rows of a camera whose controls are listed by its node: selector, length, sign, control.
struct MappedRow {
    uint8_t selector;
    uint16_t length;
    bool isSigned;
    uint32_t id;
};

constexpr MappedRow MappedRows[] = {
    {UvcPuBacklightCompensation, 2, false, CameraControlId::BacklightCompensation},
    {UvcPuBrightness, 2, false, CameraControlId::Brightness},
    {UvcPuContrast, 2, false, CameraControlId::Contrast},
    {UvcPuGain, 2, false, CameraControlId::Gain},
    {UvcPuPowerLineFrequency, 1, false, CameraControlId::PowerLineFrequency},
    {UvcPuHue, 2, true, CameraControlId::Hue},
    {UvcPuSaturation, 2, false, CameraControlId::Saturation},
    {UvcPuSharpness, 2, false, CameraControlId::Sharpness},
    {UvcPuGamma, 2, false, CameraControlId::Gamma},
    {UvcPuWhiteBalanceTemperature, 2, false, CameraControlId::WhiteBalanceTemperature},
    {UvcPuWhiteBalanceTemperatureAuto, 1, false, CameraControlId::AutoWhiteBalance},
    {UvcCtFocusAuto, 1, false, CameraControlId::FocusAuto},
    {UvcCtAutoExposureMode, 1, false, CameraControlId::ExposureAuto},
};

// The exposure menu's entries as UVC mode bits, in menu order (automatic, manual, shutter and
// aperture priority).
constexpr uint8_t ExposureModeBits[] = {UvcAutoExposureAuto, UvcAutoExposureManual,
                                        UvcAutoExposureShutterPriority, UvcAutoExposureAperturePriority};

bool validFrameIndex(int index)
{
    return index >= 1 && index < UvcFrameIndexCount;
}

} // namespace

VirtualUvcModel::VirtualUvcModel(VirtualCamera::Model model, VirtualControlSet *controls)
    : controls_(controls ? std::vector<Control>() : controlsFor(model)), mapped_(controls)
      // The second model starts at its largest size, 1600x1200, the others at 1280x960.
      ,
      defaultFrameIndex_(model == VirtualCamera::Model::Tobble ? 10 : 8), frameIndex_(defaultFrameIndex_)
{
    probe_ = uvcProbeBlock(UvcFormatIndex, defaultFrameIndex_,
                           uvcFrameInterval(gSupportFrameIdx[defaultFrameIndex_].frameRate));
    commit_ = probe_;
}

std::vector<VirtualUvcModel::Control> VirtualUvcModel::controlsFor(VirtualCamera::Model model)
{
    // name, selector, length, signed, minimum, maximum, default, modes (current = default)
    if (model == VirtualCamera::Model::Arvo) {
        return {
            {"backlight-compensation", UvcPuBacklightCompensation, 2, false, 0, 2, 1, 0, 1},
            {"brightness", UvcPuBrightness, 2, false, 0, 255, 128, 0, 128},
            {"contrast", UvcPuContrast, 2, false, 0, 100, 50, 0, 50},
            {"hue", UvcPuHue, 2, true, -10, 10, 0, 0, 0},
            {"saturation", UvcPuSaturation, 2, false, 0, 100, 64, 0, 64},
            {"sharpness", UvcPuSharpness, 2, false, 0, 15, 6, 0, 6},
            {"gamma", UvcPuGamma, 2, false, 100, 300, 150, 0, 150},
            {"white-balance", UvcPuWhiteBalanceTemperature, 2, false, 2800, 6500, 4600, 0, 4600},
            {"auto-white-balance", UvcPuWhiteBalanceTemperatureAuto, 1, false, 0, 1, 1, 0, 1},
            {"power-line-frequency", UvcPuPowerLineFrequency, 1, false, 0, 2, 1, 0, 1},
            {"auto-exposure-mode", UvcCtAutoExposureMode, 1, false, 0, 0, UvcAutoExposureAuto,
             UvcAutoExposureAuto | UvcAutoExposureAperturePriority, UvcAutoExposureAuto},
        };
    }
    if (model == VirtualCamera::Model::Uvc) {
        // A camera of another maker: limits of its own, a gain, an automatic focus, and
        // automatic exposure that also takes manual mode.
        return {
            {"backlight-compensation", UvcPuBacklightCompensation, 2, false, 0, 3, 1, 0, 1},
            {"brightness", UvcPuBrightness, 2, false, 0, 127, 64, 0, 64},
            {"contrast", UvcPuContrast, 2, false, 0, 95, 32, 0, 32},
            {"gain", UvcPuGain, 2, false, 0, 100, 32, 0, 32},
            {"hue", UvcPuHue, 2, true, -40, 40, 0, 0, 0},
            {"saturation", UvcPuSaturation, 2, false, 0, 200, 100, 0, 100},
            {"sharpness", UvcPuSharpness, 2, false, 1, 10, 5, 0, 5},
            {"gamma", UvcPuGamma, 2, false, 40, 500, 100, 0, 100},
            {"white-balance", UvcPuWhiteBalanceTemperature, 2, false, 2000, 6500, 4000, 0, 4000},
            {"auto-white-balance", UvcPuWhiteBalanceTemperatureAuto, 1, false, 0, 1, 1, 0, 1},
            {"power-line-frequency", UvcPuPowerLineFrequency, 1, false, 0, 2, 1, 0, 1},
            {"auto-exposure-mode", UvcCtAutoExposureMode, 1, false, 0, 0, UvcAutoExposureAuto,
             UvcAutoExposureManual | UvcAutoExposureAuto | UvcAutoExposureAperturePriority,
             UvcAutoExposureAuto},
            {"auto-focus", UvcCtFocusAuto, 1, false, 0, 1, 1, 0, 1},
        };
    }
    return {
        {"backlight-compensation", UvcPuBacklightCompensation, 2, false, 0, 1, 0, 0, 0},
        {"brightness", UvcPuBrightness, 2, false, 0, 255, 110, 0, 110},
        {"contrast", UvcPuContrast, 2, false, 0, 255, 128, 0, 128},
        {"hue", UvcPuHue, 2, true, -180, 180, 0, 0, 0},
        {"saturation", UvcPuSaturation, 2, false, 0, 255, 128, 0, 128},
        {"sharpness", UvcPuSharpness, 2, false, 0, 7, 3, 0, 3},
        {"gamma", UvcPuGamma, 2, false, 72, 500, 220, 0, 220},
        {"white-balance", UvcPuWhiteBalanceTemperature, 2, false, 2500, 7500, 5000, 0, 5000},
        {"auto-white-balance", UvcPuWhiteBalanceTemperatureAuto, 1, false, 0, 1, 1, 0, 1},
        {"power-line-frequency", UvcPuPowerLineFrequency, 1, false, 0, 2, 2, 0, 2},
        {"auto-exposure-mode", UvcCtAutoExposureMode, 1, false, 0, 0, UvcAutoExposureAuto, AllExposureModes,
         UvcAutoExposureAuto},
    };
}

int VirtualUvcModel::handle(const UsbControlChannel::Request &request)
{
    // A class request to an interface, its direction matching the request code.
    if (!uvcIsWellFormedRequest(request))
        return UsbControlChannel::Refused;

    auto *data = static_cast<uint8_t *>(request.data);
    std::lock_guard<std::mutex> lock(mutex_);
    switch (request.wIndex & 0xFF) {
    case 0:
        return handleControl(request, data);
    case UvcStreamingInterface:
        return handleStreaming(request, data);
    default:
        return UsbControlChannel::Refused;
    }
}

int VirtualUvcModel::handleControl(const UsbControlChannel::Request &request, uint8_t *data)
{
    if ((request.wIndex >> 8) != UvcProcessingUnit)
        return UsbControlChannel::Refused;
    if (mapped_)
        return handleMappedControl(request, data);
    const uint8_t selector = request.wValue >> 8;
    Control *control = nullptr;
    for (Control &c : controls_) {
        if (c.selector == selector && c.length == request.wLength)
            control = &c;
    }
    if (!control)
        return UsbControlChannel::Refused;

    switch (request.bRequest) {
    case UvcGetCur:
        uvcEncodeValue(control->current, data, control->length);
        return UsbControlChannel::Ok;
    case UvcGetDef:
        uvcEncodeValue(control->defaultValue, data, control->length);
        return UsbControlChannel::Ok;
    case UvcGetMin:
    case UvcGetMax:
        if (control->modes)
            return UsbControlChannel::Refused;
        uvcEncodeValue(request.bRequest == UvcGetMin ? control->minimum : control->maximum, data,
                       control->length);
        return UsbControlChannel::Ok;
    case UvcSetCur: {
        const int value = uvcDecodeValue(data, control->length, control->isSigned);
        const bool accepted = control->modes ? (value & (value - 1)) == 0 && (value & control->modes) != 0
                                             : value >= control->minimum && value <= control->maximum;
        if (!accepted)
            return UsbControlChannel::Refused;
        control->current = value;
        return UsbControlChannel::Ok;
    }
    default:
        return UsbControlChannel::Refused;
    }
}

int VirtualUvcModel::handleMappedControl(const UsbControlChannel::Request &request, uint8_t *data)
{
    const uint8_t selector = request.wValue >> 8;
    const MappedRow *row = nullptr;
    for (const MappedRow &r : MappedRows) {
        if (r.selector == selector && r.length == request.wLength)
            row = &r;
    }
    const std::optional<CameraControl> control = row ? mapped_->control(row->id) : std::nullopt;
    if (!control)
        return UsbControlChannel::Refused;
    const bool modes = row->id == CameraControlId::ExposureAuto;
    const auto toWire = [&](int value) {
        return modes ? (value >= 0 && value < 4 ? ExposureModeBits[value] : 0) : value;
    };

    switch (request.bRequest) {
    case UvcGetCur:
        uvcEncodeValue(toWire(mapped_->value(row->id).value_or(0)), data, row->length);
        return UsbControlChannel::Ok;
    case UvcGetDef:
        uvcEncodeValue(toWire(control->defaultValue), data, row->length);
        return UsbControlChannel::Ok;
    case UvcGetMin:
    case UvcGetMax:
        if (modes)
            return UsbControlChannel::Refused;
        uvcEncodeValue(request.bRequest == UvcGetMin ? control->minimum : control->maximum, data,
                       row->length);
        return UsbControlChannel::Ok;
    case UvcSetCur: {
        int value = uvcDecodeValue(data, row->length, row->isSigned);
        if (modes) {
            const auto *bit = std::find(std::begin(ExposureModeBits), std::end(ExposureModeBits), value);
            if (bit == std::end(ExposureModeBits))
                return UsbControlChannel::Refused;
            value = int(bit - std::begin(ExposureModeBits));
        }
        return mapped_->setValue(row->id, value) ? UsbControlChannel::Ok : UsbControlChannel::Refused;
    }
    default:
        return UsbControlChannel::Refused;
    }
}

UvcProbeCommitBlock VirtualUvcModel::negotiated(const UvcProbeCommitBlock &asked) const
{
    // The camera offers one rate per frame size: whatever interval was asked, it answers with
    // the table's. A frame index it does not know becomes its default one.
    UvcProbeCommitBlock block = asked;
    int index = uvcProbeFrameIndex(block.data());
    if (!validFrameIndex(index)) {
        index = defaultFrameIndex_;
        uvcSetProbeFrameIndex(block.data(), uint8_t(index));
    }
    uvcSetProbeFrameInterval(block.data(), uvcFrameInterval(gSupportFrameIdx[index].frameRate));
    return block;
}

int VirtualUvcModel::handleStreaming(const UsbControlChannel::Request &request, uint8_t *data)
{
    const uint8_t selector = request.wValue >> 8;
    if ((request.wIndex >> 8) != 0 || request.wLength != UvcProbeCommitLength
        || (selector != UvcProbeControl && selector != UvcCommitControl))
        return UsbControlChannel::Refused;

    UvcProbeCommitBlock block;
    switch (request.bRequest) {
    case UvcSetCur:
        std::copy(data, data + UvcProbeCommitLength, block.begin());
        if (selector == UvcProbeControl) {
            probe_ = block;
            return UsbControlChannel::Ok;
        }
        if (!validFrameIndex(uvcProbeFrameIndex(block.data())))
            return UsbControlChannel::Refused;
        commit_ = negotiated(block);
        frameIndex_ = uvcProbeFrameIndex(commit_.data());
        return UsbControlChannel::Ok;
    case UvcGetCur:
        block = selector == UvcProbeControl ? negotiated(probe_) : commit_;
        break;
    case UvcGetDef:
        if (selector != UvcProbeControl)
            return UsbControlChannel::Refused;
        block = uvcProbeBlock(UvcFormatIndex, defaultFrameIndex_,
                              uvcFrameInterval(gSupportFrameIdx[defaultFrameIndex_].frameRate));
        break;
    default:
        return UsbControlChannel::Refused;
    }
    std::copy(block.begin(), block.end(), data);
    return UsbControlChannel::Ok;
}

void VirtualUvcModel::resetToDefaults()
{
    if (mapped_)
        mapped_->resetToDefaults();
    std::lock_guard<std::mutex> lock(mutex_);
    for (Control &control : controls_)
        control.current = control.defaultValue;
}

std::optional<int> VirtualUvcModel::value(const QString &name) const
{
    if (mapped_)
        return mapped_->value(name);
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Control &control : controls_) {
        if (name == QLatin1String(control.name))
            return control.current;
    }
    return std::nullopt;
}

int VirtualUvcModel::frameIndex() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frameIndex_;
}

QSize VirtualUvcModel::frameSize() const
{
    const UvcFrameSize &frame = gSupportFrameIdx[frameIndex()];
    return QSize(int(frame.width), int(frame.height));
}

int VirtualUvcModel::frameRate() const
{
    return int(gSupportFrameIdx[frameIndex()].frameRate);
}

QStringList VirtualUvcModel::describe() const
{
    QStringList lines;
    if (mapped_) {
        lines << mapped_->describe();
    } else {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Control &control : controls_)
            lines << QStringLiteral("%1 %2").arg(QLatin1String(control.name)).arg(control.current);
    }
    const QSize size = frameSize();
    lines << QStringLiteral("resolution %1x%2@%3").arg(size.width()).arg(size.height()).arg(frameRate());
    return lines;
}
