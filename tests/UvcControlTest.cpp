#include "TestSupport.h"
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

using Header = std::tuple<uint8_t, uint8_t, uint16_t, uint16_t, uint16_t>; // type, request, value, index, length

// One request as it reached the channel, with the bytes of a SET request.
struct Sent {
    Header header;
    uint32_t timeoutMs;
    QByteArray data;
};

// A camera on the other side of the channel: records every request and answers GET requests
// from a table keyed by (bRequest, wValue, wIndex); SET requests are taken unless refused by wValue.
struct FakeCamera : UsbControlChannel {
    std::vector<Sent> sent;
    std::map<std::tuple<uint8_t, uint16_t, uint16_t>, QByteArray> answers;
    std::map<uint16_t, int> setResultByValue; // by wValue; others are taken
    int missingAnswer = UsbControlChannel::Refused;

    // Answers `request` on a row of the processing unit, little-endian (a one-byte row reads the low byte).
    void answer(uint8_t request, int row, int value)
    {
        QByteArray bytes(2, '\0');
        qToLittleEndian<quint16>(quint16(value), bytes.data());
        answers[{request, uint16_t(gVelmarControls[row].selector << 8), 0x0300}] = bytes;
    }

    int send(const Request &r) override
    {
        const bool in = r.bRequest & 0x80;
        sent.push_back({{r.bmRequestType, r.bRequest, r.wValue, r.wIndex, r.wLength},
                        r.timeoutMs,
                        in ? QByteArray() : QByteArray(static_cast<const char *>(r.data), r.wLength)});
        if (!in)
            return setResultByValue.count(r.wValue) ? setResultByValue[r.wValue] : Ok;
        const auto it = answers.find({r.bRequest, r.wValue, r.wIndex});
        if (it == answers.end())
            return missingAnswer;
        std::memcpy(r.data, it->second.constData(), std::min<size_t>(r.wLength, it->second.size()));
        return Ok;
    }
};

// Hands requests on to a channel that stays with the test: the camera owns, and may drop, its own.
struct Forwarder : UsbControlChannel {
    explicit Forwarder(UsbControlChannel &to) : to(to) {}
    int send(const Request &r) override { return to.send(r); }
    UsbControlChannel &to;
};

void attach(LumoCamera &camera, std::unique_ptr<UsbControlChannel> channel)
{
    ChannelBackend backend(std::move(channel));
    ASSERT_TRUE(camera.setupImageControl(backend));
}

QByteArray probeBlock(uint8_t frameIndex, uint32_t interval)
{
    const UvcProbeCommitBlock block = uvcProbeBlock(2, frameIndex, interval);
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

const auto ByName = [](const auto &info) { return std::string(info.param.name); };

// A camera talking to a fake one.
class UvcControlTest : public ::testing::Test {
protected:
    void SetUp() override { attach(camera, std::make_unique<Forwarder>(fake)); }

    FakeCamera fake; // outlives the camera's channel
    LumoCamera camera;
};

struct FramingCase {
    const char *name;
    std::function<void(LumoCamera &)> call;
    Header header;
    QByteArray data{}; // of a SET request
};

void PrintTo(const FramingCase &c, std::ostream *os) { *os << c.name; }

class FramingTest : public UvcControlTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(FramingTest, SendsTheRequestOfItsRow)
{
    GetParam().call(camera);
    ASSERT_EQ(fake.sent.size(), 1u);
    EXPECT_EQ(fake.sent[0].header, GetParam().header);
    EXPECT_EQ(fake.sent[0].timeoutMs, 100u);
    EXPECT_EQ(fake.sent[0].data.toHex(' '), GetParam().data.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    ImageControls, FramingTest,
    ::testing::Values(
        FramingCase{
            "setBrightness", [](LumoCamera &c) { c.setBrightness(0x1234); }, {0x21, 0x01, 0x0200, 0x0300, 2}, QByteArray::fromHex("3412")},
        FramingCase{"brightnessMax", [](LumoCamera &c) { c.brightnessMax(); }, {0xA1, 0x83, 0x0200, 0x0300, 2}},
        FramingCase{"setHue", [](LumoCamera &c) { c.setHue(-10); }, {0x21, 0x01, 0x0600, 0x0300, 2}, QByteArray::fromHex("f6ff")},
        FramingCase{"setAutoWhiteBalance",
                    [](LumoCamera &c) { c.setAutoWhiteBalance(true); },
                    {0x21, 0x01, 0x0B00, 0x0300, 1},
                    QByteArray::fromHex("01")},
        FramingCase{"setAutoExposureNo",
                    [](LumoCamera &c) { c.setAutoExposure(false); },
                    {0x21, 0x01, 0x0200, 0x0300, 1},
                    QByteArray::fromHex("08")},
        FramingCase{"setAutoExposureYes",
                    [](LumoCamera &c) { c.setAutoExposure(true); },
                    {0x21, 0x01, 0x0200, 0x0300, 1},
                    QByteArray::fromHex("02")},
        FramingCase{"autoExposure", [](LumoCamera &c) { c.autoExposure(); }, {0xA1, 0x81, 0x0200, 0x0300, 1}},
        // The iris rows travel as the gamma ones.
        FramingCase{"iris", [](LumoCamera &c) { c.iris(); }, {0xA1, 0x81, 0x0900, 0x0300, 2}},
        FramingCase{"irisMax", [](LumoCamera &c) { c.irisMax(); }, {0xA1, 0x83, 0x0900, 0x0300, 2}},
        // The raw row interface, for interface zero: row 0 (brightness) unanswered, row 8 set.
        FramingCase{"rawGetRowZero",
                    [](LumoCamera &c) {
                        uint8_t v[2] = {};
                        EXPECT_EQ(uvc_control_cmd(&c, UvcGetCur, 0, v), -1);
                    },
                    {0xA1, 0x81, 0x0200, 0x0300, 2}},
        FramingCase{"rawSetRowEight",
                    [](LumoCamera &c) {
                        uint8_t v = 1;
                        EXPECT_EQ(uvc_control_cmd(&c, UvcSetCur, 8, &v), 0);
                    },
                    {0x21, 0x01, 0x0500, 0x0300, 1},
                    QByteArray::fromHex("01")}),
    ByName);

TEST_F(UvcControlTest, GettersDecodeLittleEndianValuesAndFailedReadsGiveTheStartingValue)
{
    fake.answer(UvcGetCur, UvcBrightness, 0x0123);
    fake.answer(UvcGetCur, UvcHue, -5);
    fake.answer(UvcGetCur, UvcPowerLineFrequency, 2);
    fake.answer(UvcGetCur, UvcAutoWhiteBalance, 1);
    EXPECT_EQ(camera.brightness(), 0x0123);
    EXPECT_EQ(camera.hue(), -5);
    EXPECT_EQ(camera.frequency(), 2);
    EXPECT_TRUE(camera.autoWhiteBalance());

    fake.answers.clear();
    fake.missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_EQ(camera.brightness(), 0);
    EXPECT_EQ(camera.hue(), 0);
    EXPECT_EQ(camera.frequency(), 0);
    EXPECT_FALSE(camera.autoWhiteBalance());
    EXPECT_EQ(camera.iris(), 65535);
    EXPECT_EQ(fake.sent.size(), 9u);
}

struct AutoExposureCase {
    std::optional<int> mode; // none: the read fails
    bool automatic;
};

void PrintTo(const AutoExposureCase &c, std::ostream *os) { *os << (c.mode ? *c.mode : -1); }

class AutoExposureTest : public UvcControlTest, public ::testing::WithParamInterface<AutoExposureCase> {};

// Only aperture priority is manual; the iris is refused in automatic exposure, or when the mode
// cannot be read, without being sent.
TEST_P(AutoExposureTest, IrisIsSentOnlyInManualExposure)
{
    if (GetParam().mode)
        fake.answer(UvcGetCur, UvcAutoExposure, *GetParam().mode);
    EXPECT_EQ(camera.autoExposure(), GetParam().automatic);
    fake.sent.clear();
    EXPECT_EQ(camera.setIris(0x0203), !GetParam().automatic);
    ASSERT_EQ(fake.sent.size(), GetParam().automatic ? 1u : 2u);
    EXPECT_EQ(std::get<1>(fake.sent[0].header), UvcGetCur);
    if (!GetParam().automatic) {
        EXPECT_EQ(fake.sent[1].header, Header(0x21, UvcSetCur, 0x0900, 0x0300, 2));
        EXPECT_EQ(fake.sent[1].data, QByteArray::fromHex("0302"));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, AutoExposureTest,
                         ::testing::Values(AutoExposureCase{8, false}, AutoExposureCase{1, true}, AutoExposureCase{4, true},
                                           AutoExposureCase{std::nullopt, true}),
                         [](const auto &info) {
                             return info.param.mode ? "Mode" + std::to_string(*info.param.mode) : std::string("Unread");
                         });

// A limit read twice: what it reads and how often it was asked for.
struct LimitCase {
    const char *name;
    uint8_t request;
    int row;
    std::optional<int> answer; // none: unanswered
    std::function<int(LumoCamera &)> read;
    int expected;
    size_t asked;
};

void PrintTo(const LimitCase &c, std::ostream *os) { *os << c.name; }

class LimitCacheTest : public UvcControlTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LimitCacheTest, IsCachedUnlessItLooksLikeTheMarker)
{
    const LimitCase &c = GetParam();
    if (c.answer)
        fake.answer(c.request, c.row, *c.answer);
    EXPECT_EQ(c.read(camera), c.expected);
    EXPECT_EQ(c.read(camera), c.expected);
    EXPECT_EQ(fake.sent.size(), c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, LimitCacheTest,
    ::testing::Values(
        LimitCase{"DefaultIsAskedOnce", UvcGetDef, UvcBrightness, 128, [](LumoCamera &c) { return int(c.brightnessDef()); }, 128, 1},
        LimitCase{"UnansweredIsTheMarkerAndAskedAgain", UvcGetMin, UvcBrightness, std::nullopt,
                  [](LumoCamera &c) { return int(c.brightnessMin()); }, 65244, 2},
        LimitCase{"SignedHueIsCached", UvcGetMin, UvcHue, -10, [](LumoCamera &c) { return int(c.hueMin()); }, -10, 1},
        LimitCase{"HueEqualToItsMarkerIsAskedEveryTime", UvcGetMax, UvcHue, 253, [](LumoCamera &c) { return int(c.hueMax()); }, 253, 2},
        LimitCase{"UnansweredHueIsTheHueMarker", UvcGetDef, UvcHue, std::nullopt, [](LumoCamera &c) { return int(c.hueDef()); }, 253, 2}),
    ByName);

TEST_F(UvcControlTest, CachedLimitsAreEachCamerasOwnAndEachHasItsOwnCell)
{
    fake.missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_EQ(camera.brightnessMin(), 65244);
    fake.answer(UvcGetMin, UvcBrightness, 16);
    fake.answer(UvcGetMin, UvcGamma, 100);
    fake.answer(UvcGetMax, UvcGamma, 300);
    EXPECT_EQ(camera.brightnessMin(), 16) << "answered late, cached then";
    EXPECT_EQ(camera.gammaMin(), 100);
    EXPECT_EQ(camera.gammaMax(), 300);
    EXPECT_EQ(camera.irisMin(), 100) << "travels as the gamma limit but is cached apart";
    EXPECT_EQ(camera.sharpnessMin(), 65244);
    EXPECT_EQ(fake.sent.size(), 6u);

    // Another camera (another model) has limits of its own and is asked for them.
    FakeCamera other;
    other.answer(UvcGetMin, UvcBrightness, 20);
    LumoCamera second;
    attach(second, std::make_unique<Forwarder>(other));
    EXPECT_EQ(second.brightnessMin(), 20);
    EXPECT_EQ(other.sent.size(), 1u);
    EXPECT_EQ(camera.brightnessMin(), 16);
}

TEST(UvcNoChannel, EveryOperationFailsAtOnce)
{
    LumoCamera camera;
    uint8_t buffer[34] = {7, 7};
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, UvcBrightness, buffer), -1);
    EXPECT_EQ(buffer[0], 7) << "the caller's buffer is left alone";
    EXPECT_EQ(uvc_query_stream(&camera, UvcGetCur, 0, UvcProbeControl, buffer, 34), -1);
    EXPECT_EQ(camera.contrast(), 0);
    EXPECT_EQ(camera.iris(), 65535);
    EXPECT_FALSE(camera.setBrightness(1));
    EXPECT_FALSE(camera.setResolution(30, 640, 480));
    EXPECT_TRUE(camera.getResolution());
}

TEST_F(UvcControlTest, UnknownRowOrDetachedCameraSendsNothing)
{
    uint8_t buffer[2] = {};
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, UvcControlCount, buffer), -1);
    EXPECT_EQ(uvc_control_cmd(&camera, UvcGetCur, -1, buffer), -1);
    camera.prepareToDetatch();
    EXPECT_EQ(camera.contrast(), 0);
    EXPECT_FALSE(camera.setContrast(1));
    EXPECT_TRUE(fake.sent.empty());
}

// Rows of the frame table are probed, read back and committed; sizes and rates outside it send nothing.
TEST_F(UvcControlTest, ResolutionProbesReadsBackAndCommitsTheRow)
{
    const struct {
        unsigned long rate, width, height;
        uint8_t frameIndex; // 0: no row
        uint32_t interval;
    } cases[] = {{30, 640, 480, 1, 333333}, {15, 1600, 1200, 10, 666666}, {15, 640, 480, 0, 0}, {30, 0, 0, 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "@" << c.rate);
        fake.sent.clear();
        QByteArray returned = probeBlock(c.frameIndex, c.interval);
        returned[20] = char(0x5A); // the commit carries the block as the camera returned it
        fake.answers[{UvcGetCur, 0x0100, 0x0001}] = returned;
        EXPECT_EQ(camera.setResolution(c.rate, c.width, c.height), c.frameIndex != 0);
        ASSERT_EQ(fake.sent.size(), c.frameIndex ? 3u : 0u);
        if (c.frameIndex == 0)
            continue;
        EXPECT_EQ(fake.sent[0].header, Header(0x21, 0x01, 0x0100, 0x0001, 34)) << "probe";
        EXPECT_EQ(fake.sent[0].data.toHex(' '), probeBlock(c.frameIndex, c.interval).toHex(' '));
        EXPECT_EQ(fake.sent[1].header, Header(0xA1, 0x81, 0x0100, 0x0001, 34)) << "read back";
        EXPECT_EQ(fake.sent[2].header, Header(0x21, 0x01, 0x0200, 0x0001, 34)) << "commit";
        EXPECT_EQ(fake.sent[2].data.toHex(' '), returned.toHex(' '));
    }
}

TEST_F(UvcControlTest, OnlyTheCommitDecidesAndReadingTheResolutionChangesNothing)
{
    // Probe refused and nothing to read back: the commit still goes out and decides.
    fake.setResultByValue[0x0100] = UsbControlChannel::Refused;
    fake.missingAnswer = UsbControlChannel::NotResponding;
    EXPECT_TRUE(camera.setResolution(15, 800, 600));
    EXPECT_EQ(fake.sent.size(), 3u);
    fake.setResultByValue[0x0200] = UsbControlChannel::Refused;
    EXPECT_FALSE(camera.setResolution(15, 800, 600));
    EXPECT_EQ(fake.sent.size(), 6u);

    // Reading the resolution asks for the default probe and the commit, and changes nothing.
    fake.sent.clear();
    EXPECT_TRUE(camera.getResolution());
    ASSERT_EQ(fake.sent.size(), 2u);
    EXPECT_EQ(fake.sent[0].header, Header(0xA1, 0x87, 0x0100, 0x0001, 34));
    EXPECT_EQ(fake.sent[1].header, Header(0xA1, 0x81, 0x0200, 0x0001, 1));
}

using Model = VirtualCamera::Model;

class VirtualUvcTest : public ::testing::Test {
protected:
    // Plugs a camera of `model` and gives `camera` its video-control channel from the hub's back end.
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

// A control by its name in describe(), set and read through the camera.
struct Control {
    const char *name;
    std::function<bool(LumoCamera &, int)> set;
    std::function<int(LumoCamera &)> get;
};
#define CONTROL(name, setter, getter)                                                                                                      \
    Control                                                                                                                                \
    {                                                                                                                                      \
        name, [](LumoCamera &c, int v) { return c.setter(v); }, [](LumoCamera &c) { return int(c.getter()); }                              \
    }

struct SetCase {
    const char *name;
    Model model;
    Control control;
    int value;
    bool accepted; // within the model's limits
};

void PrintTo(const SetCase &c, std::ostream *os) { *os << c.name; }

class VirtualSetTest : public VirtualUvcTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(VirtualSetTest, ValueWithinTheLimitsIsReadBackOthersAreRefusedAndKeepTheOldOne)
{
    const SetCase &c = GetParam();
    auto virtualCamera = plug(c.model, camera);
    const std::optional<int> before = virtualCamera->uvcModel().value(c.control.name);
    ASSERT_NE(before, c.value) << "pick a value that changes";
    EXPECT_EQ(c.control.set(camera, c.value), c.accepted);
    EXPECT_EQ(virtualCamera->uvcModel().value(c.control.name), c.accepted ? c.value : before);
    EXPECT_EQ(c.control.get(camera), c.accepted ? c.value : *before);
    EXPECT_TRUE(virtualCamera->uvcModel().describe().contains(QString("%1 %2").arg(c.control.name).arg(c.control.get(camera))));
}

const Control Brightness = CONTROL("brightness", setBrightness, brightness);
const Control Hue = CONTROL("hue", setHue, hue);
const Control Gamma = CONTROL("gamma", setGamma, gamma);
const Control WhiteBalance = CONTROL("white-balance", setWhiteBalance, whiteBalance);
const Control Frequency = CONTROL("power-line-frequency", setFrequency, frequency);

INSTANTIATE_TEST_SUITE_P(
    Controls, VirtualSetTest,
    ::testing::Values(
        SetCase{"ArvoBrightness", Model::Arvo, Brightness, 255, true}, SetCase{"ArvoBrightnessAbove", Model::Arvo, Brightness, 256, false},
        SetCase{"ArvoContrast", Model::Arvo, CONTROL("contrast", setContrast, contrast), 77, true},
        SetCase{"ArvoSaturation", Model::Arvo, CONTROL("saturation", setSaturation, saturation), 0, true},
        SetCase{"ArvoHue", Model::Arvo, Hue, -7, true}, SetCase{"ArvoHueBelow", Model::Arvo, Hue, -11, false},
        SetCase{"TobbleSharpness", Model::Tobble, CONTROL("sharpness", setSharpness, sharpness), 7, true},
        SetCase{"TobbleGamma", Model::Tobble, Gamma, 500, true}, SetCase{"ArvoWhiteBalance", Model::Arvo, WhiteBalance, 2800, true},
        SetCase{"TobbleAutoWhiteBalance", Model::Tobble, CONTROL("auto-white-balance", setAutoWhiteBalance, autoWhiteBalance), 0, true},
        SetCase{"ArvoFrequency", Model::Arvo, Frequency, 0, true}, SetCase{"TobbleFrequencyAuto", Model::Tobble, Frequency, 3, false},
        // The camera of another maker has limits of its own.
        SetCase{"UvcBrightnessAbove", Model::Uvc, Brightness, 128, false}, SetCase{"UvcHue", Model::Uvc, Hue, -40, true},
        SetCase{"UvcSharpnessBelow", Model::Uvc, CONTROL("sharpness", setSharpness, sharpness), 0, false},
        SetCase{"UvcWhiteBalanceWhileAutomatic", Model::Uvc, WhiteBalance, 2000, false}),
    ByName);
#undef CONTROL

TEST_F(VirtualUvcTest, IrisNeedsManualExposureAndExposureModesDependOnTheModel)
{
    auto virtualCamera = plug(Model::Arvo, camera);
    EXPECT_FALSE(camera.setIris(120)) << "automatic at first";
    EXPECT_TRUE(camera.setAutoExposure(false));
    EXPECT_TRUE(camera.setIris(120));
    EXPECT_EQ(virtualCamera->uvcModel().value("gamma"), 120);

    LumoCamera tobble;
    plug(Model::Tobble, tobble);
    uint8_t shutterPriority = 4, notAMode = 3, buffer = 0;
    EXPECT_EQ(uvc_control_cmd(&camera, UvcSetCur, UvcAutoExposure, &shutterPriority), -1);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcSetCur, UvcAutoExposure, &shutterPriority), 0);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcSetCur, UvcAutoExposure, &notAMode), -1);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcGetCur, UvcAutoExposure, &buffer), 0);
    EXPECT_EQ(buffer, 4);
    EXPECT_EQ(uvc_control_cmd(&tobble, UvcGetMin, UvcAutoExposure, &buffer), -1) << "a mode has no range";
}

TEST_F(VirtualUvcTest, RequestsOfNoKnownControlAreRefused)
{
    plug(Model::Arvo, camera);
    const struct {
        const char *name;
        uint8_t request, unit, interface, selector;
        uint16_t length;
    } cases[] = {{"contrast in one byte", UvcGetCur, 3, 0, UvcPuContrast, 1},
                 {"camera terminal unit", UvcGetCur, 1, 0, UvcCtAutoExposureMode, 1},
                 {"unknown interface", UvcGetCur, 3, 2, UvcPuBrightness, 2},
                 {"resolution request", 0x84, 3, 0, UvcPuBrightness, 2}};
    for (const auto &c : cases) {
        uint8_t buffer[64] = {1};
        EXPECT_EQ(uvc_query_ctrl(&camera, c.request, c.unit, c.interface, c.selector, buffer, c.length), -1) << c.name;
    }
}

TEST_F(VirtualUvcTest, CommitInsideTheFrameTableIsRememberedOthersAreRefused)
{
    VirtualUvcModel &arvo = plug(Model::Arvo, camera)->uvcModel(); // 1280x960@15 at first
    EXPECT_TRUE(camera.setResolution(30, 640, 480));
    EXPECT_EQ(arvo.frameSize(), QSize(640, 480));
    EXPECT_EQ(arvo.frameRate(), 30);
    EXPECT_TRUE(camera.getResolution());
    EXPECT_FALSE(camera.setResolution(30, 1600, 1200));
    EXPECT_EQ(arvo.frameSize(), QSize(640, 480));

    LumoCamera tobble;
    VirtualUvcModel &model = plug(Model::Tobble, tobble)->uvcModel();
    const auto commit = [&](uint8_t index, uint16_t length) {
        UvcProbeCommitBlock block = uvcProbeBlock(2, index, 333333);
        return uvc_query_stream(&tobble, UvcSetCur, 0, UvcCommitControl, block.data(), length);
    };
    for (uint8_t index : {0, 12, 255})
        EXPECT_EQ(commit(index, 34), -1) << int(index);
    EXPECT_EQ(commit(2, 26), -1) << "the block has 34 bytes";
    EXPECT_EQ(model.frameSize(), QSize(1600, 1200));
    EXPECT_EQ(commit(2, 34), 0);
    EXPECT_EQ(model.frameSize(), QSize(160, 120));
}

TEST_F(VirtualUvcTest, UnpluggedCameraDoesNotAnswer)
{
    auto virtualCamera = plug(Model::Arvo, camera);
    EXPECT_EQ(camera.brightness(), 128);
    ASSERT_TRUE(hub.unplug(virtualCamera->id()));
    EXPECT_EQ(camera.brightness(), 0);
    EXPECT_FALSE(camera.setBrightness(1));
    EXPECT_EQ(camera.iris(), 65535);
    uint8_t buffer[2] = {};
    EXPECT_EQ(VirtualUvcChannel(virtualCamera).send({0xA1, UvcGetCur, 0x0200, 0x0300, 2, buffer}), UsbControlChannel::NotResponding);
    EXPECT_FALSE(backend->openVideoControl(virtualCamera->deviceInfo()));
}

TEST_F(VirtualUvcTest, EachCameraKeepsItsOwnValuesAndDescribesThemWithTheResolution)
{
    LumoCamera second, tobble;
    auto arvo = plug(Model::Arvo, camera);
    plug(Model::Arvo, second);
    auto tobbleCamera = plug(Model::Tobble, tobble);
    EXPECT_TRUE(camera.setContrast(10));
    EXPECT_EQ(second.contrast(), 50);
    const QStringList lines = arvo->uvcModel().describe();
    EXPECT_TRUE(lines.contains("auto-exposure-mode 2"));
    EXPECT_EQ(lines.last(), "resolution 1280x960@15");
    EXPECT_EQ(tobbleCamera->uvcModel().describe().last(), "resolution 1600x1200@15");
}

} // namespace

namespace {

// The controls a camera's node lists, as a fake channel; it records what is set.
struct FakeControls : CameraControlChannel {
    QList<CameraControl> list;
    std::map<uint32_t, int> values;
    std::vector<std::pair<uint32_t, int>> sets;

    QList<CameraControl> controls() override { return list; }
    std::optional<CameraControl> control(uint32_t id) override
    {
        for (CameraControl c : list) {
            // Absolute exposure is inactive unless the exposure is manual, as drivers report it.
            if (id == CameraControlId::ExposureAbsolute && values.count(CameraControlId::ExposureAuto)
                && values[CameraControlId::ExposureAuto] != CameraControlId::ExposureManual)
                c.flags |= CameraControl::Inactive;
            if (c.id == id)
                return c;
        }
        return std::nullopt;
    }
    std::optional<int> value(uint32_t id) override { return values.count(id) ? std::optional<int>(values[id]) : std::nullopt; }
    bool setValue(uint32_t id, int value) override
    {
        sets.push_back({id, value});
        values[id] = value;
        return true;
    }
};

struct ControlsBackend : ChannelBackend {
    explicit ControlsBackend(std::unique_ptr<CameraControlChannel> controls) : ChannelBackend(nullptr), controls_(std::move(controls)) {}
    std::unique_ptr<CameraControlChannel> openCameraControls(const DeviceInfo &) override { return std::move(controls_); }
    std::unique_ptr<CameraControlChannel> controls_;
};

CameraControl listedControl(uint32_t id, int minimum, int maximum, int step, int byDefault, QList<QPair<int, QString>> menu = {})
{
    CameraControl c;
    c.id = id;
    c.type = menu.isEmpty() ? CameraControl::Type::Integer : CameraControl::Type::Menu;
    c.minimum = minimum;
    c.maximum = maximum;
    c.step = step;
    c.defaultValue = byDefault;
    c.menu = menu;
    return c;
}

const CameraControl ExposureModes =
    listedControl(CameraControlId::ExposureAuto, 0, 3, 1, 3, {{1, "Manual Mode"}, {3, "Aperture Priority Mode"}});
const CameraControl FocusStart = listedControl(CameraControlId::AutoFocusStart, 0, 0, 0, 0);
const CameraControl FocusAuto = listedControl(CameraControlId::FocusAuto, 0, 1, 1, 1);

struct AnswersCase {
    const char *name;
    QList<CameraControl> controls;
    LumoCamera::ExposureKind exposure;
    int levels, defaultLevel;
    bool autoExposure;
    LumoCamera::FocusKind focus;
};

void PrintTo(const AnswersCase &c, std::ostream *os) { *os << c.name; }

class UvcCameraAnswersTest : public ::testing::TestWithParam<AnswersCase> {
protected:
    // A camera of another maker prepared with `controls` listed; `fake` stays reachable.
    CameraPtr prepare(const QList<CameraControl> &controls)
    {
        auto channel = std::make_unique<FakeControls>();
        channel->list = controls;
        fake = channel.get();
        ControlsBackend backend(std::move(channel));
        DeviceInfo info;
        info.interface = DeviceInfo::Interface::VideoCapture;
        info.key = info.uniqueId = "platform-test-0";
        CameraPtr camera = LumoCamera::create(info);
        camera->prepareToWorkWithDevice(info, backend);
        return camera;
    }
    FakeControls *fake = nullptr;
};

TEST_P(UvcCameraAnswersTest, ExposureAndFocusComeFromTheListedControls)
{
    const AnswersCase &c = GetParam();
    const CameraPtr camera = prepare(c.controls);
    EXPECT_EQ(camera->exposureKind(), c.exposure);
    EXPECT_EQ(camera->exposureLevels(), c.levels);
    EXPECT_EQ(camera->defaultExposureLevel(), c.defaultLevel);
    EXPECT_EQ(camera->hasAutoExposure(), c.autoExposure);
    EXPECT_EQ(camera->focusKind(), c.focus);
    EXPECT_EQ(camera->continuousFocus(), c.focus == LumoCamera::FocusKind::Continuous);
    EXPECT_FALSE(camera->hasVendorCommands());
    camera->prepareToDetatch();
}

INSTANTIATE_TEST_SUITE_P(
    Controls, UvcCameraAnswersTest,
    ::testing::Values(AnswersCase{"Nothing", {}, LumoCamera::ExposureKind::None, 0, 0, false, LumoCamera::FocusKind::None},
                      AnswersCase{"WideExposureInFifteenLevels",
                                  {listedControl(CameraControlId::ExposureAbsolute, 3, 2047, 1, 250), ExposureModes, FocusAuto},
                                  LumoCamera::ExposureKind::Range,
                                  15,
                                  3,
                                  true,
                                  LumoCamera::FocusKind::Continuous},
                      AnswersCase{"FewStepsAreTheLevels",
                                  {listedControl(CameraControlId::ExposureAbsolute, -4, 4, 2, 4), FocusStart, FocusAuto},
                                  LumoCamera::ExposureKind::Range,
                                  5,
                                  5,
                                  false,
                                  LumoCamera::FocusKind::OneShot},
                      AnswersCase{"ModeMenuWithoutManualIsNoSwitch",
                                  {listedControl(CameraControlId::ExposureAbsolute, 0, 0, 1, 0),
                                   listedControl(CameraControlId::ExposureAuto, 0, 3, 1, 3, {{3, "Aperture Priority Mode"}})},
                                  LumoCamera::ExposureKind::None,
                                  0,
                                  0,
                                  false,
                                  LumoCamera::FocusKind::None}),
    ByName);

TEST_F(UvcCameraAnswersTest, ExposureLevelsAndFocusActOnTheControls)
{
    const CameraPtr camera = prepare({listedControl(CameraControlId::ExposureAbsolute, 3, 2047, 1, 250), ExposureModes, FocusStart});
    fake->values[CameraControlId::ExposureAuto] = 3;
    // Asked while the camera exposes by itself, the level waits for manual exposure.
    EXPECT_TRUE(camera->setExposure(15));
    EXPECT_TRUE(fake->sets.empty());
    EXPECT_TRUE(camera->setAutoBrightness(false));
    using Set = std::vector<std::pair<uint32_t, int>>;
    EXPECT_EQ(fake->sets, Set({{CameraControlId::ExposureAuto, 1}, {CameraControlId::ExposureAbsolute, 2047}}));
    EXPECT_TRUE(camera->setExposure(1));
    EXPECT_TRUE(camera->setExposure(8));
    EXPECT_FALSE(camera->setExposure(16));
    EXPECT_TRUE(camera->setAutoBrightness(true));
    EXPECT_TRUE(camera->focusAgain());
    EXPECT_EQ(Set(fake->sets.begin() + 2, fake->sets.end()), Set({{CameraControlId::ExposureAbsolute, 3},
                                                                  {CameraControlId::ExposureAbsolute, 1025},
                                                                  {CameraControlId::ExposureAuto, 3},
                                                                  {CameraControlId::AutoFocusStart, 1}}));
    camera->prepareToDetatch();
    EXPECT_FALSE(camera->setControlValue(CameraControlId::ExposureAuto, 1)) << "the channel went with the camera";
}

} // namespace
