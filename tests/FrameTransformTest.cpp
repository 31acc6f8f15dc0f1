#include "capture/FrameTransform.h"
#include "capture/LiveFrame.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A frame of four coloured quadrants with a marker square in the top-left corner.
QImage quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
    p.fillRect(0, 0, 8, 8, Qt::black);
    return image;
}

QRgb at(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xffffff; }

// The pixels of every zoom step and mirroring are checked against an independent transform by
// the live picture's tests; here, what they cannot see.
TEST(FrameTransform, ZoomTakesTheCentreAndNeitherWritesTheIncomingOrAHeldFrameNorCopiesANoOp)
{
    EXPECT_EQ(FrameTransform::zoomSourceRect({1280, 960}, {1280, 960}, 2.0f), QRectF(320, 240, 640, 480));
    EXPECT_EQ(FrameTransform::zoomSourceRect({1280, 960}, {1280, 960}, 1.25f), QRectF(128, 96, 1024, 768));

    FrameTransform transform;
    QImage frame = quadrants(1280, 960);
    const QImage held = frame;
    transform.apply(frame, {2.0f, true, false, {1280, 960}});
    EXPECT_EQ(frame.size(), QSize(1280, 960));
    EXPECT_EQ(held, quadrants(1280, 960)) << "the incoming frame itself is not written to";

    // Panned to the top-left corner (asked beyond it, held at the frame's edge): the red
    // quadrant with the corner's marker fills the picture, as a snapshot of it.
    FrameTransform::Settings corner{2.0f, false, false, {1280, 960}};
    corner.pan = {0.1, -1.0};
    QImage panned = quadrants(1280, 960);
    transform.apply(panned, corner);
    EXPECT_EQ(at(panned, 8, 8), 0x000000u);
    EXPECT_EQ(at(panned, 20, 20) & 0xf0f0f0u, 0xf00000u); // red, give or take the bilinear filter
    EXPECT_EQ(at(panned, 1270, 950) & 0xf0f0f0u, 0xf00000u) << "nothing of the other quadrants";
    const QImage photo = LiveFrame(quadrants(1280, 960), corner).render();
    EXPECT_EQ(at(photo, 8, 8), 0x000000u);
    EXPECT_EQ(at(photo, 1270, 950) & 0xf0f0f0u, 0xf00000u);

    QImage same = quadrants(320, 240);
    const qint64 key = same.cacheKey();
    transform.apply(same, {1.0f, false, false, {320, 240}});
    EXPECT_EQ(same.cacheKey(), key) << "zoom of one and no flips: passed on as it is";

    // Scratch buffers are not shared with frames still held.
    QImage first = quadrants(64, 48);
    transform.apply(first, {1.0f, true, false, {64, 48}});
    const QImage kept = first; // e.g. the frame a snapshot is saving
    QImage second(64, 48, QImage::Format_RGB32);
    second.fill(Qt::magenta);
    transform.apply(second, {1.0f, true, false, {64, 48}});
    EXPECT_EQ(at(kept, 10, 10), 0x00ff00u) << "the next frame must not overwrite a kept one";
    EXPECT_EQ(at(second, 10, 10), 0xff00ffu);
}

} // namespace
