#include "CameraControlSettings.h"

#include "CamSettingController.h"
#include "core/LumoLog.h"
#include "core/UserDefaults.h"

namespace {

// The group of a camera's record that keeps its control values.
constexpr char ControlsKey[] = "Controls";

namespace Id = CameraControlId;

bool keptBySettings(uint32_t id)
{
    return id == Id::ExposureAuto || id == Id::ExposureAbsolute;
}

} // namespace

QString CameraControlSettings::keyOf(uint32_t id)
{
    return QStringLiteral("%1").arg(id, 8, 16, QLatin1Char('0'));
}

bool CameraControlSettings::setValue(LumoCamera &camera, const CameraControl &control, int value)
{
    value = control.clamped(value);
    if (control.id == Id::ExposureAuto) {
        // Also the exposure setting's switch, so the picture's exposure control follows.
        settings_.setAutoBrightness(value != Id::ExposureManual);
    } else if (control.id == Id::ExposureAbsolute && camera.exposureLevels() > 0) {
        settings_.setExposure(int16_t(control.levelOf(value, camera.exposureLevels()) + 1));
    }
    // The exact value chosen, also after the exposure setting's nearest level.
    if (!camera.setControlValue(control.id, value))
        return false;
    if (keptBySettings(control.id))
        return true;
    QVariantMap kept = settings_.valueForDeviceKey(ControlsKey).toMap();
    kept.insert(keyOf(control.id), value);
    settings_.setDeviceKey(ControlsKey, kept);
    return true;
}

void CameraControlSettings::applySaved(LumoCamera &camera)
{
    const QVariantMap kept = settings_.valueForDeviceKey(ControlsKey).toMap();
    if (kept.isEmpty())
        return;
    const QList<CameraControl> controls = camera.cameraControls();
    for (const bool switches : {true, false}) {
        for (const CameraControl &listed : controls) {
            const bool isSwitch = listed.type != CameraControl::Type::Integer;
            const QVariant saved = kept.value(keyOf(listed.id));
            if (isSwitch != switches || !saved.isValid() || keptBySettings(listed.id))
                continue;
            const std::optional<CameraControl> control = camera.cameraControl(listed.id);
            if (!control || !control->settable() || control->inactive())
                continue;
            const int value = control->clamped(UserDefaults::toInteger(saved, control->defaultValue));
            if (!camera.setControlValue(control->id, value))
                LUMO_LOG("kept value %d of %s not taken", value, qPrintable(control->name));
        }
    }
}

void CameraControlSettings::restoreDefaults(LumoCamera &camera)
{
    settings_.setDeviceKey(ControlsKey, QVariant());
    const QList<CameraControl> controls = camera.cameraControls();
    for (const bool switches : {true, false}) {
        for (const CameraControl &listed : controls) {
            if ((listed.type != CameraControl::Type::Integer) != switches || !listed.settable())
                continue;
            if (listed.id == Id::ExposureAuto && camera.hasAutoExposure()) {
                settings_.setAutoBrightness(true);
                continue;
            }
            const std::optional<CameraControl> control = camera.cameraControl(listed.id);
            if (control && !control->inactive())
                camera.setControlValue(control->id, control->clamped(control->defaultValue));
        }
    }
}
