#include "CamSettingController.h"

#include "CameraControlSettings.h"
#include "core/Delays.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/LumoCamerasController.h"
#include "settings/Conversions.h"
#include "settings/ResolutionChoices.h"

#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace {

// Keys of a model's record under "LumoDevices".
namespace Key {
constexpr char Brightness[] = "Brightness";
constexpr char Contrast[] = "Contrast";
constexpr char Gamma[] = "Gamma";
constexpr char Hue[] = "Hue";
constexpr char Saturation[] = "Saturation";
constexpr char Sharpness[] = "Sharpness";
constexpr char Zoom[] = "Zoom";
constexpr char Timer[] = "Timer";
constexpr char HFlipped[] = "HFlipped";
constexpr char VFlipped[] = "VFlipped";
// The picture's clockwise turn in degrees: 0, 90, 180 or 270.
constexpr char Rotation[] = "Rotation";
constexpr char Resolution[] = "Resolution";
// The chosen size itself ("1920x1080"), for a camera without the output table.
constexpr char ResolutionSize[] = "ResolutionSize";
constexpr char Exposure[] = "Exposure";
constexpr char AutoBrightness[] = "AutoBrightness";
} // namespace Key

constexpr float DefaultZoom = 1.0f;
constexpr int DefaultResolution = 1; // 1280x960
// The middle of the five steps: the exposure while no camera is there to say its own.
constexpr int16_t NoCameraExposure = 3;
constexpr int ImageAdjustmentCount = 6;

// A saved image adjustment as the camera can take it. A value outside the camera's limits (a
// damaged or hand-edited setting) gives the camera's default, or the nearest limit when the
// default is outside them as well. Limits the camera has not answered leave the range of the
// control's 16 bits, signed or not.
int withinLimits(int value, int minimum, int maximum, int byDefault, bool isSigned)
{
    if (minimum >= maximum) {
        minimum = isSigned ? INT16_MIN : 0;
        maximum = isSigned ? INT16_MAX : UINT16_MAX;
    }
    if (value >= minimum && value <= maximum)
        return value;
    return byDefault >= minimum && byDefault <= maximum ? byDefault : std::clamp(value, minimum, maximum);
}

QString sizeText(const QSize &size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// "1920x1080" as sizeText() writes it; an invalid size for anything else.
QSize sizeFromText(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('x'));
    bool widthOk = false, heightOk = false;
    const QSize size =
        parts.size() == 2 ? QSize(parts[0].toInt(&widthOk), parts[1].toInt(&heightOk)) : QSize();
    return widthOk && heightOk && !size.isEmpty() ? size : QSize();
}

} // namespace

CamSettingController *CamSettingController::sharedInstance()
{
    static CamSettingController *instance = new CamSettingController(UserDefaults::standard(), [] {
        auto *registry = LumoCamerasController::sharedController();
        return registry ? registry->currentCamera() : nullptr;
    });
    return instance;
}

CamSettingController::CamSettingController(UserDefaults *defaults, CameraProvider currentCamera,
                                           QObject *parent)
    : QObject(parent), defaults_(defaults), currentCamera_(std::move(currentCamera)),
      restoreable_(defaults->integerForKey(DefaultsKeys::KeepCameraSet) == 0)
{}

CamSettingController::~CamSettingController() = default;

uint16_t CamSettingController::brightness() const
{
    CameraPtr camera = currentCamera_();
    return camera ? camera->brightness() : brightness_;
}

bool CamSettingController::continuousFocus() const
{
    CameraPtr camera = currentCamera_();
    return camera && camera->continuousFocus();
}

uint16_t CamSettingController::firmwareVersion() const
{
    return LumoCamera::firmwareVersion();
}

// --- Device setters ------------------------------------------------------------------------

void CamSettingController::setBrightness(uint16_t value)
{
    brightness_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setBrightness(value);
    setDeviceKey(Key::Brightness, value);
}

void CamSettingController::setContrast(uint16_t value)
{
    contrast_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setContrast(value);
    setDeviceKey(Key::Contrast, value);
}

void CamSettingController::setGamma(uint16_t value)
{
    gamma_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setGamma(value);
    setDeviceKey(Key::Gamma, value);
}

void CamSettingController::setHue(int16_t value)
{
    hue_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setHue(value);
    setDeviceKey(Key::Hue, value);
}

void CamSettingController::setSaturation(uint16_t value)
{
    saturation_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setSaturation(value);
    setDeviceKey(Key::Saturation, value);
}

void CamSettingController::setSharpness(uint16_t value)
{
    sharpness_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setSharpness(value);
    setDeviceKey(Key::Sharpness, value);
}

void CamSettingController::setExposure(int16_t value)
{
    exposure_ = value;
    if (CameraPtr camera = currentCamera_())
        camera->setExposure(value);
    setDeviceKey(Key::Exposure, value);
}

void CamSettingController::setAutoBrightness(bool on)
{
    autoBrightness_ = on;
    if (CameraPtr camera = currentCamera_())
        camera->setAutoBrightness(on);
    setDeviceKey(Key::AutoBrightness, on);
}

// --- Mode setters --------------------------------------------------------------------------

void CamSettingController::setZoom(float value)
{
    zoom_ = value;
    setDeviceKey(Key::Zoom, value);
}

void CamSettingController::setTimer(int seconds)
{
    timer_ = seconds;
    setDeviceKey(Key::Timer, seconds);
}

void CamSettingController::setHFlipped(bool on)
{
    hFlipped_ = on;
    setDeviceKey(Key::HFlipped, on);
}

void CamSettingController::setVFlipped(bool on)
{
    vFlipped_ = on;
    setDeviceKey(Key::VFlipped, on);
}

void CamSettingController::setQuarterTurns(int turns)
{
    quarterTurns_ = ((turns % 4) + 4) % 4;
    setDeviceKey(Key::Rotation, quarterTurns_ * 90);
}

void CamSettingController::setResolution(int index)
{
    resolution_ = index;
    resolutionSize_ = toPhotoOutputSize(index).toSize();
    setDeviceKey(Key::Resolution, index);
}

void CamSettingController::setResolutionSize(const QSize &size)
{
    const ResolutionChoices choices = ResolutionChoices::forCamera(currentCamera_().get());
    if (choices.keptByIndex()) {
        setResolution(choices.indexOf(choices.nearest(size)));
        return;
    }
    resolutionSize_ = size;
    setDeviceKey(Key::ResolutionSize, sizeText(size));
}

void CamSettingController::setRestoreable(bool restoreable)
{
    restoreable_ = restoreable;
    saveCurrentValue();
}

// --- Persistence ---------------------------------------------------------------------------

QVariant CamSettingController::valueForDeviceKey(const QString &key) const
{
    CameraPtr camera = currentCamera_();
    const QString model = camera ? camera->shortModel() : QString();
    if (model.isEmpty())
        return {};
    return defaults_->dictionaryForKey(DefaultsKeys::Devices).value(model).toMap().value(key);
}

void CamSettingController::setDeviceKey(const QString &key, const QVariant &value)
{
    CameraPtr camera = currentCamera_();
    const QString model = camera ? camera->shortModel() : QString();
    if (model.isEmpty() || key.isEmpty())
        return;
    QVariantMap devices = defaults_->dictionaryForKey(DefaultsKeys::Devices);
    QVariantMap record = devices.value(model).toMap();
    if (value.isValid())
        record.insert(key, value);
    else
        record.remove(key);
    devices.insert(model, record);
    defaults_->setDictionary(DefaultsKeys::Devices, devices);
}

void CamSettingController::saveCurrentValue()
{
    setDeviceKey(Key::Brightness, brightness_);
    setDeviceKey(Key::Contrast, contrast_);
    setDeviceKey(Key::Gamma, gamma_);
    setDeviceKey(Key::Hue, hue_);
    setDeviceKey(Key::Saturation, saturation_);
    setDeviceKey(Key::Sharpness, sharpness_);
    setDeviceKey(Key::Zoom, zoom_);
    setDeviceKey(Key::Timer, timer_);
    setDeviceKey(Key::HFlipped, hFlipped_);
    setDeviceKey(Key::VFlipped, vFlipped_);
    setDeviceKey(Key::Rotation, quarterTurns_ * 90);
    if (ResolutionChoices::forCamera(currentCamera_().get()).keptByIndex())
        setDeviceKey(Key::Resolution, resolution_);
    else
        setDeviceKey(Key::ResolutionSize, sizeText(resolutionSize_));
    setDeviceKey(Key::Exposure, exposure_);
    setDeviceKey(Key::AutoBrightness, autoBrightness_);
}

// --- Applying ------------------------------------------------------------------------------

void CamSettingController::setImageAdjustments(std::function<void()> done)
{
    ++sequence_;
    // A call without a completion restarts the steps but leaves a waiting completion in place:
    // the camera-change sequence queues such a call right after the reset, whose completion
    // restores the camera-mode settings.
    if (done)
        adjustmentsDone_ = std::move(done);
    pendingSteps_ = ImageAdjustmentCount;
    runImageAdjustmentStep(sequence_, 0);
}

void CamSettingController::runImageAdjustmentStep(unsigned sequence, int index)
{
    if (sequence != sequence_)
        return; // a newer sequence took over
    applyImageAdjustment(index);
    --pendingSteps_;
    // One adjustment at a time, each followed by a pause (the last one included), so the camera
    // takes them in turn while the window keeps running.
    QTimer::singleShot(Delays::scaled(Delays::ImageAdjustmentPause), this, [this, sequence, index] {
        if (sequence != sequence_)
            return;
        if (index + 1 < ImageAdjustmentCount) {
            runImageAdjustmentStep(sequence, index + 1);
        } else if (adjustmentsDone_) {
            const std::function<void()> done = std::move(adjustmentsDone_);
            adjustmentsDone_ = nullptr;
            done();
        }
    });
}

void CamSettingController::applyImageAdjustment(int step)
{
    CameraPtr camera = currentCamera_();
    // The saved value within the camera's limits, or its default when none is saved. Nothing is
    // saved without a camera: the fields go back to 0.
    auto saved = [&](const char *key, int minimum, int maximum, int byDefault, bool isSigned) {
        const int value = UserDefaults::toInteger(valueForDeviceKey(key), byDefault);
        return withinLimits(value, minimum, maximum, byDefault, isSigned);
    };
    LumoCamera *c = camera.get();
    // A camera that lists its own controls takes them all at the first step instead of the six.
    if (c && !c->cameraControls().isEmpty()) {
        if (step == 0)
            CameraControlSettings(*this).applySaved(*c);
        return;
    }
    switch (step) {
    case 0:
        setBrightness(uint16_t(
            c ? saved(Key::Brightness, c->brightnessMin(), c->brightnessMax(), c->brightnessDef(), false)
              : 0));
        break;
    case 1:
        setContrast(uint16_t(
            c ? saved(Key::Contrast, c->contrastMin(), c->contrastMax(), c->contrastDef(), false) : 0));
        break;
    case 2:
        setGamma(uint16_t(c ? saved(Key::Gamma, c->gammaMin(), c->gammaMax(), c->gammaDef(), false) : 0));
        break;
    case 3:
        setHue(int16_t(c ? saved(Key::Hue, c->hueMin(), c->hueMax(), c->hueDef(), true) : 0));
        break;
    case 4:
        setSaturation(uint16_t(
            c ? saved(Key::Saturation, c->saturationMin(), c->saturationMax(), c->saturationDef(), false)
              : 0));
        break;
    case 5:
        setSharpness(uint16_t(
            c ? saved(Key::Sharpness, c->sharpnessMin(), c->sharpnessMax(), c->sharpnessDef(), false) : 0));
        break;
    }
}

int16_t CamSettingController::defaultExposure() const
{
    CameraPtr camera = currentCamera_();
    return camera ? int16_t(camera->defaultExposureLevel()) : NoCameraExposure;
}

void CamSettingController::restoreCameraModeSetting()
{
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->post(NotificationNames::CamSettingWillRestore, this);

    const QVariant zoom = valueForDeviceKey(Key::Zoom);
    setZoom(zoom.isValid() ? zoom.toFloat() : DefaultZoom);
    const QVariant timer = valueForDeviceKey(Key::Timer);
    if (timer.isValid())
        setTimer(UserDefaults::toInteger(timer, 0));
    const QVariant hFlipped = valueForDeviceKey(Key::HFlipped);
    if (hFlipped.isValid())
        setHFlipped(UserDefaults::toBool(hFlipped, false));
    const QVariant vFlipped = valueForDeviceKey(Key::VFlipped);
    if (vFlipped.isValid())
        setVFlipped(UserDefaults::toBool(vFlipped, false));
    // Every camera has its own turn (upright when it has none); anything but a whole quarter
    // turn reads as upright.
    const int degrees = UserDefaults::toInteger(valueForDeviceKey(Key::Rotation), 0);
    setQuarterTurns(degrees == 90 || degrees == 180 || degrees == 270 ? degrees / 90 : 0);
    const ResolutionChoices choices = ResolutionChoices::forCamera(currentCamera_().get());
    if (choices.keptByIndex()) {
        setResolution(UserDefaults::toInteger(valueForDeviceKey(Key::Resolution), DefaultResolution));
    } else {
        // A size the camera no longer offers (or a damaged value) gives the nearest it offers.
        const QSize saved = sizeFromText(valueForDeviceKey(Key::ResolutionSize).toString());
        setResolutionSize(choices.nearest(saved.isValid() ? saved : choices.defaultSize()));
    }
    setExposure(int16_t(UserDefaults::toInteger(valueForDeviceKey(Key::Exposure), defaultExposure())));
    setAutoBrightness(UserDefaults::toBool(valueForDeviceKey(Key::AutoBrightness), true));

    center->post(NotificationNames::CamSettingDidRestore, this);
}

void CamSettingController::setCameraModeToDefault()
{
    setZoom(DefaultZoom);
    const ResolutionChoices choices = ResolutionChoices::forCamera(currentCamera_().get());
    if (choices.keptByIndex())
        setResolution(DefaultResolution);
    else
        setResolutionSize(choices.defaultSize());
    setExposure(defaultExposure());
    setAutoBrightness(true);
    NotificationCenter::defaultCenter()->post(NotificationNames::CamSettingDidSetToDefault, this);
}

void CamSettingController::resetCameraParameters()
{
    setImageAdjustments([this] {
        if (restoreable_)
            restoreCameraModeSetting();
        else
            setCameraModeToDefault();
    });
}
