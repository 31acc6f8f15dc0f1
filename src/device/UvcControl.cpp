#include "UvcControl.h"

#include "LumoCamera.h"
#include "UsbControlChannel.h"
#include "core/LumoLog.h"

#include <QtEndian>

const std::array<UvcControlInfo, UvcControlCount> gVelmarControls = {{
    {UvcPuBrightness, UvcProcessingUnit, 2},
    {UvcPuContrast, UvcProcessingUnit, 2},
    {UvcPuHue, UvcProcessingUnit, 2},
    {UvcPuSaturation, UvcProcessingUnit, 2},
    {UvcPuSharpness, UvcProcessingUnit, 2},
    {UvcPuGamma, UvcProcessingUnit, 2},
    {UvcPuWhiteBalanceTemperature, UvcProcessingUnit, 2},
    {UvcPuWhiteBalanceTemperatureAuto, UvcProcessingUnit, 1},
    {UvcPuPowerLineFrequency, UvcProcessingUnit, 1},
    {UvcPuBacklightCompensation, UvcProcessingUnit, 2},
    {UvcCtAutoExposureMode, UvcProcessingUnit, 1},
    {UvcCtIrisAbsolute, UvcProcessingUnit, 2},
}};

const std::array<UvcFrameSize, UvcFrameIndexCount> gSupportFrameIdx = {{
    {0, 0, 0},
    {640, 480, 30},
    {160, 120, 30},
    {176, 144, 30},
    {320, 240, 30},
    {352, 288, 30},
    {800, 600, 15},
    {1024, 768, 15},
    {1280, 960, 15},
    {1280, 1024, 15},
    {1600, 1200, 15},
    {640, 480, 30},
}};

namespace {

UsbControlChannel::Request frame(uint8_t request, uint16_t wValue, uint16_t wIndex, void *data,
                                 uint16_t length)
{
    UsbControlChannel::Request block;
    block.bmRequestType = (request & 0x80) | 0x21; // class request to an interface
    block.bRequest = request;
    block.wValue = wValue;
    block.wIndex = wIndex;
    block.wLength = length;
    block.data = data;
    block.timeoutMs = UvcRequestTimeoutMs;
    return block;
}

} // namespace

UvcProbeCommitBlock uvcProbeBlock(uint8_t formatIndex, uint8_t frameIndex, uint32_t frameInterval)
{
    UvcProbeCommitBlock block{};
    block[UvcProbeFormatIndexOffset] = formatIndex;
    block[UvcProbeFrameIndexOffset] = frameIndex;
    uvcSetProbeFrameInterval(block.data(), frameInterval);
    return block;
}

uint8_t uvcProbeFrameIndex(const uint8_t *block)
{
    return block[UvcProbeFrameIndexOffset];
}

uint32_t uvcProbeFrameInterval(const uint8_t *block)
{
    return qFromLittleEndian<quint32>(block + UvcProbeFrameIntervalOffset);
}

void uvcSetProbeFrameIndex(uint8_t *block, uint8_t frameIndex)
{
    block[UvcProbeFrameIndexOffset] = frameIndex;
}

void uvcSetProbeFrameInterval(uint8_t *block, uint32_t frameInterval)
{
    qToLittleEndian<quint32>(frameInterval, block + UvcProbeFrameIntervalOffset);
}

uint8_t uvcFindFrameIndex(uint32_t frameRate, uint32_t width, uint32_t height)
{
    for (int row = 1; row < UvcFrameIndexCount; ++row) {
        const UvcFrameSize &frame = gSupportFrameIdx[row];
        if (frame.width == width && frame.height == height && frame.frameRate == frameRate)
            return static_cast<uint8_t>(row);
    }
    return 0;
}

int uvc_control_cmd(LumoCamera *camera, uint8_t request, int index, void *data)
{
    if (index < 0 || index >= UvcControlCount)
        return -1;
    const UvcControlInfo &control = gVelmarControls[index];
    return uvc_query_ctrl(camera, request, control.entity, static_cast<uint8_t>(camera->streamControlIntf()),
                          control.selector, data, control.length);
}

// Logs the request header, sends it, and turns the channel's answer into 0 or -1.
static int sendLogged(UsbControlChannel *channel, const UsbControlChannel::Request &block)
{
    LUMO_LOG("bmRequestType = 0x%02x, bRequest=0x%02x, wValue=0x%04x, wIndex=0x%04x, wLength=0x%04x",
             unsigned(block.bmRequestType), unsigned(block.bRequest), unsigned(block.wValue),
             unsigned(block.wIndex), unsigned(block.wLength));
    const int result = channel->send(block);
    if (result != 0) {
        LUMO_LOG("ControlRequestTO failed: %d", result);
        return -1;
    }
    return 0;
}

int uvc_query_ctrl(LumoCamera *camera, uint8_t request, uint8_t unit, uint8_t intfnum, uint8_t cs, void *data,
                   uint16_t size)
{
    UsbControlChannel *channel = camera->streamControlInterface();
    if (!channel) {
        LUMO_LOG("gHardwareInfo.streamControlInterface not initialized, please waiting");
        return -1;
    }
    LUMO_LOG("idx(unit) = 0x%02x, intfnum=0, cs(value)=0x%02x, size=0x%04x", unsigned(unit), unsigned(cs),
             unsigned(size));
    const UsbControlChannel::Request block = frame(request, static_cast<uint16_t>(cs << 8),
                                                   static_cast<uint16_t>((unit << 8) | intfnum), data, size);
    return sendLogged(channel, block);
}

int uvc_query_stream(LumoCamera *camera, uint8_t request, uint8_t entity, uint8_t selector, void *data,
                     uint16_t length)
{
    // The streaming interface's requests go through the video-control interface's channel.
    UsbControlChannel *channel = camera->streamControlInterface();
    if (!channel) {
        LUMO_LOG("gHardwareInfo.streamControlInterface not initialized, please waiting");
        return -1;
    }
    const UsbControlChannel::Request block =
        frame(request, static_cast<uint16_t>(selector << 8),
              static_cast<uint16_t>((entity << 8) | UvcStreamingInterface), data, length);
    return sendLogged(channel, block);
}

int32_t uvcDecodeValue(const uint8_t *data, uint16_t length, bool isSigned)
{
    if (length == 1)
        return isSigned ? int32_t(int8_t(data[0])) : int32_t(data[0]);
    return isSigned ? int32_t(qFromLittleEndian<qint16>(data)) : int32_t(qFromLittleEndian<quint16>(data));
}

void uvcEncodeValue(int32_t value, uint8_t *data, uint16_t length)
{
    if (length == 1)
        data[0] = uint8_t(value);
    else
        qToLittleEndian<quint16>(quint16(value), data);
}

bool uvcIsWellFormedRequest(const UsbControlChannel::Request &request)
{
    constexpr uint8_t ClassInterfaceOut = 0x21;
    constexpr uint8_t DirectionIn = 0x80;
    return (request.bmRequestType & ~DirectionIn) == ClassInterfaceOut
           && (request.bmRequestType & DirectionIn) == (request.bRequest & DirectionIn)
           && (request.wValue & 0xFF) == 0 && (!request.wLength || request.data);
}
