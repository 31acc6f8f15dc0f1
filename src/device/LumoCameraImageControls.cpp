// The camera's picture settings over USB video: one UVC request per call (UvcControl.h).

#include "LumoCamera.h"

#include "UvcControl.h"
#include "core/LumoLog.h"

#include <QtEndian>

namespace {

constexpr uint16_t LimitMarker = LumoCamera::ImageControlLimits::Marker;
constexpr int16_t HueLimitMarker = LumoCamera::ImageControlLimits::HueMarker;

// Values travel little-endian in the row's length (one or two bytes).
template<typename T> void encode(T value, uint8_t *buffer, uint16_t length)
{
    if (length == 1)
        buffer[0] = static_cast<uint8_t>(value);
    else
        qToLittleEndian<T>(value, buffer);
}

template<typename T> T decode(const uint8_t *buffer, uint16_t length)
{
    if (length == 1)
        return static_cast<T>(buffer[0]);
    return qFromLittleEndian<T>(buffer);
}

// GET_CUR on `index`, the buffer starting at `start`: a failed request leaves `start`.
template<typename T> T currentValue(LumoCamera *camera, int index, T start)
{
    const uint16_t length = gVelmarControls[index].length;
    uint8_t buffer[2] = {};
    encode(start, buffer, length);
    uvc_control_cmd(camera, UvcGetCur, index, buffer);
    return decode<T>(buffer, length);
}

bool setValue(LumoCamera *camera, int index, int value)
{
    const uint16_t length = gVelmarControls[index].length;
    uint8_t buffer[2] = {};
    encode(static_cast<uint16_t>(value), buffer, length);
    return uvc_control_cmd(camera, UvcSetCur, index, buffer) == 0;
}

// The cached limit or default in `cell`, asked of the camera while the cell holds `marker`. A
// camera value equal to the marker cannot be told from no answer and is asked for every time.
template<typename T> T cachedLimit(LumoCamera *camera, T &cell, T marker, uint8_t request, int index)
{
    if (cell != marker)
        return cell;
    const uint16_t length = gVelmarControls[index].length;
    uint8_t buffer[2] = {};
    encode(cell, buffer, length);
    if (uvc_control_cmd(camera, request, index, buffer) == 0)
        cell = decode<T>(buffer, length);
    return cell;
}

uint16_t cached(LumoCamera *camera, uint16_t &cell, uint8_t request, int index)
{
    return cachedLimit<uint16_t>(camera, cell, LimitMarker, request, index);
}

int16_t cachedHue(LumoCamera *camera, int16_t &cell, uint8_t request)
{
    return cachedLimit<int16_t>(camera, cell, HueLimitMarker, request, UvcHue);
}

// Probe, read back what the camera negotiated, and commit that. Only the commit's answer
// counts: a camera may refuse a probe yet take the commit.
bool uvc_set_resolution(LumoCamera *camera, unsigned long frameRate, unsigned long width,
                        unsigned long height)
{
    LUMO_LOG("frame %d width %d height %d", static_cast<int>(frameRate), static_cast<int>(width),
             static_cast<int>(height));
    const uint8_t frameIndex = uvcFindFrameIndex(static_cast<uint32_t>(frameRate),
                                                 static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    if (frameIndex == 0) {
        LUMO_LOG("not found such resolution");
        return false;
    }
    LUMO_LOG("found %hhu", frameIndex);
    UvcProbeCommitBlock block =
        uvcProbeBlock(UvcFormatIndex, frameIndex, uvcFrameInterval(gSupportFrameIdx[frameIndex].frameRate));
    uvc_query_stream(camera, UvcSetCur, 0, UvcProbeControl, block.data(), UvcProbeCommitLength);
    uvc_query_stream(camera, UvcGetCur, 0, UvcProbeControl, block.data(), UvcProbeCommitLength);
    return uvc_query_stream(camera, UvcSetCur, 0, UvcCommitControl, block.data(), UvcProbeCommitLength) == 0;
}

bool uvc_get_resolution(LumoCamera *camera)
{
    UvcProbeCommitBlock block{};
    const uint8_t *b = block.data();
    uvc_query_stream(camera, UvcGetDef, 0, UvcProbeControl, block.data(), UvcProbeCommitLength);
    LUMO_LOG("AFTER GET 0x%02x, 0x%02x, 0x%02x, 0x%02x, 0x%02x, 0x%02x, 0x%02x, 0x%02x", b[0], b[1], b[2],
             b[3], b[4], b[5], b[6], b[7]);
    uvc_query_stream(camera, UvcGetCur, 0, UvcCommitControl, block.data(), 1);
    LUMO_LOG("AFTER GET VC_REQUEST_ERROR_CODE_CONTROL 0x%02x, 0x%02x, 0x%02x, 0x%02x, 0x%02x, "
             "0x%02x, 0x%02x, 0x%02x",
             b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    return true;
}

} // namespace

bool LumoCamera::setResolution(unsigned long frameRate, unsigned long width, unsigned long height)
{
    return uvc_set_resolution(this, frameRate, width, height);
}

bool LumoCamera::getResolution()
{
    return uvc_get_resolution(this);
}

// --- Brightness ---------------------------------------------------------------------------

uint16_t LumoCamera::brightness()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcBrightness, 0);
    LUMO_LOG("get brightness %d", value);
    return value;
}

bool LumoCamera::setBrightness(uint16_t value)
{
    LUMO_LOG("set brightness %d", value);
    if (!setValue(this, UvcBrightness, value)) {
        LUMO_LOG("set brightness false");
        return false;
    }
    return true;
}

uint16_t LumoCamera::brightnessMin()
{
    return cached(this, limits_.brightnessMin, UvcGetMin, UvcBrightness);
}

uint16_t LumoCamera::brightnessMax()
{
    return cached(this, limits_.brightnessMax, UvcGetMax, UvcBrightness);
}

uint16_t LumoCamera::brightnessDef()
{
    return cached(this, limits_.brightnessDef, UvcGetDef, UvcBrightness);
}

// --- Contrast -----------------------------------------------------------------------------

uint16_t LumoCamera::contrast()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcContrast, 0);
    LUMO_LOG("get contrast %d", value);
    return value;
}

bool LumoCamera::setContrast(uint16_t value)
{
    LUMO_LOG("set contrast %d", value);
    return setValue(this, UvcContrast, value);
}

uint16_t LumoCamera::contrastMin()
{
    return cached(this, limits_.contrastMin, UvcGetMin, UvcContrast);
}

uint16_t LumoCamera::contrastMax()
{
    return cached(this, limits_.contrastMax, UvcGetMax, UvcContrast);
}

uint16_t LumoCamera::contrastDef()
{
    return cached(this, limits_.contrastDef, UvcGetDef, UvcContrast);
}

// --- Hue (signed) -------------------------------------------------------------------------

int16_t LumoCamera::hue()
{
    const int16_t value = currentValue<int16_t>(this, UvcHue, 0);
    LUMO_LOG("get hue %d", value);
    return value;
}

bool LumoCamera::setHue(int16_t value)
{
    LUMO_LOG("set hue %d", value);
    return setValue(this, UvcHue, value);
}

int16_t LumoCamera::hueMin()
{
    return cachedHue(this, limits_.hueMin, UvcGetMin);
}

int16_t LumoCamera::hueMax()
{
    return cachedHue(this, limits_.hueMax, UvcGetMax);
}

int16_t LumoCamera::hueDef()
{
    return cachedHue(this, limits_.hueDef, UvcGetDef);
}

// --- Saturation ---------------------------------------------------------------------------

uint16_t LumoCamera::saturation()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcSaturation, 0);
    LUMO_LOG("get saturation %d", value);
    return value;
}

bool LumoCamera::setSaturation(uint16_t value)
{
    LUMO_LOG("set saturation %d", value);
    return setValue(this, UvcSaturation, value);
}

uint16_t LumoCamera::saturationMin()
{
    return cached(this, limits_.saturationMin, UvcGetMin, UvcSaturation);
}

uint16_t LumoCamera::saturationMax()
{
    return cached(this, limits_.saturationMax, UvcGetMax, UvcSaturation);
}

uint16_t LumoCamera::saturationDef()
{
    return cached(this, limits_.saturationDef, UvcGetDef, UvcSaturation);
}

// --- Sharpness ----------------------------------------------------------------------------

uint16_t LumoCamera::sharpness()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcSharpness, 0);
    LUMO_LOG("get sharpness %d", value);
    return value;
}

bool LumoCamera::setSharpness(uint16_t value)
{
    LUMO_LOG("set sharpness %d", value);
    return setValue(this, UvcSharpness, value);
}

uint16_t LumoCamera::sharpnessMin()
{
    return cached(this, limits_.sharpnessMin, UvcGetMin, UvcSharpness);
}

uint16_t LumoCamera::sharpnessMax()
{
    return cached(this, limits_.sharpnessMax, UvcGetMax, UvcSharpness);
}

uint16_t LumoCamera::sharpnessDef()
{
    return cached(this, limits_.sharpnessDef, UvcGetDef, UvcSharpness);
}

// --- Gamma --------------------------------------------------------------------------------

uint16_t LumoCamera::gamma()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcGamma, 0);
    LUMO_LOG("get gamma %d", value);
    return value;
}

bool LumoCamera::setGamma(uint16_t value)
{
    LUMO_LOG("set gamma %d", value);
    return setValue(this, UvcGamma, value);
}

uint16_t LumoCamera::gammaMin()
{
    return cached(this, limits_.gammaMin, UvcGetMin, UvcGamma);
}

uint16_t LumoCamera::gammaMax()
{
    return cached(this, limits_.gammaMax, UvcGetMax, UvcGamma);
}

uint16_t LumoCamera::gammaDef()
{
    return cached(this, limits_.gammaDef, UvcGetDef, UvcGamma);
}

// --- White balance ------------------------------------------------------------------------

uint16_t LumoCamera::whiteBalance()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcWhiteBalance, 0);
    LUMO_LOG("get whiteBalance %d", value);
    return value;
}

bool LumoCamera::setWhiteBalance(uint16_t value)
{
    LUMO_LOG("set whiteBalance %d", value);
    return setValue(this, UvcWhiteBalance, value);
}

uint16_t LumoCamera::whiteBalanceMin()
{
    return cached(this, limits_.whiteBalanceMin, UvcGetMin, UvcWhiteBalance);
}

uint16_t LumoCamera::whiteBalanceMax()
{
    return cached(this, limits_.whiteBalanceMax, UvcGetMax, UvcWhiteBalance);
}

bool LumoCamera::autoWhiteBalance()
{
    return currentValue<uint8_t>(this, UvcAutoWhiteBalance, 0) != 0;
}

bool LumoCamera::setAutoWhiteBalance(bool on)
{
    LUMO_LOG("set AutoWhiteBalance %d", on);
    return setValue(this, UvcAutoWhiteBalance, on ? 1 : 0);
}

// --- Power-line frequency -----------------------------------------------------------------

uint8_t LumoCamera::frequency()
{
    const uint8_t value = currentValue<uint8_t>(this, UvcPowerLineFrequency, 0);
    LUMO_LOG("get frequency %d", value);
    return value;
}

bool LumoCamera::setFrequency(uint8_t value)
{
    LUMO_LOG("set frequency %d", value);
    return setValue(this, UvcPowerLineFrequency, value);
}

// --- Exposure and iris --------------------------------------------------------------------

bool LumoCamera::autoExposure()
{
    return currentValue<uint8_t>(this, UvcAutoExposure, 0) != UvcAutoExposureAperturePriority;
}

bool LumoCamera::setAutoExposure(bool on)
{
    return setValue(this, UvcAutoExposure, on ? UvcAutoExposureAuto : UvcAutoExposureAperturePriority);
}

uint16_t LumoCamera::iris()
{
    const uint16_t value = currentValue<uint16_t>(this, UvcIris, 0xFFFF);
    LUMO_LOG("get iris %d", value);
    return value;
}

bool LumoCamera::setIris(uint16_t value)
{
    // The camera sets the iris itself in automatic mode; a failed read counts as automatic.
    if (autoExposure()) {
        LUMO_LOG("setting exposure in auto Exposure mode! please disable autoExposure firstly");
        return false;
    }
    LUMO_LOG("set iris %d", value);
    return setValue(this, UvcIris, value);
}

uint16_t LumoCamera::irisMin()
{
    return cached(this, limits_.irisMin, UvcGetMin, UvcIris);
}

uint16_t LumoCamera::irisMax()
{
    return cached(this, limits_.irisMax, UvcGetMax, UvcIris);
}
