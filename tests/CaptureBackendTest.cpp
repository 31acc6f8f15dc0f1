#include "TestSupport.h"
#include "capture/FrameDecoding.h"
#include "capture/linux/V4l2CaptureDevice.h"
#include "capture/linux/V4l2CaptureMode.h"
#include "capture/virtual/SyntheticPage.h"
#include "capture/virtual/VirtualCaptureBackend.h"
#include "capture/virtual/VirtualCaptureDevice.h"
#include "core/Delays.h"
#include "device/LumoCamera.h"
#include "device/virtual/ControlServer.h"
#include "device/virtual/VirtualCameraCommands.h"
#include "device/virtual/VirtualCameraHub.h"

#include <QPainter>
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

QT_BEGIN_NAMESPACE
inline void PrintTo(const QSize &size, std::ostream *os)
{
    *os << size.width() << "x" << size.height();
}
QT_END_NAMESPACE

inline void PrintTo(const V4l2CaptureMode &mode, std::ostream *os)
{
    *os << qPrintable(describeCaptureMode(mode));
}

namespace {

constexpr uint32_t Mjpeg = V4L2_PIX_FMT_MJPEG;
constexpr uint32_t Yuyv = V4L2_PIX_FMT_YUYV;

// A picture of four quadrants: red, green / blue, white.
QImage quadrants(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::white);
    return image;
}

QByteArray encodeJpeg(const QImage &image, int subsampling = TJSAMP_420)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    tjhandle encoder = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(encoder, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()),
                                   rgb.height(), TJPF_BGRX, &jpeg, &size, subsampling, 95, 0);
    QByteArray bytes = result == 0 ? QByteArray(reinterpret_cast<const char *>(jpeg), int(size))
                                   : QByteArray();
    tjFree(jpeg);
    tjDestroy(encoder);
    return bytes;
}

// Each channel within `tolerance` of the expected colour, and opaque.
testing::AssertionResult colourNear(const QImage &image, QPoint at, QColor expected,
                                    int tolerance = 12)
{
    const QRgb pixel = image.pixel(at);
    if (qAlpha(pixel) != 255 || std::abs(qRed(pixel) - expected.red()) > tolerance
        || std::abs(qGreen(pixel) - expected.green()) > tolerance
        || std::abs(qBlue(pixel) - expected.blue()) > tolerance)
        return testing::AssertionFailure()
            << "pixel at " << at.x() << "," << at.y() << " is " << qPrintable(QColor::fromRgba(pixel).name(QColor::HexArgb))
            << ", expected " << qPrintable(expected.name());
    return testing::AssertionSuccess();
}

// The quadrants' centres hold their colours.
testing::AssertionResult showsQuadrants(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    for (const auto &[at, colour] : {std::pair{QPoint(w / 4, h / 4), QColor(Qt::red)},
                                     std::pair{QPoint(3 * w / 4, h / 4), QColor(Qt::green)},
                                     std::pair{QPoint(w / 4, 3 * h / 4), QColor(Qt::blue)},
                                     std::pair{QPoint(3 * w / 4, 3 * h / 4), QColor(Qt::white)}}) {
        const auto result = colourNear(image, at, colour);
        if (!result)
            return result;
    }
    return testing::AssertionSuccess();
}

// ---- Mode choice ---------------------------------------------------------------------------

struct ModeCase {
    const char *name;
    std::vector<V4l2CaptureMode> offered;
    QSize requested;
    std::optional<V4l2CaptureMode> expected;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModeChoice : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeChoice, PicksTheClosestSizeThenMjpeg)
{
    const ModeCase &c = GetParam();
    EXPECT_EQ(chooseCaptureMode(c.offered, c.requested), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeChoice,
    testing::Values(
        ModeCase{"ExactSizeInBothFormatsTakesMjpeg",
                 {{Yuyv, {1280, 960}}, {Mjpeg, {640, 480}}, {Mjpeg, {1280, 960}}},
                 {1280, 960},
                 V4l2CaptureMode{Mjpeg, {1280, 960}}},
        ModeCase{"ExactSizeOnlyInYuyvBeatsScaledMjpeg",
                 {{Mjpeg, {1600, 1200}}, {Yuyv, {1280, 1024}}},
                 {1280, 1024},
                 V4l2CaptureMode{Yuyv, {1280, 1024}}},
        ModeCase{"NoExactSizeTakesTheSmallestLargerOne",
                 {{Mjpeg, {640, 480}}, {Mjpeg, {1600, 1200}}, {Mjpeg, {1280, 960}},
                  {Mjpeg, {800, 600}}},
                 {1024, 768},
                 V4l2CaptureMode{Mjpeg, {1280, 960}}},
        ModeCase{"LargerMeansLargerInBothDirections",
                 {{Mjpeg, {1280, 720}}, {Mjpeg, {1600, 1200}}},
                 {1024, 768},
                 V4l2CaptureMode{Mjpeg, {1600, 1200}}},
        ModeCase{"SmallestLargerSizeEvenInYuyv",
                 {{Mjpeg, {1600, 1200}}, {Yuyv, {1280, 960}}},
                 {1024, 768},
                 V4l2CaptureMode{Yuyv, {1280, 960}}},
        ModeCase{"LargerSizeInBothFormatsTakesMjpeg",
                 {{Yuyv, {1280, 960}}, {Mjpeg, {1280, 960}}},
                 {800, 600},
                 V4l2CaptureMode{Mjpeg, {1280, 960}}},
        ModeCase{"NothingLargeEnoughTakesTheLargest",
                 {{Mjpeg, {640, 480}}, {Yuyv, {1280, 960}}, {Mjpeg, {1280, 960}}, {Mjpeg, {320, 240}}},
                 {1600, 1200},
                 V4l2CaptureMode{Mjpeg, {1280, 960}}},
        ModeCase{"FormatsItCannotDecodeAreIgnored",
                 {{V4L2_PIX_FMT_H264, {640, 480}}, {V4L2_PIX_FMT_NV12, {640, 480}},
                  {Yuyv, {320, 240}}},
                 {640, 480},
                 V4l2CaptureMode{Yuyv, {320, 240}}},
        ModeCase{"OddWidthYuyvIsIgnored",
                 {{Yuyv, {641, 480}}, {Yuyv, {320, 240}}},
                 {640, 480},
                 V4l2CaptureMode{Yuyv, {320, 240}}},
        ModeCase{"NoDecodableFormatGivesNone",
                 {{V4L2_PIX_FMT_H264, {1280, 960}}},
                 {1280, 960},
                 std::nullopt},
        ModeCase{"NothingOfferedGivesNone", {}, {640, 480}, std::nullopt}),
    [](const testing::TestParamInfo<ModeCase> &info) { return std::string(info.param.name); });

// A camera listing an H.264 format, YUYV in two discrete sizes and MJPEG as a stepwise range.
class ModeListingIo : public V4l2Io {
public:
    int open(const char *, int) override { return 3; }
    int close(int) override { return 0; }
    int poll(int, short, int, short *) override { return 0; }
    void *mmap(size_t, int, off_t) override { return MAP_FAILED; }
    int munmap(void *, size_t) override { return 0; }

    int ioctl(int, unsigned long request, void *arg) override
    {
        static const uint32_t formats[] = {V4L2_PIX_FMT_H264, Yuyv, Mjpeg};
        if (request == VIDIOC_ENUM_FMT) {
            auto *desc = static_cast<v4l2_fmtdesc *>(arg);
            if (desc->index >= 3) {
                errno = EINVAL;
                return -1;
            }
            desc->pixelformat = formats[desc->index];
            return 0;
        }
        if (request == VIDIOC_ENUM_FRAMESIZES) {
            auto *size = static_cast<v4l2_frmsizeenum *>(arg);
            EXPECT_NE(size->pixel_format, V4L2_PIX_FMT_H264) << "sizes of a format it cannot use";
            if (size->pixel_format == Yuyv && size->index < 2) {
                size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
                size->discrete = size->index == 0 ? v4l2_frmsize_discrete{640, 480}
                                                  : v4l2_frmsize_discrete{320, 240};
                return 0;
            }
            if (size->pixel_format == Mjpeg && size->index == 0) {
                size->type = V4L2_FRMSIZE_TYPE_STEPWISE;
                size->stepwise = {160, 1600, 16, 120, 1200, 8};
                return 0;
            }
        }
        errno = EINVAL;
        return -1;
    }
};

TEST(ModeListing, DiscreteSizesAndTheUsefulPointsOfARange)
{
    ModeListingIo io;
    const std::vector<V4l2CaptureMode> expected = {
        {Yuyv, {640, 480}}, {Yuyv, {320, 240}}, {Mjpeg, {1008, 752}}, {Mjpeg, {1600, 1200}}};
    EXPECT_EQ(enumerateCaptureModes(io, 3, {1000, 750}), expected)
        << "the range gives the nearest size on its grid, rounded up, and its largest";
    const auto clamped = enumerateCaptureModes(io, 3, {2000, 100});
    ASSERT_EQ(clamped.size(), 4u);
    EXPECT_EQ(clamped[2], (V4l2CaptureMode{Mjpeg, {1600, 120}})) << "clamped to the range";
    EXPECT_EQ(chooseCaptureMode(enumerateCaptureModes(io, 3, {1000, 750}), {1000, 750}),
              (V4l2CaptureMode{Mjpeg, {1008, 752}}));
}

// ---- Frame decoding ------------------------------------------------------------------------

TEST(MjpegDecode, ColoursAndSizeComeOutRight)
{
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    for (int subsampling : {TJSAMP_420, TJSAMP_422}) {
        const QByteArray jpeg = encodeJpeg(quadrants({320, 240}), subsampling);
        ASSERT_FALSE(jpeg.isEmpty());
        QImage out;
        ASSERT_TRUE(FrameDecoding::decodeMjpegFrame(
            decoder.get(), reinterpret_cast<const uint8_t *>(jpeg.constData()), size_t(jpeg.size()), out));
        EXPECT_EQ(out.size(), QSize(320, 240));
        EXPECT_EQ(out.format(), QImage::Format_RGB32);
        EXPECT_TRUE(showsQuadrants(out)) << "subsampling " << subsampling;
    }
}

TEST(MjpegDecode, RespectsTheDestinationsLineStrideAndNeverWritesASharedFrame)
{
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    const QByteArray jpeg = encodeJpeg(quadrants({64, 32}));
    const auto *data = reinterpret_cast<const uint8_t *>(jpeg.constData());

    // Lines 64 pixels wide in a buffer of 80-pixel lines: the 16 spare pixels stay as they were.
    constexpr int Stride = 80 * 4;
    std::vector<uchar> buffer(size_t(Stride) * 32, 0xab);
    QImage padded(buffer.data(), 64, 32, Stride, QImage::Format_RGB32);
    ASSERT_TRUE(FrameDecoding::decodeMjpegFrame(decoder.get(), data, size_t(jpeg.size()), padded));
    EXPECT_EQ(padded.constBits(), buffer.data()) << "decoded in place";
    EXPECT_TRUE(showsQuadrants(padded));
    for (int y = 0; y < 32; ++y)
        for (int x = 64 * 4; x < Stride; ++x)
            ASSERT_EQ(buffer[size_t(y) * Stride + x], 0xab) << "padding of line " << y;

    // A frame handed on to someone who still holds it keeps its pixels.
    QImage frame(64, 32, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const QImage held = frame;
    ASSERT_TRUE(FrameDecoding::decodeMjpegFrame(decoder.get(), data, size_t(jpeg.size()), frame));
    EXPECT_TRUE(showsQuadrants(frame));
    EXPECT_EQ(held.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(MjpegDecode, CorruptOrTruncatedDataIsRejected)
{
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    const QByteArray jpeg = encodeJpeg(quadrants({320, 240}));
    const auto decode = [&](const QByteArray &bytes) {
        QImage out;
        return FrameDecoding::decodeMjpegFrame(
            decoder.get(), reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), out);
    };
    EXPECT_TRUE(decode(jpeg));
    EXPECT_FALSE(decode(jpeg.left(jpeg.size() / 2))) << "cut off in the middle of the scan";
    EXPECT_FALSE(decode(jpeg.left(100))) << "cut off in the header";
    EXPECT_FALSE(decode(QByteArray(4096, '\x5a'))) << "not a JPEG";
    EXPECT_FALSE(decode(QByteArray())) << "empty";
    QByteArray noImageData = jpeg;
    noImageData.truncate(jpeg.indexOf("\xff\xda")); // everything before the scan, then nothing
    EXPECT_FALSE(decode(noImageData));
    EXPECT_TRUE(decode(jpeg)) << "the decoder recovers for the next frame";
}

TEST(YuyvConvert, KnownColoursWithLinePadding)
{
    // Two lines of four pixels with four bytes of padding each: white, black / red, blue pairs,
    // in BT.601 studio range as cameras send it.
    const uint8_t frame[] = {
        235, 128, 235, 128, 16, 128, 16, 128, 0xee, 0xee, 0xee, 0xee,
        81, 90, 81, 240, 41, 240, 41, 110, 0xee, 0xee, 0xee, 0xee,
    };
    QImage out;
    ASSERT_TRUE(FrameDecoding::convertYuyvFrame(frame, sizeof frame, 12, {4, 2}, out));
    EXPECT_EQ(out.size(), QSize(4, 2));
    EXPECT_EQ(out.format(), QImage::Format_RGB32);
    EXPECT_TRUE(colourNear(out, {0, 0}, Qt::white, 3));
    EXPECT_TRUE(colourNear(out, {1, 0}, Qt::white, 3));
    EXPECT_TRUE(colourNear(out, {2, 0}, Qt::black, 3));
    EXPECT_TRUE(colourNear(out, {3, 0}, Qt::black, 3));
    EXPECT_TRUE(colourNear(out, {0, 1}, Qt::red, 6));
    EXPECT_TRUE(colourNear(out, {1, 1}, Qt::red, 6));
    EXPECT_TRUE(colourNear(out, {2, 1}, Qt::blue, 6));
    EXPECT_TRUE(colourNear(out, {3, 1}, Qt::blue, 6));
}

TEST(YuyvConvert, RejectsShortBuffersAndImpossibleSizes)
{
    std::vector<uint8_t> frame(size_t(8 * 4 * 2), 128);
    QImage out;
    EXPECT_TRUE(FrameDecoding::convertYuyvFrame(frame.data(), frame.size(), 16, {8, 4}, out));
    EXPECT_FALSE(FrameDecoding::convertYuyvFrame(frame.data(), frame.size() - 1, 16, {8, 4}, out));
    EXPECT_FALSE(FrameDecoding::convertYuyvFrame(frame.data(), frame.size(), 14, {8, 4}, out))
        << "stride shorter than a line";
    EXPECT_FALSE(FrameDecoding::convertYuyvFrame(frame.data(), frame.size(), 16, {7, 4}, out))
        << "odd width";
    EXPECT_FALSE(FrameDecoding::convertYuyvFrame(frame.data(), frame.size(), 16, {0, 4}, out));
}

TEST(ScaleFrame, DownAndUpKeepTheColours)
{
    const QImage source = quadrants({320, 240});
    QImage down(160, 120, QImage::Format_RGB32);
    ASSERT_TRUE(FrameDecoding::scaleFrame(source, down));
    EXPECT_TRUE(showsQuadrants(down));
    QImage up(640, 480, QImage::Format_RGB32);
    ASSERT_TRUE(FrameDecoding::scaleFrame(source, up));
    EXPECT_TRUE(showsQuadrants(up));
    QImage wrongFormat(160, 120, QImage::Format_RGB888);
    EXPECT_FALSE(FrameDecoding::scaleFrame(source, wrongFormat));
}

// ---- V4L2 device against a fake driver -----------------------------------------------------

// Stands in for a UVC driver on one node: offers discrete modes, hands out queued payloads
// through mmap buffers, and can fail as an unplugged camera does.
class FakeV4l2Driver : public V4l2Io {
public:
    static constexpr int Fd = 42;
    static constexpr size_t BufferSize = 1 << 20;

    std::map<uint32_t, std::vector<QSize>> modes;
    int openErrno = 0;

    void queuePayload(const QByteArray &payload)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            payloads_.push_back(payload);
        }
        changed_.notify_all();
    }
    // From now on poll() reports an error and DQBUF fails with `errorNumber`.
    void fail(int errorNumber)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            failErrno_ = errorNumber;
        }
        changed_.notify_all();
    }
    v4l2_pix_format format() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return format_;
    }
    int streamOnCount() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return streamOns_;
    }
    bool streaming() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return streaming_;
    }
    int mappedBuffers() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return mapped_;
    }
    int allocatedBuffers() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return int(buffers_.size());
    }
    bool isOpen() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return open_;
    }

    int open(const char *, int flags) override
    {
        if (openErrno) {
            errno = openErrno;
            return -1;
        }
        EXPECT_TRUE(flags & O_NONBLOCK);
        EXPECT_TRUE(flags & O_CLOEXEC);
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        return Fd;
    }

    int close(int fd) override
    {
        EXPECT_EQ(fd, Fd);
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = false;
        return 0;
    }

    int ioctl(int fd, unsigned long request, void *arg) override
    {
        EXPECT_EQ(fd, Fd);
        std::lock_guard<std::mutex> lock(mutex_);
        switch (request) {
        case VIDIOC_ENUM_FMT: {
            auto *desc = static_cast<v4l2_fmtdesc *>(arg);
            auto it = modes.begin();
            std::advance(it, std::min<size_t>(desc->index, modes.size()));
            if (it == modes.end())
                return error(EINVAL);
            desc->pixelformat = it->first;
            return 0;
        }
        case VIDIOC_ENUM_FRAMESIZES: {
            auto *size = static_cast<v4l2_frmsizeenum *>(arg);
            const auto it = modes.find(size->pixel_format);
            if (it == modes.end() || size->index >= it->second.size())
                return error(EINVAL);
            size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
            size->discrete.width = uint32_t(it->second[size->index].width());
            size->discrete.height = uint32_t(it->second[size->index].height());
            return 0;
        }
        case VIDIOC_S_FMT: {
            if (!buffers_.empty())
                return error(EBUSY);
            auto *format = static_cast<v4l2_format *>(arg);
            const auto it = modes.find(format->fmt.pix.pixelformat);
            const QSize wanted(int(format->fmt.pix.width), int(format->fmt.pix.height));
            if (it == modes.end() || std::find(it->second.begin(), it->second.end(), wanted) == it->second.end())
                return error(EINVAL);
            format->fmt.pix.bytesperline =
                format->fmt.pix.pixelformat == Yuyv ? format->fmt.pix.width * 2 : 0;
            format_ = format->fmt.pix;
            return 0;
        }
        case VIDIOC_REQBUFS: {
            auto *request = static_cast<v4l2_requestbuffers *>(arg);
            if (streaming_ || request->memory != V4L2_MEMORY_MMAP)
                return error(EBUSY);
            EXPECT_EQ(mapped_, 0) << "buffers freed while mapped";
            buffers_.assign(request->count, QByteArray(BufferSize, '\0'));
            queued_.clear();
            return 0;
        }
        case VIDIOC_QUERYBUF: {
            auto *buffer = static_cast<v4l2_buffer *>(arg);
            if (buffer->index >= buffers_.size())
                return error(EINVAL);
            buffer->length = BufferSize;
            buffer->m.offset = buffer->index * 4096;
            return 0;
        }
        case VIDIOC_QBUF: {
            auto *buffer = static_cast<v4l2_buffer *>(arg);
            if (buffer->index >= buffers_.size())
                return error(EINVAL);
            queued_.push_back(buffer->index);
            changed_.notify_all();
            return 0;
        }
        case VIDIOC_DQBUF: {
            if (failErrno_)
                return error(failErrno_);
            if (!frameReady())
                return error(EAGAIN);
            auto *buffer = static_cast<v4l2_buffer *>(arg);
            const QByteArray payload = payloads_.front();
            payloads_.pop_front();
            buffer->index = queued_.front();
            queued_.pop_front();
            std::memcpy(buffers_[buffer->index].data(), payload.constData(), size_t(payload.size()));
            buffer->bytesused = uint32_t(payload.size());
            buffer->flags = 0;
            return 0;
        }
        case VIDIOC_STREAMON:
            streaming_ = true;
            ++streamOns_;
            return 0;
        case VIDIOC_STREAMOFF:
            streaming_ = false;
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
        const bool ready = changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                             [this] { return failErrno_ || frameReady(); });
        *revents = !ready ? 0 : failErrno_ ? short(POLLERR) : short(POLLIN);
        return ready ? 1 : 0;
    }

    void *mmap(size_t length, int fd, off_t offset) override
    {
        EXPECT_EQ(fd, Fd);
        std::lock_guard<std::mutex> lock(mutex_);
        const size_t index = size_t(offset / 4096);
        if (index >= buffers_.size() || length > BufferSize) {
            errno = EINVAL;
            return MAP_FAILED;
        }
        ++mapped_;
        return buffers_[index].data();
    }

    int munmap(void *, size_t) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        --mapped_;
        return 0;
    }

private:
    int error(int errorNumber)
    {
        errno = errorNumber;
        return -1;
    }
    bool frameReady() const { return streaming_ && !payloads_.empty() && !queued_.empty(); }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QByteArray> payloads_;
    std::vector<QByteArray> buffers_;
    std::deque<uint32_t> queued_;
    v4l2_pix_format format_{};
    int failErrno_ = 0;
    bool streaming_ = false;
    bool open_ = false;
    int streamOns_ = 0;
    int mapped_ = 0;
};

// Frames and errors a device delivered, from its frame thread.
class Receiver {
public:
    void attach(CaptureDevice &device)
    {
        device.setFrameCallback([this](QImage &frame) {
            std::lock_guard<std::mutex> lock(mutex_);
            frames_.push_back(frame);
        });
        device.setErrorCallback([this](const CaptureDevice::Error &error) {
            std::lock_guard<std::mutex> lock(mutex_);
            errors_.push_back(error);
        });
    }
    int frameCount() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return int(frames_.size());
    }
    QImage frame(int index) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_.at(size_t(index));
    }
    QImage lastFrame() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_.empty() ? QImage() : frames_.back();
    }
    std::vector<CaptureDevice::Error> errors() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return errors_;
    }
    bool waitForFrames(int count, int timeoutMs = 5000) const
    {
        return waitUntil([&] { return frameCount() >= count; }, timeoutMs);
    }
    bool waitForError(int timeoutMs = 5000) const
    {
        return waitUntil([&] { return !errors().empty(); }, timeoutMs);
    }

private:
    mutable std::mutex mutex_;
    std::vector<QImage> frames_;
    std::vector<CaptureDevice::Error> errors_;
};

class V4l2Stream : public testing::Test {
protected:
    QByteArray jpegOf(const QSize &size) const { return encodeJpeg(quadrants(size)); }

    // A YUYV frame: left half red, right half blue.
    static QByteArray yuyvOf(const QSize &size)
    {
        QByteArray frame;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); x += 2)
                frame.append(x < size.width() / 2 ? QByteArray("\x51\x5a\x51\xf0", 4)
                                                  : QByteArray("\x29\xf0\x29\x6e", 4));
        return frame;
    }

    void openAndStart(const QSize &size)
    {
        receiver.attach(device);
        CaptureDevice::Error error;
        ASSERT_TRUE(device.open(&error)) << qPrintable(error.description);
        device.setFrameSize(size);
        ASSERT_TRUE(device.startRunning(&error)) << qPrintable(error.description);
        EXPECT_TRUE(device.isRunning());
    }

    FakeV4l2Driver driver;
    Receiver receiver; // outlives the device's frame thread
    V4l2CaptureDevice device{QStringLiteral("/dev/video7"), driver};
};

TEST_F(V4l2Stream, MjpegAtTheExactSizeIsDecodedUnscaled)
{
    driver.modes = {{Yuyv, {{640, 480}}}, {Mjpeg, {{320, 240}, {640, 480}}}};
    openAndStart({640, 480});
    EXPECT_EQ(driver.format().pixelformat, Mjpeg);
    EXPECT_EQ(device.streamMode(), (V4l2CaptureMode{Mjpeg, {640, 480}}));

    driver.queuePayload(jpegOf({640, 480}));
    driver.queuePayload(jpegOf({640, 480}));
    ASSERT_TRUE(receiver.waitForFrames(2));
    EXPECT_EQ(receiver.frame(1).size(), QSize(640, 480));
    EXPECT_TRUE(showsQuadrants(receiver.frame(1)));

    device.close();
    EXPECT_FALSE(device.isRunning());
    EXPECT_FALSE(driver.streaming());
    EXPECT_EQ(driver.mappedBuffers(), 0);
    EXPECT_EQ(driver.allocatedBuffers(), 0);
    EXPECT_FALSE(driver.isOpen());
}

TEST_F(V4l2Stream, AMissingSizeIsStreamedLargerAndScaledDown)
{
    driver.modes = {{Mjpeg, {{640, 480}, {1600, 1200}, {1280, 960}}}};
    openAndStart({1024, 768});
    EXPECT_EQ(device.streamMode(), (V4l2CaptureMode{Mjpeg, {1280, 960}}));
    driver.queuePayload(jpegOf({1280, 960}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    EXPECT_EQ(receiver.frame(0).size(), QSize(1024, 768));
    EXPECT_TRUE(showsQuadrants(receiver.frame(0)));
}

TEST_F(V4l2Stream, YuyvOnlyCameraIsConverted)
{
    driver.modes = {{Yuyv, {{320, 240}, {640, 480}}}};
    openAndStart({640, 480});
    EXPECT_EQ(driver.format().pixelformat, Yuyv);
    driver.queuePayload(yuyvOf({640, 480}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    const QImage frame = receiver.frame(0);
    EXPECT_EQ(frame.size(), QSize(640, 480));
    EXPECT_TRUE(colourNear(frame, {100, 240}, Qt::red, 6));
    EXPECT_TRUE(colourNear(frame, {540, 240}, Qt::blue, 6));
}

TEST_F(V4l2Stream, CorruptFramesAreSkippedAndTheStreamGoesOn)
{
    driver.modes = {{Mjpeg, {{320, 240}}}};
    openAndStart({320, 240});
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

TEST_F(V4l2Stream, UnplugEndsTheStreamWithAnError)
{
    driver.modes = {{Mjpeg, {{320, 240}}}};
    openAndStart({320, 240});
    driver.queuePayload(jpegOf({320, 240}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    driver.fail(ENODEV);
    ASSERT_TRUE(receiver.waitForError());
    EXPECT_EQ(receiver.errors().front().description, QStringLiteral("The camera was disconnected."));
    EXPECT_FALSE(receiver.errors().front().recoverySuggestion.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return !device.isRunning(); }));
    device.close();
    EXPECT_EQ(receiver.errors().size(), 1u);
    EXPECT_EQ(driver.mappedBuffers(), 0);
}

TEST_F(V4l2Stream, AnIoErrorIsReportedWithTheSystemMessage)
{
    driver.modes = {{Mjpeg, {{320, 240}}}};
    openAndStart({320, 240});
    driver.fail(EIO);
    ASSERT_TRUE(receiver.waitForError());
    const CaptureDevice::Error error = receiver.errors().front();
    EXPECT_EQ(error.description, QStringLiteral("The camera stopped sending pictures."));
    EXPECT_TRUE(error.recoverySuggestion.contains(qt_error_string(EIO)))
        << qPrintable(error.recoverySuggestion);
}

TEST_F(V4l2Stream, NewFrameSizeRestartsTheStreamInTheNewMode)
{
    driver.modes = {{Mjpeg, {{320, 240}, {640, 480}}}};
    openAndStart({320, 240});
    driver.queuePayload(jpegOf({320, 240}));
    ASSERT_TRUE(receiver.waitForFrames(1));
    EXPECT_EQ(driver.streamOnCount(), 1);

    device.setFrameSize({640, 480});
    EXPECT_TRUE(device.isRunning());
    EXPECT_EQ(driver.streamOnCount(), 2);
    EXPECT_EQ(driver.format().width, 640u);
    driver.queuePayload(jpegOf({640, 480}));
    ASSERT_TRUE(receiver.waitForFrames(2));
    EXPECT_EQ(receiver.frame(1).size(), QSize(640, 480));

    // The same size again restarts too: that is how a stalled stream is kicked.
    device.setFrameSize({640, 480});
    EXPECT_EQ(driver.streamOnCount(), 3);
    EXPECT_TRUE(device.isRunning());
}

TEST_F(V4l2Stream, StopReturnsWithTheFrameThreadOutOfTheCallback)
{
    driver.modes = {{Mjpeg, {{320, 240}}}};
    std::atomic<bool> inCallback{false};
    std::atomic<int> calls{0};
    device.setFrameCallback([&](QImage &) {
        inCallback = true;
        ++calls;
        inCallback = false;
    });
    CaptureDevice::Error error;
    ASSERT_TRUE(device.open(&error));
    device.setFrameSize({320, 240});
    ASSERT_TRUE(device.startRunning(&error));
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
    ASSERT_TRUE(device.startRunning(&error)) << qPrintable(error.description);
    EXPECT_TRUE(waitUntil([&] { return calls > seen; }));
    device.close(); // before the counters the callback uses go away
}

TEST_F(V4l2Stream, OpenFailureExplainsWhatToDo)
{
    driver.openErrno = EBUSY;
    CaptureDevice::Error error;
    EXPECT_FALSE(device.open(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera's video could not be opened."));
    EXPECT_TRUE(error.recoverySuggestion.startsWith(
        QStringLiteral("Check that no other program uses the camera")));
    EXPECT_TRUE(error.recoverySuggestion.contains(qt_error_string(EBUSY)));
    EXPECT_FALSE(device.startRunning(&error)) << "not open";
}

TEST_F(V4l2Stream, CameraWithoutADecodableFormatDoesNotStart)
{
    driver.modes = {{V4L2_PIX_FMT_H264, {{640, 480}}}};
    CaptureDevice::Error error;
    ASSERT_TRUE(device.open(&error));
    EXPECT_FALSE(device.startRunning(&error));
    EXPECT_FALSE(error.description.isEmpty());
    EXPECT_FALSE(device.isRunning());
    EXPECT_EQ(driver.allocatedBuffers(), 0);
}

// ---- Virtual camera ------------------------------------------------------------------------

TEST(SyntheticPageFrames, MovingPartChangesAndThePageStays)
{
    const SyntheticPage page({640, 480}, QStringLiteral("camera 1"));
    QImage first;
    QImage second;
    page.renderFrame(0, first);
    page.renderFrame(1, second);
    EXPECT_EQ(first.size(), QSize(640, 480));
    EXPECT_EQ(first.format(), QImage::Format_RGB32);
    EXPECT_NE(first, second);

    // The disc is where it says, in colour, and leaves the page white behind it.
    const QPoint disc0 = page.discCentre(0).toPoint();
    const QPoint disc1 = page.discCentre(1).toPoint();
    EXPECT_GT(disc1.x(), disc0.x());
    EXPECT_TRUE(page.ruledArea().contains(disc0));
    EXPECT_GT(first.pixelColor(disc0).hsvSaturation(), 100);
    QImage later;
    page.renderFrame(SyntheticPage::DiscStepsPerLine / 2, later);
    EXPECT_EQ(later.pixelColor(disc0), QColor(Qt::white));
    // The desk around the page is the same in every frame.
    EXPECT_EQ(first.pixel(2, 2), second.pixel(2, 2));
    EXPECT_NE(first.pixelColor(2, 2), QColor(Qt::white));

    // A whole line later the disc is on the next ruled line.
    EXPECT_GT(page.discCentre(SyntheticPage::DiscStepsPerLine).y(), page.discCentre(0).y());
}

TEST(VirtualFrameRate, FollowsTheFrameTableAndTheTimeScale)
{
    EXPECT_EQ(VirtualCaptureDevice::framesPerSecond({160, 120}), 30);
    EXPECT_EQ(VirtualCaptureDevice::framesPerSecond({640, 480}), 30);
    EXPECT_EQ(VirtualCaptureDevice::framesPerSecond({800, 600}), 15);
    EXPECT_EQ(VirtualCaptureDevice::framesPerSecond({1600, 1200}), 15);

    const double scale = Delays::timeScale();
    Delays::setTimeScale(1.0);
    EXPECT_EQ(VirtualCaptureDevice::frameInterval({640, 480}).count(), 33333);
    EXPECT_EQ(VirtualCaptureDevice::frameInterval({1280, 960}).count(), 66666);
    Delays::setTimeScale(0.5);
    EXPECT_EQ(VirtualCaptureDevice::frameInterval({1280, 960}).count(), 33333);
    Delays::setTimeScale(0.001);
    EXPECT_EQ(VirtualCaptureDevice::frameInterval({640, 480}), VirtualCaptureDevice::MinFrameInterval);
    Delays::setTimeScale(scale);
}

class VirtualCapture : public testing::Test {
protected:
    void SetUp() override
    {
        camera = hub.plug(VirtualCamera::Model::Arvo);
        hub.plug(VirtualCamera::Model::Tobble);
    }

    QString uniqueIdOf(const VirtualCamera &cam) const
    {
        const DeviceInfo info = cam.deviceInfo();
        return LumoCamera::makeCaptureDeviceLocationId(info.locationId, info.vendorId, info.productId);
    }

    std::unique_ptr<CaptureDevice> startDevice(const QSize &size)
    {
        auto device = backend.deviceWithUniqueID(uniqueIdOf(*camera));
        if (!device)
            return nullptr;
        receiver.attach(*device);
        CaptureDevice::Error error;
        device->setFrameSize(size);
        if (!device->open(&error) || !device->startRunning(&error))
            return nullptr;
        return device;
    }

    // Frames keep coming: `count` more than there are now.
    bool framesFlow(int count = 3) const
    {
        return receiver.waitForFrames(receiver.frameCount() + count);
    }

    VirtualCameraHub hub;
    VirtualCaptureBackend backend{hub};
    std::shared_ptr<VirtualCamera> camera;
    Receiver receiver;
};

TEST_F(VirtualCapture, DevicesAreFoundByTheCamerasUniqueId)
{
    EXPECT_NE(backend.deviceWithUniqueID(uniqueIdOf(*camera)), nullptr);
    EXPECT_NE(backend.deviceWithUniqueID(uniqueIdOf(*hub.camera(2))), nullptr);
    EXPECT_EQ(backend.deviceWithUniqueID(QStringLiteral("0x1230000fe110a01")), nullptr);
    EXPECT_EQ(backend.deviceWithUniqueID(QString()), nullptr);
    hub.unplug(camera->id());
    EXPECT_EQ(backend.deviceWithUniqueID(uniqueIdOf(*camera)), nullptr) << "unplugged";
}

TEST_F(VirtualCapture, FramesOfTheRequestedSizeWithAMovingPart)
{
    auto device = startDevice({320, 240});
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(receiver.waitForFrames(2));
    const QImage first = receiver.frame(0);
    const QImage second = receiver.frame(1);
    EXPECT_EQ(first.size(), QSize(320, 240));
    EXPECT_EQ(first.format(), QImage::Format_RGB32);
    EXPECT_NE(first, second);

    device->setFrameSize({800, 600});
    EXPECT_TRUE(waitUntil([&] { return receiver.lastFrame().size() == QSize(800, 600); }));
    EXPECT_TRUE(device->isRunning());
    device->stopRunning();
    EXPECT_FALSE(device->isRunning());
    const int seen = receiver.frameCount();
    EXPECT_FALSE(receiver.waitForFrames(seen + 1, 100)) << "a frame after stopRunning()";
}

TEST_F(VirtualCapture, StallStopsFramesAndResumingBringsThemBack)
{
    auto device = startDevice({160, 120});
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(framesFlow());

    camera->setStalled(true);
    // A frame already being painted when the stall began may still arrive; none after it.
    const int atStall = receiver.frameCount();
    EXPECT_FALSE(receiver.waitForFrames(atStall + 2, 150));
    EXPECT_TRUE(device->isRunning()) << "a stall is silent";
    EXPECT_TRUE(receiver.errors().empty());

    camera->setStalled(false);
    EXPECT_TRUE(framesFlow());
}

TEST_F(VirtualCapture, UnplugEndsTheStreamWithAnError)
{
    auto device = startDevice({160, 120});
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(framesFlow());
    hub.unplug(camera->id());
    ASSERT_TRUE(receiver.waitForError());
    EXPECT_EQ(receiver.errors().front().description, QStringLiteral("The camera was disconnected."));
    EXPECT_TRUE(waitUntil([&] { return !device->isRunning(); }));
    const int seen = receiver.frameCount();
    EXPECT_FALSE(receiver.waitForFrames(seen + 1, 100));

    CaptureDevice::Error error;
    EXPECT_FALSE(device->startRunning(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera was disconnected."));
    device->close();
    EXPECT_EQ(receiver.errors().size(), 1u);
}

TEST_F(VirtualCapture, OpeningAnUnpluggedCameraFails)
{
    auto device = backend.deviceWithUniqueID(uniqueIdOf(*camera));
    ASSERT_NE(device, nullptr);
    hub.unplug(camera->id());
    CaptureDevice::Error error;
    EXPECT_FALSE(device->open(&error));
    EXPECT_EQ(error.description, QStringLiteral("The camera's video could not be opened."));
}

TEST_F(VirtualCapture, StallCommandAndState)
{
    ControlServer server;
    addVirtualCameraCommands(server, hub, [] { return QString(); });
    EXPECT_TRUE(server.execute(QStringLiteral("state 1")).contains("stalled no"));
    EXPECT_TRUE(server.execute(QStringLiteral("stall 1 on")).startsWith("ok"));
    EXPECT_TRUE(camera->stalled());
    EXPECT_TRUE(server.execute(QStringLiteral("state 1")).contains("stalled yes"));
    EXPECT_TRUE(server.execute(QStringLiteral("stall 1 off")).startsWith("ok"));
    EXPECT_FALSE(camera->stalled());
    EXPECT_TRUE(server.execute(QStringLiteral("stall 1 maybe")).contains("usage: stall ID on|off"));
    EXPECT_TRUE(server.execute(QStringLiteral("stall 9 on")).startsWith("error"));
}

} // namespace
