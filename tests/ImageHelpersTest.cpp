#include "TestSupport.h"
#include "library/ImageHelpers.h"
#include "library/LumoImagePropertyController.h"

#include <gtest/gtest.h>

namespace {

using namespace ImageHelpers;

// Every pixel has a colour of its own, so that any misplaced pixel shows.
QImage numberedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, (x * 7 + y * 13) & 0xff));
    return image;
}

// -------------------------------------------------------------------------------- rotation

TEST(RotateByAngle, MultiplesOfNinetyMoveEveryPixelExactlyCounterClockwise)
{
    constexpr int w = 17;
    constexpr int h = 11;
    const QImage image = numberedImage(w, h);
    // Where source pixel (x, y) lands. A quarter turn counter-clockwise takes the top edge to
    // the left edge.
    using Map = QPoint (*)(int x, int y);
    const Map left = [](int x, int y) { return QPoint(y, w - 1 - x); };
    const Map right = [](int x, int y) { return QPoint(h - 1 - y, x); };
    const Map half = [](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); };
    const std::pair<int, Map> cases[] = {{90, left}, {450, left}, {-270, left}, {-90, right}, {270, right}, {180, half}, {-180, half}};
    for (const auto &[degrees, map] : cases) {
        SCOPED_TRACE(degrees);
        const QImage turned = rotateByAngle(image, degrees);
        ASSERT_EQ(turned.size(), map == half ? QSize(w, h) : QSize(h, w));
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                wrong += turned.pixel(map(x, y)) != image.pixel(x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(RotateByAngle, OtherAnglesGiveTheBoundingSize)
{
    const struct {
        QSize size;
        int degrees;
        QSize expected;
    } cases[] = {
        {{100, 100}, 45, {141, 141}}, // 100·√2 = 141.42
        {{100, 100}, -45, {141, 141}},
        {{200, 100}, 30, {223, 187}}, // 200·0.866 + 100·0.5, 200·0.5 + 100·0.866
        {{1600, 1200}, 1, {1621, 1228}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(rotatedSize(c.size, c.degrees), c.expected);
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        EXPECT_EQ(rotateByAngle(image, c.degrees).size(), c.expected);
    }
}

TEST(RotateByAngle, FortyFiveDegreesTurnsCounterClockwiseAboutTheCentre)
{
    QImage square(100, 100, QImage::Format_RGB32);
    square.fill(qRgb(0, 160, 0));
    for (int y = 0; y < 20; ++y)
        for (int x = 80; x < 100; ++x)
            square.setPixel(x, y, qRgb(255, 0, 0)); // a red block in the top-right corner

    const QImage turned = rotateByAngle(square, 45);
    ASSERT_EQ(turned.size(), QSize(141, 141));
    EXPECT_EQ(turned.format(), QImage::Format_ARGB32_Premultiplied);
    // The top-right corner now points straight up: the block's centre, 40·√2 ≈ 57 px from the
    // middle, is above the middle, not to its right where a clockwise turn would put it.
    EXPECT_EQ(turned.pixel(70, 70 - 57), qRgb(255, 0, 0));
    EXPECT_EQ(turned.pixel(70 + 57, 70), qRgb(0, 160, 0));
    EXPECT_EQ(turned.pixel(70, 70), qRgb(0, 160, 0));
    for (const QPoint &corner : {QPoint(0, 0), QPoint(140, 0), QPoint(0, 140), QPoint(140, 140)})
        EXPECT_EQ(qAlpha(turned.pixel(corner)), 0);
}

// ------------------------------------------------------------------------ property store

TEST(ImagePropertyStore, KeepsValuesOfEachImageApart)
{
    LumoImagePropertyController store;
    const QString zoom = ImagePropertyKeys::ZoomFactor;
    store.setValue(1.5f, zoom, "/lib/a.jpg");
    store.setValue(0.25f, zoom, "/lib/b.jpg");
    store.setValue("left", "Side", "/lib/a.jpg");
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/a.jpg").toFloat(), 1.5f);
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/b.jpg").toFloat(), 0.25f);
    EXPECT_FALSE(store.valueForKey("Side", "/lib/b.jpg").isValid());
    EXPECT_FALSE(store.valueForKey(zoom, "/lib/c.jpg").isValid());

    store.setValue(2.0f, zoom, "/lib/a.jpg");
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/a.jpg").toFloat(), 2.0f);
    EXPECT_EQ(store.valueForKey("Side", "/lib/a.jpg").toString(), "left") << "other keys of the image are kept";
    store.setValue(QVariant(), zoom, "/lib/a.jpg");
    EXPECT_FALSE(store.valueForKey(zoom, "/lib/a.jpg").isValid()) << "no value removes the key";
}

} // namespace
