#include "core/LumoLog.h"
#include "device/DeviceBackend.h"
#include "device/LumoCamera.h"
#include "device/UvcControl.h"
#include "device/virtual/VirtualCamera.h"
#include "device/virtual/VirtualCameraHub.h"
#include "device/virtual/VirtualUvcChannel.h"
#include "device/virtual/VirtualUvcModel.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

namespace {

// One request as it reached the channel, with the bytes of a SET request.
struct Sent {
    uint8_t bmRequestType;
    uint8_t bRequest;
    uint16_t wValue;
    uint16_t wIndex;
    uint16_t wLength;
    uint32_t timeoutMs;
    QByteArray data;
};

// A camera on the other side of the channel: records every request and answers GET requests
// from a table keyed by (bRequest, wValue, wIndex); SET requests get `setResult`.
struct FakeCamera {
    std::vector<Sent> sent;
    std::map<std::tuple<uint8_t, uint16_t, uint16_t>, QByteArray> answers;
    int setResult = UsbControlChannel::Ok;
    std::map<uint16_t, int> setResultByValue; // by wValue, before setResult
    int missingAnswer = UsbControlChannel::Refused;

    void answer(uint8_t request, uint16_t wValue, uint16_t wIndex, const QByteArray &bytes)
    {
        answers[{request, wValue, wIndex}] = bytes;
    }
    void answer16(uint8_t request, int row, int value)
    {
        QByteArray bytes(2, '\0');
        qToLittleEndian<quint16>(quint16(value), bytes.data());
        answer(request, uint16_t(gVelmarControls[row].selector << 8), 0x0300, bytes);
    }
    void answer8(uint8_t request, int row, int value)
    {
        answer(request, uint16_t(gVelmarControls[row].selector << 8), 0x0300,
               QByteArray(1, char(value)));
    }
};

class RecordingChannel : public UsbControlChannel {
public:
    explicit RecordingChannel(std::shared_ptr<FakeCamera> camera)
        : camera_(std::move(camera))
    {
    }

    int send(const Request &r) override
    {
        const bool in = r.bRequest & 0x80;
        camera_->sent.push_back({r.bmRequestType, r.bRequest, r.wValue, r.wIndex, r.wLength,
                                 r.timeoutMs,
                                 in ? QByteArray() : QByteArray(static_cast<const char *>(r.data), r.wLength)});
        if (!in) {
            const auto it = camera_->setResultByValue.find(r.wValue);
            return it != camera_->setResultByValue.end() ? it->second : camera_->setResult;
        }
        const auto it = camera_->answers.find({r.bRequest, r.wValue, r.wIndex});
        if (it == camera_->answers.end())
            return camera_->missingAnswer;
        std::memcpy(r.data, it->second.constData(), std::min<size_t>(r.wLength, it->second.size()));
        return Ok;
    }

private:
    std::shared_ptr<FakeCamera> camera_;
};

// Hands a given video-control channel to the camera that sets itself up.
class ChannelBackend : public DeviceBackend {
public:
    explicit ChannelBackend(std::unique_ptr<UsbControlChannel> channel)
        : channel_(std::move(channel))
    {
    }
    bool startMonitoring(Callbacks) override { return false; }
    std::vector<DeviceInfo> presentDevices() override { return {}; }
    std::unique_ptr<HidChannel> openHid(const DeviceInfo &) override { return nullptr; }
    std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &) override
    {
        return std::move(channel_);
    }

private:
    std::unique_ptr<UsbControlChannel> channel_;
};

void attach(LumoCamera &camera, std::unique_ptr<UsbControlChannel> channel)
{
    ChannelBackend backend(std::move(channel));
    ASSERT_TRUE(camera.setupImageControl(backend));
}

QByteArray bytes(std::initializer_list<uint8_t> list)
{
    QByteArray b;
    for (uint8_t v : list)
        b.append(char(v));
    return b;
}

QByteArray probeBlock(uint8_t frameIndex, uint32_t interval)
{
    const UvcProbeCommitBlock block = uvcProbeBlock(2, frameIndex, interval);
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

// A camera with a recording channel; the limit cache starts empty for every test.
class UvcControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumoCamera::resetImageControlCache();
        attach(camera, std::make_unique<RecordingChannel>(fake));
    }
    void TearDown() override { LumoCamera::resetImageControlCache(); }

    std::shared_ptr<FakeCamera> fake = std::make_shared<FakeCamera>();
    LumoCamera camera;
};

// --- Framing -----------------------------------------------------------------------------

struct FramingCase {
    const char *name;
    std::function<void(LumoCamera &)> call;
    Sent expected; // timeoutMs is always 100
};

void PrintTo(const FramingCase &c, std::ostream *os)
{
    *os << c.name;
}

class FramingTest : public UvcControlTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(FramingTest, SendsTheRequestOfItsRow)
{
    GetParam().call(camera);
    ASSERT_EQ(fake->sent.size(), 1u);
    const Sent &s = fake->sent[0];
    const Sent &e = GetParam().expected;
    EXPECT_EQ(s.bmRequestType, e.bmRequestType);
    EXPECT_EQ(s.bRequest, e.bRequest);
    EXPECT_EQ(s.wValue, e.wValue);
    EXPECT_EQ(s.wIndex, e.wIndex);
    EXPECT_EQ(s.wLength, e.wLength);
    EXPECT_EQ(s.timeoutMs, 100u);
    EXPECT_EQ(s.data.toHex(' '), e.data.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    ImageControls, FramingTest,
    ::testing::Values(
        FramingCase{"brightness", [](LumoCamera &c) { c.brightness(); }, {0xA1, 0x81, 0x0200, 0x0300, 2, 0, {}}},
        FramingCase{"setBrightness", [](LumoCamera &c) { c.setBrightness(0x1234); }, {0x21, 0x01, 0x0200, 0x0300, 2, 0, bytes({0x34, 0x12})}},
        FramingCase{"brightnessMin", [](LumoCamera &c) { c.brightnessMin(); }, {0xA1, 0x82, 0x0200, 0x0300, 2, 0, {}}},
        FramingCase{"brightnessMax", [](LumoCamera &c) { c.brightnessMax(); }, {0xA1, 0x83, 0x0200, 0x0300, 2, 0, {}}},
        FramingCase{"brightnessDef", [](LumoCamera &c) { c.brightnessDef(); }, {0xA1, 0x87, 0x0200, 0x0300, 2, 0, {}}},
        FramingCase{"setContrast", [](LumoCamera &c) { c.setContrast(300); }, {0x21, 0x01, 0x0300, 0x0300, 2, 0, bytes({0x2C, 0x01})}},
        FramingCase{"contrastDef", [](LumoCamera &c) { c.contrastDef(); }, {0xA1, 0x87, 0x0300, 0x0300, 2, 0, {}}},
        FramingCase{"setHue", [](LumoCamera &c) { c.setHue(-10); }, {0x21, 0x01, 0x0600, 0x0300, 2, 0, bytes({0xF6, 0xFF})}},
        FramingCase{"hueMin", [](LumoCamera &c) { c.hueMin(); }, {0xA1, 0x82, 0x0600, 0x0300, 2, 0, {}}},
        FramingCase{"saturation", [](LumoCamera &c) { c.saturation(); }, {0xA1, 0x81, 0x0700, 0x0300, 2, 0, {}}},
        FramingCase{"setSharpness", [](LumoCamera &c) { c.setSharpness(7); }, {0x21, 0x01, 0x0800, 0x0300, 2, 0, bytes({0x07, 0x00})}},
        FramingCase{"gammaMax", [](LumoCamera &c) { c.gammaMax(); }, {0xA1, 0x83, 0x0900, 0x0300, 2, 0, {}}},
        FramingCase{"setWhiteBalance", [](LumoCamera &c) { c.setWhiteBalance(4600); }, {0x21, 0x01, 0x0A00, 0x0300, 2, 0, bytes({0xF8, 0x11})}},
        FramingCase{"whiteBalanceMin", [](LumoCamera &c) { c.whiteBalanceMin(); }, {0xA1, 0x82, 0x0A00, 0x0300, 2, 0, {}}},
        FramingCase{"setAutoWhiteBalance", [](LumoCamera &c) { c.setAutoWhiteBalance(true); }, {0x21, 0x01, 0x0B00, 0x0300, 1, 0, bytes({0x01})}},
        FramingCase{"autoWhiteBalance", [](LumoCamera &c) { c.autoWhiteBalance(); }, {0xA1, 0x81, 0x0B00, 0x0300, 1, 0, {}}},
        FramingCase{"setFrequency", [](LumoCamera &c) { c.setFrequency(2); }, {0x21, 0x01, 0x0500, 0x0300, 1, 0, bytes({0x02})}},
        FramingCase{"setAutoExposureNo", [](LumoCamera &c) { c.setAutoExposure(false); }, {0x21, 0x01, 0x0200, 0x0300, 1, 0, bytes({0x08})}},
        FramingCase{"setAutoExposureYes", [](LumoCamera &c) { c.setAutoExposure(true); }, {0x21, 0x01, 0x0200, 0x0300, 1, 0, bytes({0x02})}},
        FramingCase{"autoExposure", [](LumoCamera &c) { c.autoExposure(); }, {0xA1, 0x81, 0x0200, 0x0300, 1, 0, {}}},
        FramingCase{"irisMax", [](LumoCamera &c) { c.irisMax(); }, {0xA1, 0x83, 0x0900, 0x0300, 2, 0, {}}}),
    [](const ::testing::TestParamInfo<FramingCase> &info) { return std::string(info.param.name); });

TEST_F(UvcControlTest, GetOfRowZeroAndSetOfRowEightAreFramedForInterfaceZero)
{
    uint8_t value[2] = {};
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, 0, value), -1); // nothing answers it
    uint8_t frequency = 1;
    EXPECT_EQ(uvc_control_cmd(&camera, UvcSetCur, 8, &frequency), 0);
    ASSERT_EQ(fake->sent.size(), 2u);
    EXPECT_EQ(fake->sent[0].bmRequestType, 0xA1);
    EXPECT_EQ(fake->sent[0].wValue, 0x0200);
    EXPECT_EQ(fake->sent[0].wIndex, 0x0300);
    EXPECT_EQ(fake->sent[0].wLength, 2);
    EXPECT_EQ(fake->sent[1].bmRequestType, 0x21);
    EXPECT_EQ(fake->sent[1].wValue, 0x0500);
    EXPECT_EQ(fake->sent[1].wIndex, 0x0300);
    EXPECT_EQ(fake->sent[1].wLength, 1);
}

TEST_F(UvcControlTest, GammaAndIrisRowsSendTheSameRequest)
{
    fake->answer16(UvcGetCur, UvcGamma, 180);
    EXPECT_EQ(camera.gamma(), 180);
    EXPECT_EQ(camera.iris(), 180);
    for (uint8_t request : {UvcGetMin, UvcGetMax, UvcSetCur}) {
        uint8_t a[2] = {1, 2}, b[2] = {1, 2};
        uvc_control_cmd(&camera, request, UvcGamma, a);
        uvc_control_cmd(&camera, request, UvcIris, b);
    }
    ASSERT_EQ(fake->sent.size(), 8u);
    for (size_t i = 0; i < fake->sent.size(); i += 2) {
        const Sent &g = fake->sent[i], &r = fake->sent[i + 1];
        EXPECT_EQ(std::tie(g.bmRequestType, g.bRequest, g.wValue, g.wIndex, g.wLength, g.data),
                  std::tie(r.bmRequestType, r.bRequest, r.wValue, r.wIndex, r.wLength, r.data));
    }
}

TEST_F(UvcControlTest, UnknownRowSendsNothing)
{
    uint8_t buffer[2] = {};
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, UvcControlCount, buffer), -1);
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, -1, buffer), -1);
    EXPECT_TRUE(fake->sent.empty());
}

// --- Values and failures -----------------------------------------------------------------

TEST_F(UvcControlTest, GettersDecodeLittleEndianValues)
{
    fake->answer16(UvcGetCur, UvcBrightness, 0x0123);
    fake->answer(UvcGetCur, 0x0600, 0x0300, bytes({0xFB, 0xFF}));
    fake->answer16(UvcGetCur, UvcWhiteBalance, 6500);
    fake->answer8(UvcGetCur, UvcPowerLineFrequency, 2);
    fake->answer8(UvcGetCur, UvcAutoWhiteBalance, 1);
    EXPECT_EQ(camera.brightness(), 0x0123);
    EXPECT_EQ(camera.hue(), -5);
    EXPECT_EQ(camera.whiteBalance(), 6500);
    EXPECT_EQ(camera.frequency(), 2);
    EXPECT_TRUE(camera.autoWhiteBalance());
}

TEST_F(UvcControlTest, FailedReadsGiveTheStartingValue)
{
    fake->missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_EQ(camera.brightness(), 0);
    EXPECT_EQ(camera.contrast(), 0);
    EXPECT_EQ(camera.hue(), 0);
    EXPECT_EQ(camera.frequency(), 0);
    EXPECT_FALSE(camera.autoWhiteBalance());
    EXPECT_EQ(camera.iris(), 65535);
    EXPECT_EQ(fake->sent.size(), 6u);
}

TEST_F(UvcControlTest, SettersReportTheCamerasAnswer)
{
    EXPECT_TRUE(camera.setContrast(10));
    fake->setResult = UsbControlChannel::Refused;
    EXPECT_FALSE(camera.setContrast(10));
    EXPECT_FALSE(camera.setHue(3));
    fake->setResult = UsbControlChannel::NotResponding;
    EXPECT_FALSE(camera.setFrequency(1));
}

struct AutoExposureCase {
    std::optional<int> mode; // none: the read fails
    bool automatic;
};

class AutoExposureTest : public UvcControlTest, public ::testing::WithParamInterface<AutoExposureCase> {};

TEST_P(AutoExposureTest, OnlyAperturePriorityIsManual)
{
    if (GetParam().mode)
        fake->answer8(UvcGetCur, UvcAutoExposure, *GetParam().mode);
    EXPECT_EQ(camera.autoExposure(), GetParam().automatic);
}

INSTANTIATE_TEST_SUITE_P(Modes, AutoExposureTest,
                         ::testing::Values(AutoExposureCase{8, false}, AutoExposureCase{2, true},
                                           AutoExposureCase{1, true}, AutoExposureCase{4, true},
                                           AutoExposureCase{std::nullopt, true}));

TEST_F(UvcControlTest, IrisIsRefusedInAutomaticExposureWithoutSendingIt)
{
    fake->answer8(UvcGetCur, UvcAutoExposure, 2);
    EXPECT_FALSE(camera.setIris(100));
    ASSERT_EQ(fake->sent.size(), 1u);
    EXPECT_EQ(fake->sent[0].bRequest, UvcGetCur);
}

TEST_F(UvcControlTest, IrisIsRefusedWhenTheExposureModeCannotBeRead)
{
    EXPECT_FALSE(camera.setIris(100));
    ASSERT_EQ(fake->sent.size(), 1u);
    EXPECT_EQ(fake->sent[0].bRequest, UvcGetCur);
}

TEST_F(UvcControlTest, IrisIsSentInAperturePriority)
{
    fake->answer8(UvcGetCur, UvcAutoExposure, 8);
    EXPECT_TRUE(camera.setIris(0x0203));
    ASSERT_EQ(fake->sent.size(), 2u);
    EXPECT_EQ(fake->sent[1].bRequest, UvcSetCur);
    EXPECT_EQ(fake->sent[1].wValue, 0x0900);
    EXPECT_EQ(fake->sent[1].data, bytes({0x03, 0x02}));
}

// Captures the diagnostics of `action` (logging is on meanwhile).
std::string logOf(const std::function<void()> &action)
{
    LumoLog::setEnabled(true);
    ::testing::internal::CaptureStderr();
    action();
    const std::string log = ::testing::internal::GetCapturedStderr();
    LumoLog::setEnabled(false);
    return log;
}

TEST_F(UvcControlTest, OnlyBrightnessLogsAFailedSet)
{
    fake->setResult = UsbControlChannel::Refused;
    const std::string brightness = logOf([&] { camera.setBrightness(5); });
    EXPECT_NE(brightness.find("set brightness 5\n"), std::string::npos);
    EXPECT_NE(brightness.find("set brightness false\n"), std::string::npos);
    EXPECT_NE(brightness.find("ControlRequestTO failed"), std::string::npos);
    const std::string contrast = logOf([&] { camera.setContrast(5); });
    EXPECT_NE(contrast.find("set contrast 5\n"), std::string::npos);
    EXPECT_EQ(contrast.find("false"), std::string::npos);
}

TEST_F(UvcControlTest, RefusedIrisExplainsWhy)
{
    fake->answer8(UvcGetCur, UvcAutoExposure, 2);
    const std::string log = logOf([&] { camera.setIris(1); });
    EXPECT_NE(log.find("setting exposure in auto Exposure mode! please disable autoExposure firstly"),
              std::string::npos);
    EXPECT_EQ(log.find("set iris"), std::string::npos);
}

// --- Cached limits and defaults -----------------------------------------------------------

TEST_F(UvcControlTest, DefaultIsAskedOnceForEveryCamera)
{
    fake->answer16(UvcGetDef, UvcBrightness, 128);
    EXPECT_EQ(camera.brightnessDef(), 128);
    EXPECT_EQ(camera.brightnessDef(), 128);
    EXPECT_EQ(fake->sent.size(), 1u);

    auto other = std::make_shared<FakeCamera>();
    LumoCamera second;
    attach(second, std::make_unique<RecordingChannel>(other));
    EXPECT_EQ(second.brightnessDef(), 128);
    EXPECT_TRUE(other->sent.empty());
}

TEST_F(UvcControlTest, UnansweredLimitIsTheMarkerAndAskedAgain)
{
    fake->missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_EQ(camera.brightnessMin(), 65244);
    EXPECT_EQ(camera.brightnessMin(), 65244);
    EXPECT_EQ(fake->sent.size(), 2u);

    fake->answer16(UvcGetMin, UvcBrightness, 16);
    EXPECT_EQ(camera.brightnessMin(), 16);
    EXPECT_EQ(camera.brightnessMin(), 16);
    EXPECT_EQ(fake->sent.size(), 3u);
}

TEST_F(UvcControlTest, SignedHueLimitIsCached)
{
    fake->answer16(UvcGetMin, UvcHue, -10);
    EXPECT_EQ(camera.hueMin(), -10);
    EXPECT_EQ(camera.hueMin(), -10);
    EXPECT_EQ(fake->sent.size(), 1u);
}

TEST_F(UvcControlTest, HueLimitEqualToItsMarkerIsAskedEveryTime)
{
    fake->answer16(UvcGetMax, UvcHue, 253);
    EXPECT_EQ(camera.hueMax(), 253);
    EXPECT_EQ(camera.hueMax(), 253);
    EXPECT_EQ(fake->sent.size(), 2u);
    fake->missingAnswer = UsbControlChannel::Refused;
    EXPECT_EQ(camera.hueDef(), 253); // the hue marker, not 65244
}

TEST_F(UvcControlTest, EachLimitHasItsOwnCell)
{
    fake->answer16(UvcGetMin, UvcGamma, 100);
    fake->answer16(UvcGetMax, UvcGamma, 300);
    EXPECT_EQ(camera.gammaMin(), 100);
    EXPECT_EQ(camera.gammaMax(), 300);
    // Iris limits travel as the gamma ones but are cached apart.
    EXPECT_EQ(camera.irisMin(), 100);
    EXPECT_EQ(fake->sent.size(), 3u);
    EXPECT_EQ(camera.sharpnessMin(), 65244);
}

// --- No channel ---------------------------------------------------------------------------

TEST(UvcNoChannel, EveryOperationFailsAtOnce)
{
    LumoCamera::resetImageControlCache();
    LumoCamera camera;
    uint8_t buffer[34] = {7, 7};
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, UvcBrightness, buffer), -1);
    EXPECT_EQ(buffer[0], 7) << "the caller's buffer is left alone";
    EXPECT_EQ(uvc_query_stream(&camera, UvcGetCur, 0, UvcProbeControl, buffer, 34), -1);
    EXPECT_EQ(camera.contrast(), 0);
    EXPECT_EQ(camera.iris(), 65535);
    EXPECT_FALSE(camera.setBrightness(1));
    EXPECT_EQ(camera.brightnessMin(), 65244);
    EXPECT_EQ(camera.hueDef(), 253);
    EXPECT_FALSE(camera.setResolution(30, 640, 480));
    EXPECT_TRUE(camera.getResolution());
}

TEST_F(UvcControlTest, DetachedCameraSendsNothing)
{
    camera.prepareToDetatch();
    EXPECT_EQ(camera.contrast(), 0);
    EXPECT_FALSE(camera.setContrast(1));
    EXPECT_TRUE(fake->sent.empty());
}

// --- Resolution ---------------------------------------------------------------------------

struct ResolutionCase {
    unsigned long rate, width, height;
    uint8_t frameIndex; // 0: no row
    uint32_t interval;
};

void PrintTo(const ResolutionCase &c, std::ostream *os)
{
    *os << c.width << "x" << c.height << "@" << c.rate;
}

class ResolutionTest : public UvcControlTest, public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(ResolutionTest, ProbesReadsBackAndCommitsTheRow)
{
    const ResolutionCase &c = GetParam();
    fake->answer(UvcGetCur, 0x0100, 0x0001, probeBlock(c.frameIndex, c.interval));
    const bool found = c.frameIndex != 0;
    EXPECT_EQ(camera.setResolution(c.rate, c.width, c.height), found);
    if (!found) {
        EXPECT_TRUE(fake->sent.empty());
        return;
    }
    ASSERT_EQ(fake->sent.size(), 3u);
    const Sent &probe = fake->sent[0], &read = fake->sent[1], &commit = fake->sent[2];
    EXPECT_EQ(std::tie(probe.bmRequestType, probe.bRequest, probe.wValue, probe.wIndex, probe.wLength),
              std::make_tuple(uint8_t(0x21), uint8_t(0x01), uint16_t(0x0100), uint16_t(0x0001), uint16_t(34)));
    EXPECT_EQ(probe.data.toHex(' '), probeBlock(c.frameIndex, c.interval).toHex(' '));
    EXPECT_EQ(std::tie(read.bmRequestType, read.bRequest, read.wValue, read.wIndex, read.wLength),
              std::make_tuple(uint8_t(0xA1), uint8_t(0x81), uint16_t(0x0100), uint16_t(0x0001), uint16_t(34)));
    EXPECT_EQ(std::tie(commit.bmRequestType, commit.bRequest, commit.wValue, commit.wIndex, commit.wLength),
              std::make_tuple(uint8_t(0x21), uint8_t(0x01), uint16_t(0x0200), uint16_t(0x0001), uint16_t(34)));
}

INSTANTIATE_TEST_SUITE_P(
    FrameTable, ResolutionTest,
    ::testing::Values(ResolutionCase{30, 640, 480, 1, 333333}, ResolutionCase{15, 640, 480, 0, 0},
                      ResolutionCase{30, 352, 288, 5, 333333}, ResolutionCase{15, 1280, 960, 8, 666666},
                      ResolutionCase{15, 1600, 1200, 10, 666666}, ResolutionCase{30, 1600, 1200, 0, 0},
                      ResolutionCase{15, 1280, 1024, 9, 666666}, ResolutionCase{30, 0, 0, 0, 0}));

TEST_F(UvcControlTest, CommitCarriesTheBlockAsTheCameraReturnedIt)
{
    QByteArray returned = probeBlock(1, 400000);
    returned[20] = char(0x5A);
    fake->answer(UvcGetCur, 0x0100, 0x0001, returned);
    EXPECT_TRUE(camera.setResolution(30, 640, 480));
    ASSERT_EQ(fake->sent.size(), 3u);
    EXPECT_EQ(fake->sent[2].data.toHex(' '), returned.toHex(' '));
}

TEST_F(UvcControlTest, OnlyTheCommitDecides)
{
    // Probe refused and nothing to read back: the commit still goes out and decides.
    fake->setResultByValue[0x0100] = UsbControlChannel::Refused;
    fake->missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_TRUE(camera.setResolution(15, 800, 600));
    EXPECT_EQ(fake->sent.size(), 3u);

    fake->setResultByValue[0x0200] = UsbControlChannel::Refused;
    EXPECT_FALSE(camera.setResolution(15, 800, 600));
    EXPECT_EQ(fake->sent.size(), 6u);
}

TEST_F(UvcControlTest, GetResolutionReadsTheDefaultProbeAndChangesNothing)
{
    EXPECT_TRUE(camera.getResolution());
    ASSERT_EQ(fake->sent.size(), 2u);
    EXPECT_EQ(std::tie(fake->sent[0].bmRequestType, fake->sent[0].bRequest, fake->sent[0].wValue,
                       fake->sent[0].wIndex, fake->sent[0].wLength),
              std::make_tuple(uint8_t(0xA1), uint8_t(0x87), uint16_t(0x0100), uint16_t(0x0001), uint16_t(34)));
    EXPECT_EQ(std::tie(fake->sent[1].bRequest, fake->sent[1].wValue, fake->sent[1].wIndex,
                       fake->sent[1].wLength),
              std::make_tuple(uint8_t(0x81), uint16_t(0x0200), uint16_t(0x0001), uint16_t(1)));
}

// --- The virtual cameras' UVC model, through the real framing ------------------------------

using Model = VirtualCamera::Model;

class VirtualUvcTest : public ::testing::Test {
protected:
    void SetUp() override { LumoCamera::resetImageControlCache(); }
    void TearDown() override { LumoCamera::resetImageControlCache(); }

    // Plugs a camera of `model` and gives `camera` its video-control channel from the hub's
    // device back end.
    std::shared_ptr<VirtualCamera> plug(Model model, LumoCamera &camera)
    {
        auto virtualCamera = hub.plug(model);
        auto channel = backend->openVideoControl(virtualCamera->deviceInfo());
        EXPECT_TRUE(channel);
        attach(camera, std::move(channel));
        return virtualCamera;
    }

    VirtualCameraHub hub;
    std::unique_ptr<DeviceBackend> backend = hub.createBackend();
    LumoCamera camera;
};

struct RoundTripCase {
    const char *name;
    Model model;
    const char *control; // its name in describe()
    int value;
    std::function<bool(LumoCamera &, int)> set;
    std::function<int(LumoCamera &)> get;
};

void PrintTo(const RoundTripCase &c, std::ostream *os)
{
    *os << c.name;
}

class VirtualRoundTripTest : public VirtualUvcTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(VirtualRoundTripTest, SetValueIsReadBack)
{
    const RoundTripCase &c = GetParam();
    auto virtualCamera = plug(c.model, camera);
    ASSERT_NE(virtualCamera->uvcModel().value(c.control), c.value) << "pick a value that changes";
    EXPECT_TRUE(c.set(camera, c.value));
    EXPECT_EQ(c.get(camera), c.value);
    EXPECT_EQ(virtualCamera->uvcModel().value(c.control), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, VirtualRoundTripTest,
    ::testing::Values(
        RoundTripCase{"ArvoBrightness", Model::Arvo, "brightness", 255, [](LumoCamera &c, int v) { return c.setBrightness(v); }, [](LumoCamera &c) { return int(c.brightness()); }},
        RoundTripCase{"ArvoContrast", Model::Arvo, "contrast", 77, [](LumoCamera &c, int v) { return c.setContrast(v); }, [](LumoCamera &c) { return int(c.contrast()); }},
        RoundTripCase{"ArvoHue", Model::Arvo, "hue", -7, [](LumoCamera &c, int v) { return c.setHue(int16_t(v)); }, [](LumoCamera &c) { return int(c.hue()); }},
        RoundTripCase{"TobbleHue", Model::Tobble, "hue", -180, [](LumoCamera &c, int v) { return c.setHue(int16_t(v)); }, [](LumoCamera &c) { return int(c.hue()); }},
        RoundTripCase{"ArvoSaturation", Model::Arvo, "saturation", 0, [](LumoCamera &c, int v) { return c.setSaturation(v); }, [](LumoCamera &c) { return int(c.saturation()); }},
        RoundTripCase{"TobbleSharpness", Model::Tobble, "sharpness", 7, [](LumoCamera &c, int v) { return c.setSharpness(v); }, [](LumoCamera &c) { return int(c.sharpness()); }},
        RoundTripCase{"TobbleGamma", Model::Tobble, "gamma", 500, [](LumoCamera &c, int v) { return c.setGamma(v); }, [](LumoCamera &c) { return int(c.gamma()); }},
        RoundTripCase{"ArvoWhiteBalance", Model::Arvo, "white-balance", 2800, [](LumoCamera &c, int v) { return c.setWhiteBalance(v); }, [](LumoCamera &c) { return int(c.whiteBalance()); }},
        RoundTripCase{"TobbleAutoWhiteBalance", Model::Tobble, "auto-white-balance", 0, [](LumoCamera &c, int v) { return c.setAutoWhiteBalance(v); }, [](LumoCamera &c) { return int(c.autoWhiteBalance()); }},
        RoundTripCase{"ArvoFrequency", Model::Arvo, "power-line-frequency", 0, [](LumoCamera &c, int v) { return c.setFrequency(v); }, [](LumoCamera &c) { return int(c.frequency()); }},
        RoundTripCase{"TobbleFrequency", Model::Tobble, "power-line-frequency", 1, [](LumoCamera &c, int v) { return c.setFrequency(v); }, [](LumoCamera &c) { return int(c.frequency()); }}),
    [](const ::testing::TestParamInfo<RoundTripCase> &info) { return std::string(info.param.name); });

struct RefusedSetCase {
    const char *name;
    Model model;
    const char *control;
    std::function<bool(LumoCamera &)> set;
};

void PrintTo(const RefusedSetCase &c, std::ostream *os)
{
    *os << c.name;
}

class VirtualRefusedSetTest : public VirtualUvcTest, public ::testing::WithParamInterface<RefusedSetCase> {};

TEST_P(VirtualRefusedSetTest, ValueOutsideTheLimitsIsRefusedAndKeepsTheOldOne)
{
    const RefusedSetCase &c = GetParam();
    auto virtualCamera = plug(c.model, camera);
    const auto before = virtualCamera->uvcModel().value(c.control);
    EXPECT_FALSE(c.set(camera));
    EXPECT_EQ(virtualCamera->uvcModel().value(c.control), before);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, VirtualRefusedSetTest,
    ::testing::Values(
        RefusedSetCase{"ArvoBrightnessAbove", Model::Arvo, "brightness", [](LumoCamera &c) { return c.setBrightness(256); }},
        RefusedSetCase{"ArvoHueAbove", Model::Arvo, "hue", [](LumoCamera &c) { return c.setHue(11); }},
        RefusedSetCase{"ArvoHueBelow", Model::Arvo, "hue", [](LumoCamera &c) { return c.setHue(-11); }},
        RefusedSetCase{"TobbleHueBelow", Model::Tobble, "hue", [](LumoCamera &c) { return c.setHue(-181); }},
        RefusedSetCase{"ArvoSharpnessAbove", Model::Arvo, "sharpness", [](LumoCamera &c) { return c.setSharpness(16); }},
        RefusedSetCase{"TobbleGammaBelow", Model::Tobble, "gamma", [](LumoCamera &c) { return c.setGamma(71); }},
        RefusedSetCase{"ArvoWhiteBalanceBelow", Model::Arvo, "white-balance", [](LumoCamera &c) { return c.setWhiteBalance(2799); }},
        RefusedSetCase{"TobbleFrequencyAuto", Model::Tobble, "power-line-frequency", [](LumoCamera &c) { return c.setFrequency(3); }}),
    [](const ::testing::TestParamInfo<RefusedSetCase> &info) { return std::string(info.param.name); });

TEST_F(VirtualUvcTest, LimitsAndDefaultsOfTheModel)
{
    plug(Model::Arvo, camera);
    EXPECT_EQ(camera.brightnessMin(), 0);
    EXPECT_EQ(camera.brightnessMax(), 255);
    EXPECT_EQ(camera.brightnessDef(), 128);
    EXPECT_EQ(camera.hueMin(), -10);
    EXPECT_EQ(camera.hueMax(), 10);
    EXPECT_EQ(camera.hueDef(), 0);
    EXPECT_EQ(camera.whiteBalanceMin(), 2800);
    EXPECT_EQ(camera.whiteBalanceMax(), 6500);
    // The iris rows reach the gamma control.
    EXPECT_EQ(camera.irisMin(), camera.gammaMin());
    EXPECT_EQ(camera.irisMax(), camera.gammaMax());
}

TEST_F(VirtualUvcTest, IrisNeedsManualExposureAndSetsGamma)
{
    auto virtualCamera = plug(Model::Arvo, camera);
    EXPECT_TRUE(camera.autoExposure());
    EXPECT_FALSE(camera.setIris(120));
    EXPECT_EQ(virtualCamera->uvcModel().value("gamma"), 150);

    EXPECT_TRUE(camera.setAutoExposure(false));
    EXPECT_EQ(virtualCamera->uvcModel().value("auto-exposure-mode"), 8);
    EXPECT_FALSE(camera.autoExposure());
    EXPECT_TRUE(camera.setIris(120));
    EXPECT_EQ(camera.gamma(), 120);
    EXPECT_EQ(camera.iris(), 120);

    EXPECT_TRUE(camera.setAutoExposure(true));
    EXPECT_EQ(virtualCamera->uvcModel().value("auto-exposure-mode"), 2);
}

TEST_F(VirtualUvcTest, ExposureModesDependOnTheModel)
{
    LumoCamera tobble;
    plug(Model::Arvo, camera);
    plug(Model::Tobble, tobble);
    uint8_t shutterPriority = 4, notAMode = 3, buffer = 0;
    EXPECT_EQ(uvc_control_cmd(&camera, UvcSetCur, UvcAutoExposure, &shutterPriority), -1);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcSetCur, UvcAutoExposure, &shutterPriority), 0);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcSetCur, UvcAutoExposure, &notAMode), -1);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcGetCur, UvcAutoExposure, &buffer), 0);
    EXPECT_EQ(buffer, 4);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcGetMin, UvcAutoExposure, &buffer), -1) << "a mode has no range";
}

struct RawRequestCase {
    const char *name;
    uint8_t request;
    uint8_t unit;
    uint8_t interface;
    uint8_t selector;
    uint16_t length;
};

void PrintTo(const RawRequestCase &c, std::ostream *os)
{
    *os << c.name;
}

class VirtualRawRequestTest : public VirtualUvcTest, public ::testing::WithParamInterface<RawRequestCase> {};

TEST_P(VirtualRawRequestTest, IsRefused)
{
    plug(Model::Arvo, camera);
    const RawRequestCase &c = GetParam();
    uint8_t buffer[64] = {1};
    EXPECT_EQ(uvc_query_ctrl(&camera, c.request, c.unit, c.interface, c.selector, buffer, c.length), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, VirtualRawRequestTest,
    ::testing::Values(RawRequestCase{"ContrastInOneByte", UvcGetCur, 3, 0, UvcPuContrast, 1},
                      RawRequestCase{"BrightnessInFourBytes", UvcGetCur, 3, 0, UvcPuBrightness, 4},
                      RawRequestCase{"SetFrequencyInTwoBytes", UvcSetCur, 3, 0, UvcPuPowerLineFrequency, 2},
                      RawRequestCase{"UnknownSelector", UvcGetCur, 3, 0, 0x04, 2},
                      RawRequestCase{"CameraTerminalUnit", UvcGetCur, 1, 0, UvcCtAutoExposureMode, 1},
                      RawRequestCase{"UnknownUnit", UvcGetCur, 2, 0, UvcPuBrightness, 2},
                      RawRequestCase{"UnknownInterface", UvcGetCur, 3, 2, UvcPuBrightness, 2},
                      RawRequestCase{"ResolutionRequest", 0x84, 3, 0, UvcPuBrightness, 2}),
    [](const ::testing::TestParamInfo<RawRequestCase> &info) { return std::string(info.param.name); });

TEST_F(VirtualUvcTest, CommittedResolutionIsRemembered)
{
    auto virtualCamera = plug(Model::Arvo, camera);
    VirtualUvcModel &model = virtualCamera->uvcModel();
    EXPECT_EQ(model.frameSize(), QSize(1280, 960));
    EXPECT_EQ(model.frameRate(), 15);

    EXPECT_TRUE(camera.setResolution(30, 640, 480));
    EXPECT_EQ(model.frameIndex(), 1);
    EXPECT_EQ(model.frameSize(), QSize(640, 480));
    EXPECT_EQ(model.frameRate(), 30);
    EXPECT_TRUE(camera.getResolution());
    EXPECT_EQ(model.frameIndex(), 1);
    EXPECT_FALSE(camera.setResolution(30, 1600, 1200));
    EXPECT_EQ(model.frameIndex(), 1);
}

TEST_F(VirtualUvcTest, ProbeIsAnsweredWithTheFrameTablesInterval)
{
    plug(Model::Arvo, camera);
    UvcProbeCommitBlock block = uvcProbeBlock(2, 7, 1);
    ASSERT_EQ(uvc_query_stream(&camera, UvcSetCur, 0, UvcProbeControl, block.data(), 34), 0);
    block.fill(0);
    ASSERT_EQ(uvc_query_stream(&camera, UvcGetCur, 0, UvcProbeControl, block.data(), 34), 0);
    EXPECT_EQ(uvcProbeFrameIndex(block.data()), 7);
    EXPECT_EQ(uvcProbeFrameInterval(block.data()), 666666u);

    // A frame the camera does not know is replaced by its default one.
    block = uvcProbeBlock(2, 0, 333333);
    ASSERT_EQ(uvc_query_stream(&camera, UvcSetCur, 0, UvcProbeControl, block.data(), 34), 0);
    ASSERT_EQ(uvc_query_stream(&camera, UvcGetCur, 0, UvcProbeControl, block.data(), 34), 0);
    EXPECT_EQ(uvcProbeFrameIndex(block.data()), 8);
    EXPECT_EQ(uvcProbeFrameInterval(block.data()), 666666u);

    block.fill(0);
    ASSERT_EQ(uvc_query_stream(&camera, UvcGetDef, 0, UvcProbeControl, block.data(), 34), 0);
    EXPECT_EQ(block[2], 2);
    EXPECT_EQ(uvcProbeFrameIndex(block.data()), 8);
}

TEST_F(VirtualUvcTest, CommitOutsideTheFrameTableIsRefused)
{
    auto virtualCamera = plug(Model::Tobble, camera);
    for (uint8_t index : {0, 12, 255}) {
        UvcProbeCommitBlock block = uvcProbeBlock(2, index, 333333);
        EXPECT_EQ(uvc_query_stream(&camera, UvcSetCur, 0, UvcCommitControl, block.data(), 34), -1);
    }
    UvcProbeCommitBlock block = uvcProbeBlock(2, 2, 333333);
    EXPECT_EQ(uvc_query_stream(&camera, UvcSetCur, 0, UvcCommitControl, block.data(), 26), -1)
        << "the block has 34 bytes";
    EXPECT_EQ(virtualCamera->uvcModel().frameSize(), QSize(1600, 1200));
    EXPECT_EQ(uvc_query_stream(&camera, UvcSetCur, 0, UvcCommitControl, block.data(), 34), 0);
    EXPECT_EQ(virtualCamera->uvcModel().frameSize(), QSize(160, 120));
}

TEST_F(VirtualUvcTest, UnpluggedCameraDoesNotAnswer)
{
    auto virtualCamera = plug(Model::Arvo, camera);
    EXPECT_EQ(camera.brightness(), 128);
    ASSERT_TRUE(hub.unplug(virtualCamera->id()));
    EXPECT_EQ(camera.brightness(), 0);
    EXPECT_FALSE(camera.setBrightness(1));
    EXPECT_EQ(camera.iris(), 65535);

    VirtualUvcChannel channel(virtualCamera);
    uint8_t buffer[2] = {};
    UsbControlChannel::Request request;
    request.bmRequestType = 0xA1;
    request.bRequest = UvcGetCur;
    request.wValue = 0x0200;
    request.wIndex = 0x0300;
    request.wLength = 2;
    request.data = buffer;
    EXPECT_EQ(channel.send(request), UsbControlChannel::NotResponding);
    EXPECT_FALSE(backend->openVideoControl(virtualCamera->deviceInfo()));
}

TEST_F(VirtualUvcTest, EachCameraKeepsItsOwnValues)
{
    LumoCamera second;
    auto first = plug(Model::Arvo, camera);
    auto other = plug(Model::Arvo, second);
    EXPECT_TRUE(camera.setContrast(10));
    EXPECT_EQ(second.contrast(), 50);
    EXPECT_EQ(first->uvcModel().value("contrast"), 10);
}

TEST_F(VirtualUvcTest, DescribeListsEveryControlAndTheResolution)
{
    auto arvo = plug(Model::Arvo, camera);
    LumoCamera second;
    auto tobble = plug(Model::Tobble, second);
    EXPECT_TRUE(camera.setBrightness(200));
    const QStringList lines = arvo->uvcModel().describe();
    EXPECT_EQ(lines.size(), 12);
    EXPECT_TRUE(lines.contains("brightness 200"));
    EXPECT_TRUE(lines.contains("hue 0"));
    EXPECT_TRUE(lines.contains("auto-exposure-mode 2"));
    EXPECT_EQ(lines.last(), "resolution 1280x960@15");
    EXPECT_EQ(tobble->uvcModel().describe().last(), "resolution 1600x1200@15");
}

} // namespace
