#include "capture/ImageHelpers.h"
#include "capture/LumoImagePropertyController.h"

#include <QStandardItemModel>
#include <gtest/gtest.h>

#include <cmath>

void PrintTo(const QSize &size, std::ostream *os)
{
    *os << size.width() << "x" << size.height();
}

namespace {

using namespace ImageHelpers;

// A picture in which every pixel has a colour of its own, so that any misplaced pixel shows.
QImage numberedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, (x * 7 + y * 13) & 0xff));
    }
    return image;
}

// -------------------------------------------------------------------------------- rotation

TEST(RotateByAngle, WholeTurnsGiveTheSameImageWithoutCopying)
{
    const QImage image = numberedImage(40, 30);
    for (int degrees : {0, 360, -360, 720, -720}) {
        SCOPED_TRACE(degrees);
        const QImage turned = rotateByAngle(image, degrees);
        EXPECT_EQ(turned.cacheKey(), image.cacheKey());
    }
}

TEST(RotateByAngle, QuarterTurnOfPhotoSwapsItsSides)
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    photo.fill(Qt::white);
    // A red block in the top-left corner, a blue one in the top-right.
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            photo.setPixel(x, y, qRgb(255, 0, 0));
            photo.setPixel(1599 - x, y, qRgb(0, 0, 255));
        }
    }

    const QImage left = rotateByAngle(photo, 90);
    ASSERT_EQ(left.size(), QSize(1200, 1600));
    // Counter-clockwise: the top edge becomes the left edge, so top-left goes to bottom-left and
    // top-right to top-left.
    EXPECT_EQ(left.pixel(0, 1599), qRgb(255, 0, 0));
    EXPECT_EQ(left.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(left.pixel(1199, 0), qRgb(255, 255, 255));

    const QImage right = rotateByAngle(photo, -90);
    ASSERT_EQ(right.size(), QSize(1200, 1600));
    // Clockwise: top-left goes to top-right, top-right to bottom-right.
    EXPECT_EQ(right.pixel(1199, 0), qRgb(255, 0, 0));
    EXPECT_EQ(right.pixel(1199, 1599), qRgb(0, 0, 255));
}

TEST(RotateByAngle, MultiplesOfNinetyMoveEveryPixelExactly)
{
    const int w = 17;
    const int h = 11;
    const QImage image = numberedImage(w, h);

    struct Case {
        int degrees;
        QSize size;
        // Where source pixel (x, y) lands.
        QPoint (*map)(int x, int y, int w, int h);
    };
    const Case cases[] = {
        {90, {h, w}, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); }},
        {450, {h, w}, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); }},
        {-270, {h, w}, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); }},
        {-90, {h, w}, [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); }},
        {270, {h, w}, [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); }},
        {180, {w, h}, [](int x, int y, int w, int h) { return QPoint(w - 1 - x, h - 1 - y); }},
        {-180, {w, h}, [](int x, int y, int w, int h) { return QPoint(w - 1 - x, h - 1 - y); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.degrees);
        const QImage turned = rotateByAngle(image, c.degrees);
        ASSERT_EQ(turned.size(), c.size);
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QPoint to = c.map(x, y, w, h);
                wrong += turned.pixel(to) != image.pixel(x, y);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(RotateByAngle, OtherAnglesGiveTheBoundingSize)
{
    struct Case {
        QSize size;
        int degrees;
        QSize expected;
    };
    const Case cases[] = {
        {{100, 100}, 45, {141, 141}},   // 100·√2 = 141.42
        {{100, 100}, -45, {141, 141}},
        {{1000, 1000}, 45, {1414, 1414}},
        {{200, 100}, 30, {223, 187}},   // 200·0.866 + 100·0.5, 200·0.5 + 100·0.866
        {{200, 100}, 60, {187, 223}},
        {{200, 100}, 390, {223, 187}},
        {{1600, 1200}, 1, {1621, 1228}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(rotatedSize(c.size, c.degrees), c.expected);
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        EXPECT_EQ(rotateByAngle(image, c.degrees).size(), c.expected);
    }
}

TEST(RotateByAngle, FortyFiveDegreesTurnsCounterClockwiseAboutTheCentre)
{
    const int a = 100;
    QImage square(a, a, QImage::Format_RGB32);
    square.fill(qRgb(0, 160, 0));
    // A red block in the top-right corner.
    for (int y = 0; y < 20; ++y) {
        for (int x = a - 20; x < a; ++x)
            square.setPixel(x, y, qRgb(255, 0, 0));
    }

    const QImage turned = rotateByAngle(square, 45);
    ASSERT_EQ(turned.size(), QSize(141, 141));
    EXPECT_NEAR(turned.width(), a * std::sqrt(2.0), 0.5);
    EXPECT_EQ(turned.format(), QImage::Format_ARGB32_Premultiplied);

    // Counter-clockwise by 45°, the top-right corner points straight up: the block's centre,
    // 40·√2 ≈ 57 px from the middle, lands straight above the middle.
    EXPECT_EQ(turned.pixel(70, 70 - 57), qRgb(255, 0, 0));
    // The point to the right of the middle, where a clockwise turn would have put it, is green.
    EXPECT_EQ(turned.pixel(70 + 57, 70), qRgb(0, 160, 0));
    // The middle keeps its colour; the corners of the new picture are transparent.
    EXPECT_EQ(turned.pixel(70, 70), qRgb(0, 160, 0));
    for (const QPoint &corner : {QPoint(0, 0), QPoint(140, 0), QPoint(0, 140), QPoint(140, 140)})
        EXPECT_EQ(qAlpha(turned.pixel(corner)), 0);
}

TEST(RotateByAngle, NullImageStaysNull)
{
    EXPECT_TRUE(rotateByAngle(QImage(), 45).isNull());
    EXPECT_TRUE(rotateByAngle(QImage(), 90).isNull());
}

// ------------------------------------------------------------------------ drawing surfaces

TEST(ImageWithSize, IsTransparentAndReadyToDrawInto)
{
    const QImage image = imageWithSize({30, 20});
    ASSERT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    int opaque = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            opaque += image.pixel(x, y) != 0;
    }
    EXPECT_EQ(opaque, 0);
    EXPECT_TRUE(imageWithSize({0, 20}).isNull());
}

TEST(ImageForDrawing, ConvertsKeepingPixelsAndSharesWhatNeedsNoConversion)
{
    const QImage source = numberedImage(8, 6);
    const QImage converted = imageForDrawing(source);
    EXPECT_EQ(converted.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(converted.convertToFormat(QImage::Format_RGB32), source);

    EXPECT_EQ(imageForDrawing(converted).cacheKey(), converted.cacheKey());
    EXPECT_TRUE(imageForDrawing(QImage()).isNull());
}

// --------------------------------------------------------------------------- index sets

TEST(IndexMinMax, SmallestAndLargestOfEachKindOfSelection)
{
    EXPECT_EQ(minValue(std::set<int>{3, 7, 9}), 3);
    EXPECT_EQ(maxValue(std::set<int>{3, 7, 9}), 9);
    EXPECT_EQ(minValue(QList<int>{7, 9, 3}), 3);
    EXPECT_EQ(maxValue(QList<int>{7, 9, 3}), 9);

    QStandardItemModel model(12, 1);
    const QModelIndexList rows = {model.index(7, 0), model.index(3, 0), model.index(9, 0)};
    EXPECT_EQ(minValue(rows), 3);
    EXPECT_EQ(maxValue(rows), 9);
    EXPECT_EQ(minValue(QModelIndexList{model.index(0, 0)}), 0);
    EXPECT_EQ(maxValue(QModelIndexList{model.index(0, 0)}), 0);
}

TEST(IndexMinMax, EmptySelectionIsNotFound)
{
    EXPECT_EQ(minValue(std::set<int>{}), 2147483647);
    EXPECT_EQ(maxValue(std::set<int>{}), 2147483647);
    EXPECT_EQ(minValue(QList<int>{}), 2147483647);
    EXPECT_EQ(maxValue(QList<int>{}), 2147483647);
    EXPECT_EQ(minValue(QModelIndexList{}), 2147483647);
    EXPECT_EQ(maxValue(QModelIndexList{QModelIndex()}), 2147483647);
}

// ------------------------------------------------------------------------ property store

TEST(ImagePropertyStore, KeepsValuesOfEachImageApart)
{
    LumoImagePropertyController controller;
    ImagePropertyDelegate &store = controller;
    const QString zoom = ImagePropertyKeys::ZoomFactor;
    EXPECT_EQ(zoom, "LumoImageZoomFactor");

    EXPECT_FALSE(store.valueForKey(zoom, "/lib/a.jpg").isValid()) << "never set";

    store.setValue(1.5f, zoom, "/lib/a.jpg");
    store.setValue(0.25f, zoom, "/lib/b.jpg");
    store.setValue("left", "Side", "/lib/a.jpg");
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/a.jpg").toFloat(), 1.5f);
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/b.jpg").toFloat(), 0.25f);
    EXPECT_EQ(store.valueForKey("Side", "/lib/a.jpg").toString(), "left");
    EXPECT_FALSE(store.valueForKey("Side", "/lib/b.jpg").isValid());
    EXPECT_FALSE(store.valueForKey(zoom, "/lib/c.jpg").isValid());

    store.setValue(2.0f, zoom, "/lib/a.jpg");
    EXPECT_FLOAT_EQ(store.valueForKey(zoom, "/lib/a.jpg").toFloat(), 2.0f);
    EXPECT_EQ(store.valueForKey("Side", "/lib/a.jpg").toString(), "left")
        << "other keys of the image are kept";
}

TEST(ImagePropertyStore, MissingKeyOrIdentifierStoresAndFindsNothing)
{
    LumoImagePropertyController store;
    store.setValue(3.0, "", "/lib/a.jpg");
    store.setValue(3.0, ImagePropertyKeys::ZoomFactor, "");
    EXPECT_FALSE(store.valueForKey("", "/lib/a.jpg").isValid());
    EXPECT_FALSE(store.valueForKey(ImagePropertyKeys::ZoomFactor, "").isValid());
    EXPECT_TRUE(store.description().isEmpty());

    store.setValue(3.0, ImagePropertyKeys::ZoomFactor, "/lib/a.jpg");
    store.setValue(QVariant(), ImagePropertyKeys::ZoomFactor, "/lib/a.jpg");
    EXPECT_FALSE(store.valueForKey(ImagePropertyKeys::ZoomFactor, "/lib/a.jpg").isValid());
}

} // namespace
