#include "LumoCameraUvc.h"

#include "DeviceBackend.h"
#include "core/LumoLog.h"

#include <algorithm>

namespace {

constexpr int MaximumExposureLevels = 15;

namespace Id = CameraControlId;

bool hasEntry(const CameraControl &menu, int value)
{
    return std::any_of(menu.menu.begin(), menu.menu.end(),
                       [&](const auto &entry) { return entry.first == value; });
}

} // namespace

LumoCameraUvc::LumoCameraUvc(QObject *parent) : LumoCamera(parent)
{
    vendorId_ = 0;
}

QString LumoCameraUvc::model() const
{
    const QString name = deviceInfo().name.simplified();
    return name.isEmpty() ? tr("Video Camera") : name;
}

QString LumoCameraUvc::shortModel() const
{
    const DeviceInfo &device = deviceInfo();
    // The record's name is the same in every language the user may start Arvo in.
    const QString name = device.name.simplified().isEmpty() ? QStringLiteral("Video Camera") : model();
    QString record = device.vendorId == 0 ? QStringLiteral("%1 %2").arg(name, device.uniqueId)
                                          : QStringLiteral("%1 %2:%3")
                                                .arg(name)
                                                .arg(device.vendorId, 4, 16, QLatin1Char('0'))
                                                .arg(device.productId, 4, 16, QLatin1Char('0'));
    // The record is a settings group: a slash would nest it, a backslash escape it.
    record.replace(QLatin1Char('/'), QLatin1Char('-'));
    record.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return record;
}

void LumoCameraUvc::readCapabilities(DeviceBackend &backend)
{
    frameModes_ = backend.frameModes(deviceInfo());
    std::unique_ptr<CameraControlChannel> channel = backend.openCameraControls(deviceInfo());
    if (channel)
        controls_ = channel->controls();
    LUMO_LOG("%d image controls listed", int(controls_.size()));
    std::lock_guard<std::mutex> lock(channelLock_);
    channel_ = std::move(channel);
}

void LumoCameraUvc::prepareToDetatch()
{
    {
        std::lock_guard<std::mutex> lock(channelLock_);
        channel_.reset();
    }
    LumoCamera::prepareToDetatch();
}

const CameraControl *LumoCameraUvc::listed(uint32_t id) const
{
    for (const CameraControl &control : controls_) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

int LumoCameraUvc::exposureLevelsOf(const CameraControl &exposure)
{
    if (exposure.maximum <= exposure.minimum)
        return 0;
    const int64_t steps = (int64_t(exposure.maximum) - exposure.minimum) / std::max(exposure.step, 1) + 1;
    return int(std::min<int64_t>(steps, MaximumExposureLevels));
}

LumoCamera::ExposureKind LumoCameraUvc::exposureKind() const
{
    const CameraControl *exposure = listed(Id::ExposureAbsolute);
    return exposure && exposureLevelsOf(*exposure) >= 2 ? ExposureKind::Range : ExposureKind::None;
}

int LumoCameraUvc::exposureLevels() const
{
    return exposureKind() == ExposureKind::Range ? exposureLevelsOf(*listed(Id::ExposureAbsolute)) : 0;
}

int LumoCameraUvc::defaultExposureLevel() const
{
    const int levels = exposureLevels();
    if (levels == 0)
        return 0;
    const CameraControl &exposure = *listed(Id::ExposureAbsolute);
    return exposure.levelOf(exposure.defaultValue, levels) + 1;
}

bool LumoCameraUvc::hasAutoExposure() const
{
    const CameraControl *mode = listed(Id::ExposureAuto);
    return mode && hasEntry(*mode, Id::ExposureManual)
           && (hasEntry(*mode, Id::ExposureAutomatic) || hasEntry(*mode, Id::ExposureAperturePriority));
}

LumoCamera::FocusKind LumoCameraUvc::focusKind() const
{
    if (listed(Id::AutoFocusStart))
        return FocusKind::OneShot;
    if (listed(Id::FocusAuto))
        return FocusKind::Continuous;
    return FocusKind::None;
}

std::optional<CameraControl> LumoCameraUvc::cameraControl(uint32_t id)
{
    std::optional<CameraControl> control;
    {
        std::lock_guard<std::mutex> lock(channelLock_);
        if (channel_ && listed(id))
            control = channel_->control(id);
    }
    // The list keeps the flags as they were read last.
    if (control) {
        for (CameraControl &c : controls_) {
            if (c.id == id)
                c = *control;
        }
    }
    return control;
}

std::optional<int> LumoCameraUvc::controlValue(uint32_t id)
{
    std::lock_guard<std::mutex> lock(channelLock_);
    return channel_ && listed(id) ? channel_->value(id) : std::nullopt;
}

bool LumoCameraUvc::setControlValue(uint32_t id, int value)
{
    std::lock_guard<std::mutex> lock(channelLock_);
    if (!channel_ || !listed(id))
        return false;
    if (!channel_->setValue(id, value)) {
        LUMO_LOG("control 0x%08x refused %d", id, value);
        return false;
    }
    return true;
}

bool LumoCameraUvc::setExposure(short level)
{
    const int levels = exposureLevels();
    if (level < 1 || level > levels)
        return false;
    exposureLevel_ = level;
    const CameraControl &exposure = *listed(Id::ExposureAbsolute);
    const std::optional<CameraControl> now = cameraControl(Id::ExposureAbsolute);
    if (now && now->inactive())
        return true; // kept until automatic exposure is switched off
    return setControlValue(Id::ExposureAbsolute, exposure.valueOfLevel(level - 1, levels));
}

bool LumoCameraUvc::setAutoBrightness(bool on)
{
    if (!hasAutoExposure())
        return false;
    const CameraControl &mode = *listed(Id::ExposureAuto);
    const int automatic =
        hasEntry(mode, Id::ExposureAutomatic) ? Id::ExposureAutomatic : Id::ExposureAperturePriority;
    if (!setControlValue(Id::ExposureAuto, on ? automatic : int(Id::ExposureManual)))
        return false;
    if (!on && exposureLevel_ > 0)
        setExposure(short(exposureLevel_));
    return true;
}

bool LumoCameraUvc::focusAgain()
{
    return focusKind() == FocusKind::OneShot && setControlValue(Id::AutoFocusStart, 1);
}

bool LumoCameraUvc::continuousFocus()
{
    return focusKind() == FocusKind::Continuous;
}
