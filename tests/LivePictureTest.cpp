#include "TestSupport.h"
#include "capture/FrameDecoding.h"
#include "capture/FrameTransform.h"
#include "capture/LiveFrameDecoder.h"
#include "capture/virtual/SyntheticPage.h"
#include "ui/camera/CaptureView.h"

#include <QPixmap>
#include <QTransform>
#include <gtest/gtest.h>
#include <libyuv/scale_argb.h>

#include <algorithm>
#include <array>

namespace {

const std::array<float, 6> ZoomSteps = {1.0f, 1.25f, 1.5f, 2.0f, 2.5f, 3.0f};

// A camera's frame of a document page: fine detail everywhere, so any misplaced pixel shows.
QByteArray pageJpeg(const QSize &size, int subsampling = TJSAMP_422, uint64_t number = 7)
{
    QImage page;
    SyntheticPage(size, QStringLiteral("live picture")).renderFrame(number, page);
    return encodeTestJpeg(page, subsampling);
}

QImage decodeWhole(const QByteArray &jpeg)
{
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage frame;
    FrameDecoding::decodeMjpegFrame(decoder.get(), reinterpret_cast<const uint8_t *>(jpeg.constData()), size_t(jpeg.size()), frame);
    return frame;
}

FramePayload mjpegPayload(const QByteArray &jpeg, const QSize &output)
{
    FramePayload payload;
    payload.format = FramePayload::Format::Mjpeg;
    payload.data = reinterpret_cast<const uint8_t *>(jpeg.constData());
    payload.length = size_t(jpeg.size());
    payload.outputSize = output;
    return payload;
}

// Each pixel's largest channel difference; empty when the sizes differ.
std::vector<int> differences(const QImage &a, const QImage &b)
{
    std::vector<int> out;
    if (a.size() != b.size())
        return out;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            out.push_back(channelDistance(p[col], q[col]));
    }
    return out;
}

// The largest difference of any channel, or 256 when the sizes differ.
int largestDifference(const QImage &a, const QImage &b)
{
    const std::vector<int> d = differences(a, b);
    return d.empty() ? 256 : *std::max_element(d.begin(), d.end());
}

// The share of pixels whose every channel is within `tolerance`.
double shareWithin(const QImage &a, const QImage &b, int tolerance)
{
    const std::vector<int> d = differences(a, b);
    return d.empty() ? 0 : double(std::count_if(d.begin(), d.end(), [&](int v) { return v <= tolerance; })) / double(d.size());
}

// The transform as defined: the zoomed centre scaled up to the output size, mirrored, then turned.
QImage eagerTransform(const QImage &frame, const LiveFrame::Transform &transform)
{
    const QRect visible = FrameTransform::visibleRect(frame.size(), transform);
    QImage zoomed(transform.zoom > 1.0f ? transform.outputSize : frame.size(), QImage::Format_RGB32);
    libyuv::ARGBScale(frame.constBits() + visible.y() * frame.bytesPerLine() + visible.x() * 4, int(frame.bytesPerLine()), visible.width(),
                      visible.height(), zoomed.bits(), int(zoomed.bytesPerLine()), zoomed.width(), zoomed.height(),
                      libyuv::kFilterBilinear);
    return zoomed.mirrored(transform.hFlipped, transform.vFlipped).transformed(QTransform().rotate(90 * transform.quarterTurns));
}

struct RegionCase {
    QSize size;
    int subsampling;
};
void PrintTo(const RegionCase &c, std::ostream *os) { *os << c.size.width() << "x" << c.size.height() << " subsampling " << c.subsampling; }

class RegionDecode : public testing::TestWithParam<RegionCase> {};

// Decoding only the zoomed part gives the very pixels of a whole decode, at every zoom step
// (iMCU-aligned columns, skipped rows, an early stop); a 1/2 scaled decode gives TurboJPEG's.
TEST_P(RegionDecode, ZoomedPartIsBitExactWithTheWholeDecode)
{
    const QSize size = GetParam().size;
    const QByteArray jpeg = pageJpeg(size, GetParam().subsampling);
    const auto *data = reinterpret_cast<const uint8_t *>(jpeg.constData());
    const QImage whole = decodeWhole(jpeg);
    FrameDecoding::JpegRegionDecoder decoder;
    EXPECT_EQ(decoder.imageSize(data, size_t(jpeg.size())), size);
    for (float zoom : ZoomSteps) {
        const QRect visible = FrameTransform::visibleRect(size, {zoom, false, false, size});
        QImage part;
        QRect decoded;
        ASSERT_TRUE(decoder.decode(data, size_t(jpeg.size()), visible, 1, part, &decoded)) << zoom;
        ASSERT_TRUE(decoded.contains(visible)) << zoom;
        EXPECT_EQ(part.size(), decoded.size());
        EXPECT_EQ(part.copy(visible.translated(-decoded.topLeft())), whole.copy(visible)) << "zoom " << zoom;
    }

    QImage half;
    QRect decoded;
    ASSERT_TRUE(decoder.decode(data, size_t(jpeg.size()), QRect(QPoint(0, 0), size), 2, half, &decoded));
    EXPECT_EQ(decoded, QRect(QPoint(0, 0), size));
    QImage reference(half.size(), QImage::Format_RGB32);
    const auto tj = FrameDecoding::makeMjpegDecoder();
    tjDecompress2(tj.get(), data, jpeg.size(), reference.bits(), reference.width(), int(reference.bytesPerLine()), reference.height(),
                  TJPF_BGRA, 0);
    EXPECT_EQ(half, reference);

    QImage broken;
    EXPECT_FALSE(decoder.decode(data, size_t(jpeg.size()) / 2, QRect(QPoint(0, 0), size), 1, broken, &decoded)) << "truncated";
    EXPECT_TRUE(decoder.decode(data, size_t(jpeg.size()), QRect(0, 0, 16, 16), 1, broken, &decoded)) << "a good frame after it";
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegionDecode,
                         testing::Values(RegionCase{{1600, 1200}, TJSAMP_422}, RegionCase{{1280, 960}, TJSAMP_420},
                                         RegionCase{{800, 600}, TJSAMP_444}, RegionCase{{2592, 1944}, TJSAMP_422}));

TEST(LiveFrameDecoder, DecodesAtTheLargestDctScaleThatKeepsTheDetailShown)
{
    struct Row {
        QSize visible, shown;
        int denominator;
    };
    for (const Row &row : {Row{{1600, 1200}, {800, 600}, 2}, Row{{1600, 1200}, {801, 600}, 1}, Row{{2592, 1944}, {800, 600}, 2},
                           Row{{2592, 1944}, {320, 240}, 8}, Row{{800, 600}, {800, 600}, 1}, Row{{1600, 1200}, {}, 1}})
        EXPECT_EQ(LiveFrameDecoder::denominatorFor(row.visible, row.shown), row.denominator)
            << row.visible.width() << " on " << row.shown.width();
}

// Painted by the view from the partly decoded frame, and saved from the kept JPEG, the picture
// matches the eager transform of the whole frame within one step, at every zoom, mirroring and pan.
TEST(LivePicture, PaintedAndSavedPicturesMatchTheEagerTransform)
{
    const QSize size(800, 600);
    const QByteArray jpeg = pageJpeg(size);
    const QImage whole = decodeWhole(jpeg);
    LiveFrameDecoder decoder;
    CaptureView view;
    for (float zoom : ZoomSteps) {
        for (int flips = 0; flips < 16; ++flips) {
            // Every zoom and mirroring unturned; every turn with every mirroring at 1x and 2x.
            const int turns = flips / 4;
            if (turns && zoom != 1.0f && zoom != 2.0f)
                continue;
            LiveFrame::Transform transform{zoom, bool(flips & 1), bool(flips & 2), size, turns};
            // Some moved to the page's top-left corner: the decoded part follows the shown one.
            if (flips % 3 == 0)
                transform.pan = {0.0, 0.0};
            const QString what =
                QStringLiteral("zoom %1 flips %2 turns %3 pan %4").arg(zoom).arg(flips % 4).arg(turns).arg(transform.pan.x());
            view.resize(FrameTransform::turned(size, turns));
            QImage eager = eagerTransform(whole, transform);

            const LiveFrame frame = decoder.decode(mjpegPayload(jpeg, size), transform, size);
            ASSERT_FALSE(frame.isNull()) << qPrintable(what);
            EXPECT_EQ(frame.picture().size() == size, zoom == 1.0f) << qPrintable(what);
            view.setFrame(frame);
            EXPECT_LE(largestDifference(view.grab().toImage(), eager), 1) << qPrintable(what);
            EXPECT_LE(largestDifference(frame.render(), eager), 1) << qPrintable(what);

            // A view of half the size gets a half-size decode; the photo is still full size.
            const LiveFrame reduced = decoder.decode(mjpegPayload(jpeg, size), transform, FrameTransform::turned(size, turns) / 2);
            EXPECT_EQ(reduced.denominator(), zoom == 1.0f ? 2 : 1) << qPrintable(what);
            EXPECT_LE(largestDifference(reduced.render(), eager), 1) << qPrintable(what);
        }
    }
}

// A frame shown reduced or enlarged comes ready to paint, made from the fast decode: it stays
// close to the accurate picture scaled to the view (thin coloured lines differ most: their
// colour is carried at half resolution), at every mirroring and the half turn, and its photo is
// decoded accurately.
TEST(LivePicture, PictureShownAtAnotherSizeComesReadyAndStaysCloseToTheAccurateOne)
{
    const QSize shown(800, 600);
    LiveFrameDecoder decoder;
    CaptureView view;
    view.resize(shown);
    for (const QSize &size : {QSize(1280, 960), QSize(640, 480)}) {
        const QByteArray jpeg = pageJpeg(size);
        const QImage whole = decodeWhole(jpeg);
        for (int flips = 0; flips < 8; ++flips) {
            const LiveFrame::Transform transform{1.0f, bool(flips & 1), bool(flips & 2), size, flips & 4 ? 2 : 0};
            const LiveFrame frame = decoder.decode(mjpegPayload(jpeg, size), transform, shown);
            ASSERT_TRUE(frame.isPresented()) << size.width() << " flips " << flips;
            EXPECT_EQ(frame.picture().size(), shown);
            const QImage eager = eagerTransform(whole, transform);
            QImage reference(shown, QImage::Format_RGB32);
            libyuv::ARGBScale(eager.constBits(), int(eager.bytesPerLine()), eager.width(), eager.height(), reference.bits(),
                              int(reference.bytesPerLine()), shown.width(), shown.height(),
                              size.width() > shown.width() ? libyuv::kFilterBox : libyuv::kFilterBilinear);
            view.setFrame(frame);
            const QImage painted = view.grab().toImage();
            // Text edges come out a little differently when scaled before the colour conversion.
            EXPECT_GE(shareWithin(painted, reference, 3), 0.95) << size.width() << " flips " << flips;
            EXPECT_GE(shareWithin(painted, reference, 6), 0.985) << size.width() << " flips " << flips;
            EXPECT_EQ(frame.render(), eager) << size.width() << " flips " << flips;
        }
    }
    const QSize size(1280, 960);
    const QByteArray jpeg = pageJpeg(size);
    const QImage whole = decodeWhole(jpeg);
    // While a recording wants every frame whole, the frame is decoded whole once, for both.
    decoder.setWholePictureKept(true);
    const LiveFrame kept = decoder.decode(mjpegPayload(jpeg, size), LiveFrame::Transform{1.0f, true, false, size}, shown);
    EXPECT_FALSE(kept.isPresented());
    EXPECT_EQ(kept.picture(), whole);
}

// A frame cut short below the zoomed part is dropped, at full and reduced scale, instead of being
// shown and then failing the snapshot; padding after a frame's end is no damage.
TEST(LiveFrameDecoder, FrameCutShortBelowTheZoomedPartIsDropped)
{
    const QSize size(800, 600);
    const QByteArray jpeg = pageJpeg(size);
    const LiveFrame::Transform zoomed{2.0f, false, false, size};
    LiveFrameDecoder decoder;
    for (const QSize &shown : {size, size / 4}) {
        const LiveFrame cut = decoder.decode(mjpegPayload(jpeg.left(jpeg.size() * 9 / 10), size), zoomed, shown);
        EXPECT_TRUE(cut.isNull()) << shown.width();
        const LiveFrame padded = decoder.decode(mjpegPayload(jpeg + QByteArray(64, '\0'), size), zoomed, shown);
        ASSERT_FALSE(padded.isNull()) << shown.width();
        EXPECT_EQ(padded.denominator(), shown == size ? 1 : 2);
        EXPECT_FALSE(padded.render().isNull()) << shown.width();
    }
}

// Frames still held are never written by later frames, even when more are held than the pool has buffers.
TEST(LiveFrameDecoder, HeldFramesKeepTheirPixels)
{
    const QSize size(800, 600);
    LiveFrameDecoder decoder;
    std::vector<LiveFrame> held;
    std::vector<QImage> expected;
    for (uint64_t number = 0; number < 6; ++number) {
        const QByteArray jpeg = pageJpeg(size, TJSAMP_422, number);
        held.push_back(decoder.decode(mjpegPayload(jpeg, size), {1.0f, true, false, size}, size));
        expected.push_back(held.back().picture().copy());
    }
    for (size_t i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i].picture(), expected[i]) << "frame " << i;
}

} // namespace
