#include "TestSupport.h"
#include "capture/FrameDecoding.h"
#include "capture/LiveFrameDecoder.h"
#include "capture/linux/V4l2CaptureDevice.h"
#include "capture/linux/V4l2CaptureMode.h"
#include "capture/virtual/VirtualCaptureBackend.h"
#include "device/LumoCamera.h"
#include "device/virtual/ControlServer.h"
#include "device/virtual/VirtualCameraCommands.h"
#include "device/virtual/VirtualCameraHub.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/mman.h>
#include <turbojpeg.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

inline void PrintTo(const V4l2CaptureMode &mode, std::ostream *os) { *os << qPrintable(describeCaptureMode(mode)); }
inline void PrintTo(const V4l2FrameSize &size, std::ostream *os)
{
    *os << qPrintable(describeCaptureMode({size.pixelFormat, size.size})) << " @";
    for (uint32_t rate : size.frameRates)
        *os << ' ' << rate;
}

namespace {

constexpr uint32_t Mjpeg = V4L2_PIX_FMT_MJPEG;
constexpr uint32_t Yuyv = V4L2_PIX_FMT_YUYV;
constexpr uint32_t H264 = V4L2_PIX_FMT_H264;
using Mode = V4l2CaptureMode;

// A picture of four quadrants: red, green / blue, white.
int quadrantAt(const QSize &size, int x, int y) { return 2 * (y >= size.height() / 2) + (x >= size.width() / 2); }
QImage quadrants(const QSize &size)
{
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, colours[quadrantAt(size, x, y)]);
    return image;
}

// The same quadrants as YUYV in BT.601 studio range, as cameras send it.
QByteArray yuyvQuadrants(const QSize &size)
{
    const char *pairs[] = {"\x51\x5a\x51\xf0", "\x91\x36\x91\x22", "\x29\xf0\x29\x6e", "\xeb\x80\xeb\x80"};
    QByteArray frame;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); x += 2)
            frame.append(pairs[quadrantAt(size, x, y)], 4);
    return frame;
}

QByteArray jpegOf(const QSize &size) { return encodeTestJpeg(quadrants(size), TJSAMP_420, 95); }

// Each channel within `tolerance` of the expected colour, and opaque.
testing::AssertionResult colourNear(const QImage &image, QPoint at, QColor expected, int tolerance = 12)
{
    const QRgb pixel = image.pixel(at);
    if (qAlpha(pixel) == 255 && channelDistance(pixel, expected.rgb()) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "pixel at " << at.x() << "," << at.y() << " is "
                                       << qPrintable(QColor::fromRgba(pixel).name(QColor::HexArgb)) << ", expected "
                                       << qPrintable(expected.name());
}

// The quadrants' centres hold their colours.
testing::AssertionResult showsQuadrants(const QImage &image, int tolerance = 12)
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
    for (int i = 0; i < 4; ++i) {
        const QPoint at((1 + 2 * (i % 2)) * image.width() / 4, (1 + 2 * (i / 2)) * image.height() / 4);
        if (auto result = colourNear(image, at, colours[i], tolerance); !result)
            return result;
    }
    return testing::AssertionSuccess();
}

struct ModeCase {
    const char *name;
    std::vector<Mode> offered;
    QSize requested;
    std::optional<Mode> expected;
};

void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class ModeChoice : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeChoice, PicksTheClosestSizeThenMjpeg)
{
    EXPECT_EQ(chooseCaptureMode(GetParam().offered, GetParam().requested), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeChoice,
    testing::Values(
        ModeCase{
            "ExactSizeOnlyInYuyvBeatsScaledMjpeg", {{Mjpeg, {1600, 1200}}, {Yuyv, {1280, 1024}}}, {1280, 1024}, Mode{Yuyv, {1280, 1024}}},
        ModeCase{"NoExactSizeTakesTheSmallestLargerOne",
                 {{Mjpeg, {640, 480}}, {Mjpeg, {1600, 1200}}, {Mjpeg, {1280, 960}}, {Mjpeg, {800, 600}}},
                 {1024, 768},
                 Mode{Mjpeg, {1280, 960}}},
        ModeCase{
            "LargerMeansLargerInBothDirections", {{Mjpeg, {1280, 720}}, {Mjpeg, {1600, 1200}}}, {1024, 768}, Mode{Mjpeg, {1600, 1200}}},
        ModeCase{"SmallestLargerSizeEvenInYuyv", {{Mjpeg, {1600, 1200}}, {Yuyv, {1280, 960}}}, {1024, 768}, Mode{Yuyv, {1280, 960}}},
        ModeCase{"NothingLargeEnoughTakesTheLargest",
                 {{Mjpeg, {640, 480}}, {Yuyv, {1280, 960}}, {Mjpeg, {1280, 960}}, {Mjpeg, {320, 240}}},
                 {1600, 1200},
                 Mode{Mjpeg, {1280, 960}}},
        ModeCase{"FormatsItCannotDecodeAreIgnored",
                 {{H264, {640, 480}}, {V4L2_PIX_FMT_NV12, {640, 480}}, {Yuyv, {320, 240}}},
                 {640, 480},
                 Mode{Yuyv, {320, 240}}},
        ModeCase{"OddWidthYuyvIsIgnored", {{Yuyv, {641, 480}}, {Yuyv, {320, 240}}}, {640, 480}, Mode{Yuyv, {320, 240}}},
        ModeCase{"NoDecodableFormatGivesNone", {{H264, {1280, 960}}}, {1280, 960}, std::nullopt}),
    [](const testing::TestParamInfo<ModeCase> &info) { return std::string(info.param.name); });

bool decodeMjpeg(const FrameDecoding::MjpegDecoder &decoder, const QByteArray &jpeg, QImage &out)
{
    return FrameDecoding::decodeMjpegFrame(decoder.get(), reinterpret_cast<const uint8_t *>(jpeg.constData()), size_t(jpeg.size()), out);
}

TEST(MjpegDecode, ColoursComeOutRightCorruptDataIsRejectedAndTheDestinationsStrideIsKept)
{
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage out;
    const QByteArray jpeg = jpegOf({320, 240});
    ASSERT_TRUE(decodeMjpeg(decoder, jpeg, out));
    EXPECT_EQ(out.size(), QSize(320, 240));
    EXPECT_EQ(out.format(), QImage::Format_RGB32);
    EXPECT_TRUE(showsQuadrants(out));
    EXPECT_FALSE(decodeMjpeg(decoder, jpeg.left(jpeg.size() / 2), out)) << "cut off in the middle of the scan";
    EXPECT_FALSE(decodeMjpeg(decoder, jpeg.left(100), out)) << "cut off in the header";
    EXPECT_FALSE(decodeMjpeg(decoder, QByteArray(), out)) << "empty";
    EXPECT_TRUE(decodeMjpeg(decoder, jpeg, out)) << "the decoder recovers for the next frame";

    // Lines 64 pixels wide in a buffer of 80-pixel lines: the 16 spare pixels stay as they were.
    constexpr int Stride = 80 * 4;
    std::vector<uchar> buffer(size_t(Stride) * 32, 0xab);
    QImage padded(buffer.data(), 64, 32, Stride, QImage::Format_RGB32);
    const QByteArray small = jpegOf({64, 32});
    ASSERT_TRUE(decodeMjpeg(decoder, small, padded));
    EXPECT_EQ(padded.constBits(), buffer.data()) << "decoded in place";
    EXPECT_TRUE(showsQuadrants(padded));
    for (int y = 0; y < 32; ++y)
        for (int x = 64 * 4; x < Stride; ++x)
            ASSERT_EQ(buffer[size_t(y) * Stride + x], 0xab) << "padding of line " << y;

    // A frame handed on to someone who still holds it keeps its pixels.
    QImage frame(64, 32, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const QImage held = frame;
    ASSERT_TRUE(decodeMjpeg(decoder, small, frame));
    EXPECT_TRUE(showsQuadrants(frame));
    EXPECT_EQ(held.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(YuyvConvert, KnownColoursWithLinePaddingAndRefusals)
{
    // Two lines of four pixels with four bytes of padding each: white, black / red, blue pairs.
    const uint8_t frame[] = {235, 128, 235, 128, 16, 128, 16, 128, 0xee, 0xee, 0xee, 0xee,
                             81,  90,  81,  240, 41, 240, 41, 110, 0xee, 0xee, 0xee, 0xee};
    QImage out;
    ASSERT_TRUE(FrameDecoding::convertYuyvFrame(frame, sizeof frame, 12, {4, 2}, out));
    EXPECT_EQ(out.size(), QSize(4, 2));
    const QColor expected[2][2] = {{Qt::white, Qt::black}, {Qt::red, Qt::blue}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(colourNear(out, {x, y}, expected[y][x / 2], y == 0 ? 3 : 6));

    std::vector<uint8_t> grey(size_t(8 * 4 * 2), 128);
    const auto convert = [&](size_t size, int stride, QSize frameSize) {
        return FrameDecoding::convertYuyvFrame(grey.data(), size, stride, frameSize, out);
    };
    EXPECT_TRUE(convert(grey.size(), 16, {8, 4}));
    EXPECT_FALSE(convert(grey.size() - 1, 16, {8, 4})) << "short buffer";
    EXPECT_FALSE(convert(grey.size(), 14, {8, 4})) << "stride shorter than a line";
    EXPECT_FALSE(convert(grey.size(), 16, {7, 4})) << "odd width";
    EXPECT_FALSE(convert(grey.size(), 16, {0, 4}));
}

// Stands in for a UVC driver on one node: offers discrete modes (or a stepwise range), hands
// out queued payloads through mmap buffers, and can fail as an unplugged camera does.
class FakeV4l2Driver : public V4l2Io {
public:
    static constexpr int Fd = 42;
    static constexpr size_t BufferSize = 1 << 20;

    std::map<uint32_t, std::vector<QSize>> modes{{Mjpeg, {{320, 240}}}}; // ENUM_FMT: fourcc order
    std::map<uint32_t, v4l2_frmsize_stepwise> ranges;
    // ENUM_FRAMEINTERVALS: discrete intervals of every size, or one range when set.
    std::vector<v4l2_fract> intervals;
    std::optional<v4l2_frmival_stepwise> intervalRange;
    int openErrno = 0;
    v4l2_pix_format format{}; // set by S_FMT, which runs on the test's thread
    std::atomic<bool> isOpen{false}, streaming{false};
    std::atomic<int> streamOns{0}, mapped{0}, allocated{0};

    void queuePayload(const QByteArray &payload)
    {
        change([&] { payloads_.push_back(payload); });
    }
    // From now on poll() reports an error and DQBUF fails with `errorNumber`.
    void fail(int errorNumber)
    {
        change([&] { failErrno_ = errorNumber; });
    }

    int open(const char *, int flags) override
    {
        EXPECT_TRUE((flags & O_NONBLOCK) && (flags & O_CLOEXEC));
        isOpen = !openErrno;
        return openErrno ? error(openErrno) : Fd;
    }
    int close(int) override
    {
        isOpen = false;
        return 0;
    }

    int ioctl(int fd, unsigned long request, void *arg) override
    {
        EXPECT_EQ(fd, Fd);
        std::lock_guard<std::mutex> lock(mutex_);
        auto *buffer = static_cast<v4l2_buffer *>(arg);
        switch (request) {
        case VIDIOC_ENUM_FMT: {
            auto *desc = static_cast<v4l2_fmtdesc *>(arg);
            if (desc->index >= modes.size())
                return error(EINVAL);
            desc->pixelformat = std::next(modes.begin(), desc->index)->first;
            return 0;
        }
        case VIDIOC_ENUM_FRAMESIZES: {
            auto *size = static_cast<v4l2_frmsizeenum *>(arg);
            EXPECT_TRUE(size->pixel_format == Mjpeg || size->pixel_format == Yuyv) << "sizes of a format it cannot use";
            if (const auto range = ranges.find(size->pixel_format); range != ranges.end() && size->index == 0) {
                size->type = V4L2_FRMSIZE_TYPE_STEPWISE;
                size->stepwise = range->second;
                return 0;
            }
            const auto it = modes.find(size->pixel_format);
            if (it == modes.end() || size->index >= it->second.size())
                return error(EINVAL);
            size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
            size->discrete = {uint32_t(it->second[size->index].width()), uint32_t(it->second[size->index].height())};
            return 0;
        }
        case VIDIOC_ENUM_FRAMEINTERVALS: {
            auto *interval = static_cast<v4l2_frmivalenum *>(arg);
            if (intervalRange && interval->index == 0) {
                interval->type = V4L2_FRMIVAL_TYPE_STEPWISE;
                interval->stepwise = *intervalRange;
                return 0;
            }
            if (intervalRange || interval->index >= intervals.size())
                return error(EINVAL);
            interval->type = V4L2_FRMIVAL_TYPE_DISCRETE;
            interval->discrete = intervals[interval->index];
            return 0;
        }
        case VIDIOC_S_FMT: {
            auto &pix = static_cast<v4l2_format *>(arg)->fmt.pix;
            const auto it = modes.find(pix.pixelformat);
            if (allocated)
                return error(EBUSY);
            if (it == modes.end() || !std::count(it->second.begin(), it->second.end(), QSize(pix.width, pix.height)))
                return error(EINVAL);
            pix.bytesperline = pix.pixelformat == Yuyv ? pix.width * 2 : 0;
            format = pix;
            return 0;
        }
        case VIDIOC_REQBUFS: {
            auto *request = static_cast<v4l2_requestbuffers *>(arg);
            if (streaming || request->memory != V4L2_MEMORY_MMAP)
                return error(EBUSY);
            EXPECT_EQ(mapped, 0) << "buffers freed while mapped";
            buffers_.assign(request->count, QByteArray(BufferSize, '\0'));
            allocated = int(request->count);
            queued_.clear();
            return 0;
        }
        case VIDIOC_QUERYBUF:
        case VIDIOC_QBUF:
            if (buffer->index >= buffers_.size())
                return error(EINVAL);
            buffer->length = BufferSize;
            buffer->m.offset = buffer->index * 4096;
            if (request == VIDIOC_QBUF) {
                queued_.push_back(buffer->index);
                changed_.notify_all();
            }
            return 0;
        case VIDIOC_DQBUF:
            if (failErrno_ || !frameReady())
                return error(failErrno_ ? failErrno_ : EAGAIN);
            buffer->index = queued_.front();
            queued_.pop_front();
            buffer->bytesused = uint32_t(payloads_.front().size());
            buffer->flags = 0;
            std::memcpy(buffers_[buffer->index].data(), payloads_.front().constData(), buffer->bytesused);
            payloads_.pop_front();
            return 0;
        case VIDIOC_STREAMON:
            ++streamOns;
            streaming = true;
            return 0;
        case VIDIOC_STREAMOFF:
            streaming = false;
            queued_.clear();
            return 0;
        default:
            return error(ENOTTY);
        }
    }

    int poll(int fd, short, int timeoutMs, short *revents) override
    {
        EXPECT_EQ(fd, Fd);
        std::unique_lock<std::mutex> lock(mutex_);
        const bool ready = changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return failErrno_ || frameReady(); });
        *revents = !ready ? 0 : failErrno_ ? short(POLLERR) : short(POLLIN);
        return ready ? 1 : 0;
    }

    void *mmap(size_t length, int, off_t offset) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        EXPECT_LE(length, BufferSize);
        ++mapped;
        return buffers_.at(size_t(offset / 4096)).data();
    }
    int munmap(void *, size_t) override
    {
        --mapped;
        return 0;
    }

private:
    static int error(int errorNumber)
    {
        errno = errorNumber;
        return -1;
    }
    bool frameReady() const { return streaming && !payloads_.empty() && !queued_.empty(); }
    template<typename F> void change(F f)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        f();
        lock.unlock();
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QByteArray> payloads_;
    std::vector<QByteArray> buffers_;
    std::deque<uint32_t> queued_;
    int failErrno_ = 0;
};

TEST(ModeListing, DiscreteSizesTheUsefulPointsOfARangeAndTheirRates)
{
    FakeV4l2Driver io;
    io.modes = {{H264, {{640, 480}}}, {Yuyv, {{640, 480}, {320, 240}}}, {Mjpeg, {}}};
    io.ranges[Mjpeg] = {160, 1600, 16, 120, 1200, 8};
    const std::vector<Mode> expected = {{Mjpeg, {1008, 752}}, {Mjpeg, {1600, 1200}}, {Yuyv, {640, 480}}, {Yuyv, {320, 240}}};
    const auto listed = enumerateCaptureModes(io, FakeV4l2Driver::Fd, {1000, 750});
    EXPECT_EQ(listed, expected) << "the range gives the nearest size on its grid, rounded up, and its largest";
    const auto clamped = enumerateCaptureModes(io, FakeV4l2Driver::Fd, {2000, 100});
    ASSERT_EQ(clamped.size(), 4u);
    EXPECT_EQ(clamped[0], (Mode{Mjpeg, {1600, 120}})) << "clamped to the range";

    // The sizes offered for the user to choose: discrete ones as listed, the common sizes on a
    // range's grid and its largest, each with its rates.
    io.ranges[Mjpeg] = {128, 1920, 64, 120, 1080, 8};
    io.intervals = {{1, 30}, {1, 15}, {2, 15}, {1, 30}, {0, 1}};
    const std::vector<uint32_t> rates = {30, 15, 8};
    const std::vector<V4l2FrameSize> sizes = {{Mjpeg, {1920, 1080}, rates}, {Mjpeg, {1280, 960}, rates}, {Mjpeg, {1280, 720}, rates},
                                              {Mjpeg, {1024, 768}, rates},  {Mjpeg, {640, 480}, rates},  {Mjpeg, {640, 360}, rates},
                                              {Mjpeg, {320, 240}, rates},   {Yuyv, {640, 480}, rates},   {Yuyv, {320, 240}, rates}};
    EXPECT_EQ(listFrameSizes(io, FakeV4l2Driver::Fd), sizes) << "1600x1200 lies outside the range, 800x600 off its grid";

    io.intervalRange = v4l2_frmival_stepwise{{1, 24}, {1, 4}, {1, 1}};
    io.ranges.clear();
    EXPECT_EQ(listFrameSizes(io, FakeV4l2Driver::Fd).front(), (V4l2FrameSize{Yuyv, {640, 480}, {24, 20, 15, 10, 5}}))
        << "a range of intervals: its highest rate and the common rates within it";
}

// Frames and errors a device delivered, from its frame thread.
class Receiver {
    template<typename F> auto locked(F f) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return f();
    }
    mutable std::mutex mutex_;
    std::vector<QImage> frames_;
    std::vector<FramePayload::Format> formats_;
    std::vector<CaptureDevice::Error> errors_;
    LiveFrameDecoder decoder_; // on the frame thread

public:
    void attach(CaptureDevice &device)
    {
        device.setFrameCallback([this](const FramePayload &payload) {
            QImage frame;
            if (decoder_.decodeWhole(payload, frame))
                locked([&] {
                    frames_.push_back(frame);
                    formats_.push_back(payload.format);
                });
        });
        device.setErrorCallback([this](const CaptureDevice::Error &e) { locked([&] { errors_.push_back(e); }); });
    }
    std::vector<QImage> frames() const
    {
        return locked([&] { return frames_; });
    }
    std::vector<FramePayload::Format> formats() const
    {
        return locked([&] { return formats_; });
    }
    std::vector<CaptureDevice::Error> errors() const
    {
        return locked([&] { return errors_; });
    }
    int frameCount() const { return int(frames().size()); }
    QImage frame(int index) const { return frames().at(size_t(index)); }
    bool waitForFrames(int count, int timeoutMs = 5000) const
    {
        return waitUntil([&] { return frameCount() >= count; }, timeoutMs);
    }
    bool waitForError() const
    {
        return waitUntil([&] { return !errors().empty(); });
    }
};

class V4l2Stream : public testing::Test {
protected:
    void openAndStart(const QSize &size = {320, 240})
    {
        CaptureDevice::Error error;
        ASSERT_TRUE(device.open(&error)) << qPrintable(error.description);
        device.setFrameSize(size);
        ASSERT_TRUE(device.startRunning(&error)) << qPrintable(error.description);
        EXPECT_TRUE(device.isRunning());
    }

    FakeV4l2Driver driver;
    Receiver receiver; // outlives the device's frame thread
    V4l2CaptureDevice device{QStringLiteral("/dev/video7"), driver};
    void SetUp() override { receiver.attach(device); }
};

struct FormatCase {
    const char *name;
    std::map<uint32_t, std::vector<QSize>> modes;
    uint32_t streamed;
    int tolerance;
};

void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.name; }

class V4l2Format : public V4l2Stream, public testing::WithParamInterface<FormatCase> {};

TEST_P(V4l2Format, ExactSizeIsStreamedUnscaledAndCloseReleasesEverything)
{
    driver.modes = GetParam().modes;
    openAndStart({640, 480});
    EXPECT_EQ(driver.format.pixelformat, GetParam().streamed);
    EXPECT_EQ(device.streamMode(), (Mode{GetParam().streamed, {640, 480}}));
    for (int i = 0; i < 2; ++i)
        driver.queuePayload(GetParam().streamed == Mjpeg ? jpegOf({640, 480}) : yuyvQuadrants({640, 480}));
    ASSERT_TRUE(receiver.waitForFrames(2));
    EXPECT_EQ(receiver.frame(1).size(), QSize(640, 480));
    EXPECT_TRUE(showsQuadrants(receiver.frame(1), GetParam().tolerance));

    device.close();
    EXPECT_FALSE(device.isRunning());
    EXPECT_FALSE(driver.streaming);
    EXPECT_EQ(driver.mapped, 0);
    EXPECT_EQ(driver.allocated, 0);
    EXPECT_FALSE(driver.isOpen);
}

INSTANTIATE_TEST_SUITE_P(Formats, V4l2Format,
                         testing::Values(FormatCase{"MjpegPreferred", {{Yuyv, {{640, 480}}}, {Mjpeg, {{320, 240}, {640, 480}}}}, Mjpeg, 12},
                                         FormatCase{"YuyvOnlyIsConverted", {{Yuyv, {{320, 240}, {640, 480}}}}, Yuyv, 6}),
                         [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

TEST_F(V4l2Stream, CorruptFramesAreSkippedAndTheStreamGoesOn)
{
    openAndStart();
    const QByteArray good = jpegOf({320, 240});
    driver.queuePayload(good.left(good.size() / 3));
    driver.queuePayload(QByteArray(2000, '\0'));
    driver.queuePayload(good);
    ASSERT_TRUE(receiver.waitForFrames(1));
    EXPECT_TRUE(showsQuadrants(receiver.frame(0)));
    // More payloads than buffers went through: the skipped ones were given back to the driver.
    for (int i = 0; i < 6; ++i)
        driver.queuePayload(i % 2 ? good : good.left(50));
    ASSERT_TRUE(receiver.waitForFrames(4));
    device.stopRunning();
    EXPECT_EQ(receiver.frameCount(), 4);
    EXPECT_TRUE(receiver.errors().empty());
}

struct FailureCase {
    const char *name;
    int errorNumber;
    const char *description;
};

void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.name; }

class V4l2StreamFailure : public V4l2Stream, public testing::WithParamInterface<FailureCase> {};

TEST_P(V4l2StreamFailure, EndsTheStreamWithOneError)
{
    const auto [name, errorNumber, description] = GetParam();
    openAndStart();
    driver.queuePayload(jpegOf({320, 240}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    driver.fail(errorNumber);
    ASSERT_TRUE(receiver.waitForError());
    const CaptureDevice::Error error = receiver.errors().front();
    EXPECT_EQ(error.description, QString::fromUtf8(description));
    EXPECT_FALSE(error.recoverySuggestion.isEmpty());
    EXPECT_TRUE(errorNumber != EIO || error.recoverySuggestion.contains(qt_error_string(EIO)))
        << "the system's message: " << qPrintable(error.recoverySuggestion);
    EXPECT_TRUE(waitUntil([&] { return !device.isRunning(); }));
    device.close();
    EXPECT_EQ(receiver.errors().size(), 1u);
    EXPECT_EQ(driver.mapped, 0);
}

INSTANTIATE_TEST_SUITE_P(Errors, V4l2StreamFailure,
                         testing::Values(FailureCase{"Unplugged", ENODEV, "The camera was disconnected."},
                                         FailureCase{"IoError", EIO, "The camera stopped sending pictures."}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(V4l2Stream, NewFrameSizeRestartsTheStreamInTheNewModeScaledWhenMissing)
{
    driver.modes = {{Mjpeg, {{320, 240}, {640, 480}, {1600, 1200}, {1280, 960}}}};
    openAndStart();
    driver.queuePayload(jpegOf({320, 240}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    EXPECT_EQ(driver.streamOns, 1);

    device.setFrameSize({1024, 768});
    EXPECT_TRUE(device.isRunning());
    EXPECT_EQ(driver.streamOns, 2);
    EXPECT_EQ(device.streamMode(), (Mode{Mjpeg, {1280, 960}}));
    driver.queuePayload(jpegOf({1280, 960}));
    ASSERT_TRUE(receiver.waitForFrames(2));
    EXPECT_EQ(receiver.frame(1).size(), QSize(1024, 768));
    EXPECT_TRUE(showsQuadrants(receiver.frame(1)));

    // The same size again restarts too: that is how a stalled stream is kicked.
    device.setFrameSize({1024, 768});
    EXPECT_EQ(driver.streamOns, 3);
    EXPECT_TRUE(device.isRunning());
}

TEST_F(V4l2Stream, StopReturnsWithTheFrameThreadOutOfTheCallback)
{
    std::atomic<bool> inCallback{false};
    std::atomic<int> calls{0};
    device.setFrameCallback([&](const FramePayload &) {
        inCallback = true;
        ++calls;
        inCallback = false;
    });
    openAndStart();
    for (int i = 0; i < 3; ++i)
        driver.queuePayload(jpegOf({320, 240}));
    ASSERT_TRUE(waitUntil([&] { return calls > 0; }));
    device.stopRunning();
    EXPECT_FALSE(inCallback);
    const int seen = calls;
    driver.queuePayload(jpegOf({320, 240}));
    EXPECT_FALSE(waitUntil([&] { return calls != seen; }, 100)) << "a frame after stopRunning()";
    EXPECT_FALSE(device.isRunning());

    // And it starts again on the same open node.
    CaptureDevice::Error error;
    ASSERT_TRUE(device.startRunning(&error)) << qPrintable(error.description);
    EXPECT_TRUE(waitUntil([&] { return calls > seen; }));
    device.close(); // before the counters the callback uses go away
}

TEST_F(V4l2Stream, OpenFailureExplainsWhatToDoAndNoDecodableFormatDoesNotStart)
{
    driver.openErrno = EBUSY;
    CaptureDevice::Error error;
    EXPECT_FALSE(device.open(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera's video could not be opened."));
    EXPECT_TRUE(error.recoverySuggestion.startsWith(QStringLiteral("Check that no other program uses the camera")));
    EXPECT_TRUE(error.recoverySuggestion.contains(qt_error_string(EBUSY)));
    EXPECT_FALSE(device.startRunning(&error)) << "not open";

    driver.openErrno = 0;
    driver.modes = {{H264, {{640, 480}}}};
    ASSERT_TRUE(device.open(&error));
    error = {};
    EXPECT_FALSE(device.startRunning(&error));
    EXPECT_FALSE(error.description.isEmpty());
    EXPECT_FALSE(device.isRunning());
    EXPECT_EQ(driver.allocated, 0);
}

// The names of this process's threads.
QStringList threadNames()
{
    QStringList names;
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly))
            names << QString::fromUtf8(comm.readAll()).trimmed();
    }
    return names;
}

class VirtualCapture : public testing::Test {
protected:
    std::unique_ptr<CaptureDevice> deviceOf(const VirtualCamera &cam)
    {
        const DeviceInfo info = cam.deviceInfo();
        return backend.deviceWithUniqueID(LumoCamera::makeCaptureDeviceLocationId(info.locationId, info.vendorId, info.productId));
    }

    std::unique_ptr<CaptureDevice> startDevice(const QSize &size)
    {
        auto device = deviceOf(*camera);
        if (!device)
            return nullptr;
        CaptureDevice::Error error;
        receiver.attach(*device);
        device->setFrameSize(size);
        return device->open(&error) && device->startRunning(&error) ? std::move(device) : nullptr;
    }

    // Frames keep coming: `count` more than there are now.
    bool framesFlow(int count = 3) const { return receiver.waitForFrames(receiver.frameCount() + count); }

    VirtualCameraHub hub;
    VirtualCaptureBackend backend{hub};
    std::shared_ptr<VirtualCamera> camera = hub.plug(VirtualCamera::Model::Arvo); // camera 1
    Receiver receiver;
};

TEST_F(VirtualCapture, DevicesAreFoundByTheCamerasUniqueIdAndUnpluggedOnesDoNotOpen)
{
    auto device = deviceOf(*camera);
    EXPECT_NE(device, nullptr);
    EXPECT_NE(deviceOf(*hub.plug(VirtualCamera::Model::Tobble)), nullptr);
    EXPECT_NE(deviceOf(*hub.plug(VirtualCamera::Model::Uvc)), nullptr);
    EXPECT_EQ(backend.deviceWithUniqueID(QStringLiteral("0x1230000fe110a01")), nullptr);
    EXPECT_EQ(backend.deviceWithUniqueID(QString()), nullptr);
    hub.unplug(camera->id());
    EXPECT_EQ(deviceOf(*camera), nullptr) << "unplugged";
    CaptureDevice::Error error;
    EXPECT_FALSE(device->open(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera's video could not be opened."));
}

TEST_F(VirtualCapture, FramesOfTheRequestedSizeWithAMovingPartSentAsARealCameraSendsThem)
{
    auto device = startDevice({320, 240});
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(receiver.waitForFrames(2));
    EXPECT_EQ(receiver.frame(0).size(), QSize(320, 240));
    EXPECT_NE(receiver.frame(0), receiver.frame(1));
    EXPECT_EQ(receiver.formats().front(), FramePayload::Format::Yuyv);
    // The camera's side and the frame thread are two named threads, as top -H shows them.
    const QStringList threads = threadNames();
    EXPECT_TRUE(threads.contains("vcam-frames")) << qPrintable(threads.join(' '));
    EXPECT_TRUE(threads.contains("frames")) << qPrintable(threads.join(' '));

    // A small frame already on its way is still shown at the new size; the ones after it are JPEG.
    device->setFrameSize({800, 600});
    EXPECT_TRUE(waitUntil(
        [&] { return receiver.frames().back().size() == QSize(800, 600) && receiver.formats().back() == FramePayload::Format::Mjpeg; }));
    device->stopRunning();
    EXPECT_FALSE(device->isRunning());
    EXPECT_FALSE(receiver.waitForFrames(receiver.frameCount() + 1, 100)) << "a frame after stopRunning()";

    // Started again (a paused picture resumed), the page has moved on as under a real camera.
    std::vector<QImage> firstFrames;
    for (int run = 0; run < 2; ++run) {
        const int before = receiver.frameCount();
        CaptureDevice::Error error;
        ASSERT_TRUE(device->startRunning(&error));
        ASSERT_TRUE(receiver.waitForFrames(before + 1));
        device->stopRunning();
        firstFrames.push_back(receiver.frame(before));
    }
    EXPECT_NE(firstFrames[0], firstFrames[1]);
}

TEST_F(VirtualCapture, StallCommandIsSilentAndUnplugEndsTheStreamWithAnError)
{
    ControlServer server;
    addVirtualCameraCommands(server, hub, [] { return QString(); });
    const auto run = [&](const char *command) { return server.execute(QString::fromUtf8(command)); };
    auto device = startDevice({160, 120});
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(framesFlow());
    EXPECT_TRUE(run("stall 1 on").startsWith("ok"));
    EXPECT_TRUE(run("state 1").contains("stalled yes"));
    // A frame already being painted when the stall began may still arrive; none after it.
    EXPECT_FALSE(receiver.waitForFrames(receiver.frameCount() + 2, 150));
    EXPECT_TRUE(device->isRunning()) << "a stall is silent";
    EXPECT_TRUE(receiver.errors().empty());
    EXPECT_TRUE(run("stall 1 off").startsWith("ok"));
    ASSERT_TRUE(framesFlow());
    EXPECT_TRUE(run("stall 1 maybe").contains("usage: stall ID on|off"));
    EXPECT_TRUE(run("stall 9 on").startsWith("error"));

    hub.unplug(camera->id());
    ASSERT_TRUE(receiver.waitForError());
    EXPECT_EQ(receiver.errors().front().description, QStringLiteral("The camera was disconnected."));
    EXPECT_TRUE(waitUntil([&] { return !device->isRunning(); }));
    EXPECT_FALSE(receiver.waitForFrames(receiver.frameCount() + 1, 100));
    CaptureDevice::Error error;
    EXPECT_FALSE(device->startRunning(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera was disconnected."));
    device->close();
    EXPECT_EQ(receiver.errors().size(), 1u);
}

} // namespace
