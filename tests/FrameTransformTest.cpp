#include "capture/FrameTransform.h"

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

// Scaling filters may round a full channel down by a step or two.
bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 4 && std::abs(qGreen(a) - qGreen(b)) <= 4 && std::abs(qBlue(a) - qBlue(b)) <= 4;
}

TEST(FrameTransform, ZoomKeepsTheCentreAtTheOutputSize)
{
    EXPECT_EQ(FrameTransform::zoomSourceRect({1280, 960}, {1280, 960}, 2.0f), QRectF(320, 240, 640, 480));
    EXPECT_EQ(FrameTransform::zoomSourceRect({1280, 960}, {1280, 960}, 1.25f), QRectF(128, 96, 1024, 768));

    // The centre 640x480 of a 1280x960 frame, drawn as a pattern, fills the whole output.
    QImage frame(1280, 960, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter(&frame).fillRect(320, 240, 640, 480, Qt::yellow);
    const QImage original = frame;
    FrameTransform transform;
    transform.apply(frame, {2.0f, false, false, {1280, 960}});
    ASSERT_EQ(frame.size(), QSize(1280, 960));
    for (QPoint p : {QPoint(2, 2), QPoint(1277, 2), QPoint(2, 957), QPoint(1277, 957), QPoint(640, 480)})
        EXPECT_TRUE(near(at(frame, p.x(), p.y()), 0xffff00u)) << p.x() << "," << p.y();
    EXPECT_EQ(at(original, 2, 2), 0u) << "the incoming frame itself is not written to";
}

TEST(FrameTransform, NoFlipLeavesTheFrameUntouchedAndEachWayMirrorsAndBothAreAHalfTurn)
{
    FrameTransform transform;
    QImage same = quadrants(320, 240);
    const qint64 key = same.cacheKey();
    transform.apply(same, {1.0f, false, false, {320, 240}});
    EXPECT_EQ(same.cacheKey(), key) << "zoom of one and no flips";

    QImage h = quadrants(320, 240);
    transform.apply(h, {1.0f, true, false, {320, 240}});
    EXPECT_EQ(at(h, 10, 10), 0x00ff00u); // green came to the left
    EXPECT_EQ(at(h, 318, 1), 0u);        // the marker to the top right

    QImage v = quadrants(320, 240);
    transform.apply(v, {1.0f, false, true, {320, 240}});
    EXPECT_EQ(at(v, 10, 10), 0x0000ffu); // blue came to the top
    EXPECT_EQ(at(v, 1, 238), 0u);

    QImage both = quadrants(320, 240);
    const QImage turned = quadrants(320, 240).transformed(QTransform().rotate(180));
    transform.apply(both, {1.0f, true, true, {320, 240}});
    EXPECT_EQ(both, turned.convertToFormat(both.format()));
}

TEST(FrameTransform, MirroredZoomMirrorsTheZoomedCentre)
{
    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter p(&frame);
    p.fillRect(160, 120, 160, 240, Qt::red);   // left half of the centre
    p.fillRect(320, 120, 160, 240, Qt::green); // right half of the centre
    p.end();
    FrameTransform transform;
    transform.apply(frame, {2.0f, true, false, {640, 480}});
    EXPECT_TRUE(near(at(frame, 5, 240), 0x00ff00u));
    EXPECT_TRUE(near(at(frame, 634, 240), 0xff0000u));
}

TEST(FrameTransform, ScratchBuffersAreNotSharedWithFramesStillHeld)
{
    FrameTransform transform;
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
