#pragma once

#include "UsbControlChannel.h"

#include <array>
#include <cstdint>

class LumoCamera;

// UVC class requests on the camera's video-control interface, and the probe and commit controls
// of its video-streaming interface. Every image adjustment made over USB video is one request
// framed here and sent through the camera's UsbControlChannel.
//
// Thread: the calling thread (the main thread for image controls); no lock is taken, each call
// blocks for at most the request's 100 ms time-out.

// Request codes (named apart from the kernel's UVC_* macros, which a file may also include).
enum : uint8_t {
    UvcSetCur = 0x01,
    UvcGetCur = 0x81,
    UvcGetMin = 0x82,
    UvcGetMax = 0x83,
    UvcGetDef = 0x87,
};

// Time-out of every request, in milliseconds.
constexpr uint32_t UvcRequestTimeoutMs = 100;

// Unit and selectors of the processing unit as the application addresses them.
constexpr uint8_t UvcProcessingUnit = 3;
enum : uint8_t {
    UvcPuBacklightCompensation = 0x01,
    UvcPuBrightness = 0x02,
    UvcPuContrast = 0x03,
    UvcPuGain = 0x04,
    UvcPuPowerLineFrequency = 0x05,
    UvcPuHue = 0x06,
    UvcPuSaturation = 0x07,
    UvcPuSharpness = 0x08,
    UvcPuGamma = 0x09,
    UvcPuWhiteBalanceTemperature = 0x0A,
    UvcPuWhiteBalanceTemperatureAuto = 0x0B,
};
// Camera-terminal selector values that rows 10 and 11 carry (sent to the processing unit).
enum : uint8_t {
    UvcCtAutoExposureMode = 0x02,
    UvcCtFocusAuto = 0x08,
    UvcCtIrisAbsolute = 0x09,
};
// Auto-exposure mode values.
enum : uint8_t {
    UvcAutoExposureManual = 1,
    UvcAutoExposureAuto = 2,
    UvcAutoExposureShutterPriority = 4,
    UvcAutoExposureAperturePriority = 8,
};

// One control the application uses: selector (high byte of wValue), unit (high byte of wIndex)
// and the length of its value in bytes (wLength).
struct UvcControlInfo {
    uint8_t selector;
    uint8_t entity;
    uint16_t length;
};

// Rows of gVelmarControls, as the image-control methods of LumoCamera address them.
enum UvcControlIndex : int {
    UvcBrightness = 0,
    UvcContrast = 1,
    UvcHue = 2,
    UvcSaturation = 3,
    UvcSharpness = 4,
    UvcGamma = 5,
    UvcWhiteBalance = 6,
    UvcAutoWhiteBalance = 7,
    UvcPowerLineFrequency = 8,
    UvcBacklightCompensation = 9,
    UvcAutoExposure = 10,
    UvcIris = 11,
    UvcControlCount = 12,
};

// Every row addresses unit 3, the processing unit. Rows 10 and 11 carry the camera terminal's
// selector values for auto-exposure mode and absolute iris but go to unit 3 like the others, so
// row 11 frames exactly the request of row 5 (gamma).
extern const std::array<UvcControlInfo, UvcControlCount> gVelmarControls;

// Frame sizes and rates the cameras offer, addressed by frame index. Row 0 is empty and never
// matched; rows 1 to 11 are searched in order, so 640x480 at 30 always resolves to row 1.
struct UvcFrameSize {
    uint32_t width;
    uint32_t height;
    uint32_t frameRate; // frames per second
};
constexpr int UvcFrameIndexCount = 12;
extern const std::array<UvcFrameSize, UvcFrameIndexCount> gSupportFrameIdx;

// Video-streaming interface controls and their block (the 34-byte layout of UVC 1.1).
enum : uint8_t {
    UvcProbeControl = 0x01,
    UvcCommitControl = 0x02,
};
constexpr uint16_t UvcStreamingInterface = 1;
constexpr uint16_t UvcProbeCommitLength = 34;
using UvcProbeCommitBlock = std::array<uint8_t, UvcProbeCommitLength>;

// Byte offsets inside the probe and commit block (little-endian fields).
enum : int {
    UvcProbeHintOffset = 0,
    UvcProbeFormatIndexOffset = 2,
    UvcProbeFrameIndexOffset = 3,
    UvcProbeFrameIntervalOffset = 4,
};

// The format index the application always asks for.
constexpr uint8_t UvcFormatIndex = 2;

// A zeroed block with only bFormatIndex, bFrameIndex and dwFrameInterval (100 ns units) set.
// Whether `request` is a class request to an interface whose direction matches its request code,
// with a zero low byte in wValue and a buffer for its data: the only requests a camera answers.
bool uvcIsWellFormedRequest(const UsbControlChannel::Request &request);

// A control value in a request's data, little-endian in `length` bytes (1 or 2); signed
// controls (hue) are sign-extended when read.
int32_t uvcDecodeValue(const uint8_t *data, uint16_t length, bool isSigned);
void uvcEncodeValue(int32_t value, uint8_t *data, uint16_t length);

UvcProbeCommitBlock uvcProbeBlock(uint8_t formatIndex, uint8_t frameIndex, uint32_t frameInterval);
uint8_t uvcProbeFrameIndex(const uint8_t *block);
uint32_t uvcProbeFrameInterval(const uint8_t *block);
void uvcSetProbeFrameIndex(uint8_t *block, uint8_t frameIndex);
void uvcSetProbeFrameInterval(uint8_t *block, uint32_t frameInterval);

// The frame interval of a frame rate in 100 ns units (integer division: 333333 for 30).
constexpr uint32_t uvcFrameInterval(uint32_t frameRate)
{
    return frameRate ? 10000000u / frameRate : 0;
}

// The first row of gSupportFrameIdx (1..11) with exactly this size and rate, 0 when none.
uint8_t uvcFindFrameIndex(uint32_t frameRate, uint32_t width, uint32_t height);

// Sends `request` for row `index` of gVelmarControls. `data` holds the row's length in bytes:
// read for UvcSetCur, filled for the GET requests. 0 on success, -1 on any failure (no channel,
// refused, timed out, unknown row).
int uvc_control_cmd(LumoCamera *camera, uint8_t request, int index, void *data);

// Frames and sends one request on the video-control interface `intfnum`.
int uvc_query_ctrl(LumoCamera *camera, uint8_t request, uint8_t unit, uint8_t intfnum, uint8_t cs, void *data,
                   uint16_t size);

// A request on the video-streaming interface's controls (wIndex low byte 1): selector 1 probe,
// 2 commit. It travels on the same channel as the video-control requests. 0 or -1.
int uvc_query_stream(LumoCamera *camera, uint8_t request, uint8_t entity, uint8_t selector, void *data,
                     uint16_t length);
