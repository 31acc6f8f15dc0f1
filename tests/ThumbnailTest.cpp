#include "TestSupport.h"
#include "capture/ThumbnailLoader.h"
#include "capture/Thumbnailer.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>

// Defined with the image helper tests.
void PrintTo(const QSize &size, std::ostream *os);

namespace {

// A photo whose left half is red and right half blue, so that a swapped colour channel or a
// mirrored decode shows.
QImage twoColourPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(220, 20, 20));
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = size.width() / 2; x < size.width(); ++x)
            line[x] = qRgb(20, 20, 220);
    }
    return image;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

bool isReddish(QRgb c)
{
    return qRed(c) > 180 && qBlue(c) < 70 && qGreen(c) < 70;
}

bool isBluish(QRgb c)
{
    return qBlue(c) > 180 && qRed(c) < 70 && qGreen(c) < 70;
}

class ThumbnailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        photo_ = sandbox_.path("photo.jpg");
        ASSERT_TRUE(twoColourPicture({1600, 1200}).save(photo_, "JPG", 90));
    }

    QString file(const QString &name) const { return sandbox_.path(name); }

    Sandbox sandbox_;
    QString photo_;
};

// ---------------------------------------------------------------------- sizes

struct DecodeCase {
    QSize picture;
    QSize bound;
    QSize thumbnail;
    QSize decode;
};

void PrintTo(const DecodeCase &c, std::ostream *os)
{
    *os << c.picture.width() << "x" << c.picture.height() << " in " << c.bound.width() << "x"
        << c.bound.height();
}

class ScaledDecodeSize : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ScaledDecodeSize, SmallestDecodeThatCoversTheThumbnail)
{
    const DecodeCase c = GetParam();
    EXPECT_EQ(Thumbnailer::thumbnailSize(c.picture, c.bound), c.thumbnail);
    EXPECT_EQ(Thumbnailer::scaledDecodeSize(c.picture, c.bound), c.decode);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScaledDecodeSize,
    ::testing::Values(
        // 1/8 covers the browser's thumbnail of a 1600 × 1200 photo.
        DecodeCase{{1600, 1200}, {160, 120}, {160, 120}, {200, 150}},
        DecodeCase{{1600, 1200}, {200, 150}, {200, 150}, {200, 150}},
        // One pixel more than 1/8 gives needs the next factor up, 1/4.
        DecodeCase{{1600, 1200}, {201, 151}, {201, 151}, {400, 300}},
        DecodeCase{{1600, 1200}, {400, 300}, {400, 300}, {400, 300}},
        // The bound's extra width is of no use: the height limits the thumbnail.
        DecodeCase{{1600, 1200}, {1000, 300}, {400, 300}, {400, 300}},
        DecodeCase{{1600, 1200}, {500, 500}, {500, 375}, {600, 450}},
        // Portrait photo, landscape bound.
        DecodeCase{{1200, 1600}, {160, 120}, {90, 120}, {150, 200}},
        // Sizes that do not divide: scaled sizes are rounded up.
        DecodeCase{{1601, 1201}, {160, 120}, {159, 120}, {201, 151}},
        // Only a full decode covers a bound close to the picture.
        DecodeCase{{1600, 1200}, {1599, 1199}, {1598, 1199}, {1600, 1200}},
        // Never enlarged.
        DecodeCase{{100, 80}, {160, 120}, {100, 80}, {100, 80}},
        DecodeCase{{1600, 1200}, {4000, 4000}, {1600, 1200}, {1600, 1200}},
        // Very thin pictures keep at least one pixel across.
        DecodeCase{{10000, 8}, {100, 100}, {100, 1}, {1250, 1}},
        DecodeCase{{1600, 1200}, {0, 120}, {}, {}}));

// ------------------------------------------------------------------- decoding

TEST_F(ThumbnailTest, PhotoIsScaledIntoTheBoundWithItsAspect)
{
    const QImage thumbnail = Thumbnailer::decodeThumbnail(photo_, {160, 120});
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.size(), QSize(160, 120));
    EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32);
    EXPECT_TRUE(isReddish(thumbnail.pixel(10, 60))) << std::hex << thumbnail.pixel(10, 60);
    EXPECT_TRUE(isBluish(thumbnail.pixel(150, 60))) << std::hex << thumbnail.pixel(150, 60);

    const QImage square = Thumbnailer::decodeThumbnail(photo_, {100, 100});
    EXPECT_EQ(square.size(), QSize(100, 75));

    const QImage full = Thumbnailer::decodeThumbnail(photo_, {3000, 3000});
    EXPECT_EQ(full.size(), QSize(1600, 1200));
    EXPECT_TRUE(isReddish(full.pixel(100, 600)));
    EXPECT_TRUE(isBluish(full.pixel(1500, 600)));
}

TEST_F(ThumbnailTest, PortraitPhotoKeepsItsAspect)
{
    const QString portrait = file("portrait.jpg");
    ASSERT_TRUE(twoColourPicture({1200, 1600}).save(portrait, "JPG", 90));
    EXPECT_EQ(Thumbnailer::decodeThumbnail(portrait, {160, 120}).size(), QSize(90, 120));
    EXPECT_EQ(Thumbnailer::jpegSize(portrait), QSize(1200, 1600));
}

TEST_F(ThumbnailTest, SizeComesFromTheHeader)
{
    EXPECT_EQ(Thumbnailer::jpegSize(photo_), QSize(1600, 1200));
}

TEST_F(ThumbnailTest, LargeMetadataBeforeTheImageIsReadThrough)
{
    // Two full APP2 segments (128 KiB) between the start marker and the frame header: more than
    // the first header read.
    const QByteArray original = readAll(photo_);
    ASSERT_TRUE(original.startsWith("\xff\xd8"));
    QByteArray padded = original.left(2);
    for (int i = 0; i < 2; ++i) {
        padded += QByteArray("\xff\xe2\xff\xff", 4);
        padded += QByteArray(0xffff - 2, 'm');
    }
    padded += original.mid(2);
    const QString path = file("padded.jpg");
    writeAll(path, padded);

    EXPECT_EQ(Thumbnailer::jpegSize(path), QSize(1600, 1200));
    EXPECT_EQ(Thumbnailer::decodeThumbnail(path, {160, 120}).size(), QSize(160, 120));
}

TEST_F(ThumbnailTest, UnreadableFilesGiveNoThumbnail)
{
    const QByteArray jpeg = readAll(photo_);
    ASSERT_GT(jpeg.size(), 1000);

    QByteArray noise(20000, '\0');
    QRandomGenerator random(1234);
    for (char &b : noise)
        b = char(random.bounded(256));
    // The right start marker and then noise.
    QByteArray badBody = noise;
    badBody[0] = char(0xff);
    badBody[1] = char(0xd8);
    // A valid header followed by garbage in place of the picture data.
    QByteArray badData = jpeg.left(jpeg.size() / 10) + noise;

    QByteArray png;
    {
        QImage small(64, 48, QImage::Format_RGB32);
        small.fill(Qt::green);
        const QString pngPath = file("real.png");
        ASSERT_TRUE(small.save(pngPath, "PNG"));
        png = readAll(pngPath);
    }

    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"zero-byte.jpg", QByteArray()},
        {"noise.jpg", noise},
        {"start-marker-then-noise.jpg", badBody},
        {"garbage-after-header.jpg", badData},
        {"truncated-half.jpg", jpeg.left(jpeg.size() / 2)},
        {"truncated-in-header.jpg", jpeg.left(100)},
        {"missing-end.jpg", jpeg.left(jpeg.size() - 200)},
        {"png-renamed.jpg", png},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(c.name);
        writeAll(path, c.bytes);
        EXPECT_TRUE(Thumbnailer::decodeThumbnail(path, {160, 120}).isNull());
    }
    EXPECT_FALSE(Thumbnailer::jpegSize(file("zero-byte.jpg")).isValid());
    EXPECT_FALSE(Thumbnailer::jpegSize(file("noise.jpg")).isValid());
    EXPECT_FALSE(Thumbnailer::jpegSize(file("png-renamed.jpg")).isValid());
    EXPECT_FALSE(Thumbnailer::jpegSize(file("truncated-in-header.jpg")).isValid());

    EXPECT_TRUE(Thumbnailer::decodeThumbnail(file("does-not-exist.jpg"), {160, 120}).isNull());
    EXPECT_FALSE(Thumbnailer::jpegSize(file("does-not-exist.jpg")).isValid());
    EXPECT_TRUE(Thumbnailer::decodeThumbnail(sandbox_.path(), {160, 120}).isNull())
        << "a folder";
    EXPECT_TRUE(Thumbnailer::decodeThumbnail(photo_, {0, 0}).isNull()) << "empty bound";
}

// ------------------------------------------------------------------ async loader

// Records what the loader delivers and on which thread.
struct Deliveries {
    explicit Deliveries(ThumbnailLoader *loader)
    {
        QObject::connect(loader, &ThumbnailLoader::thumbnailReady, &context,
                         [this](const QString &path, const QImage &image) {
                             paths << path;
                             images << image;
                             onMainThread = onMainThread
                                 && QThread::currentThread() == QCoreApplication::instance()->thread();
                         });
    }
    QObject context;
    QStringList paths;
    QList<QImage> images;
    bool onMainThread = true;
};

// Lets every decode finish and every result reach the loader.
void settle(ThumbnailLoader &loader)
{
    ASSERT_TRUE(loader.waitForDone(10000));
    QCoreApplication::sendPostedEvents();
}

TEST_F(ThumbnailTest, LoaderDeliversOnTheMainThread)
{
    writeAll(file("broken.jpg"), "not a picture");
    ThumbnailLoader loader;
    Deliveries got(&loader);

    loader.request(photo_, {160, 120});
    loader.request(file("broken.jpg"), {160, 120});
    EXPECT_TRUE(loader.isPending(photo_));
    EXPECT_EQ(loader.pendingCount(), 2);

    ASSERT_TRUE(waitUntil([&] { return got.paths.size() == 2; }));
    EXPECT_TRUE(got.onMainThread);
    EXPECT_EQ(loader.pendingCount(), 0);
    EXPECT_FALSE(loader.isPending(photo_));
    const int good = got.paths.indexOf(photo_);
    const int bad = got.paths.indexOf(file("broken.jpg"));
    ASSERT_GE(good, 0);
    ASSERT_GE(bad, 0);
    EXPECT_EQ(got.images[good].size(), QSize(160, 120));
    EXPECT_TRUE(got.images[bad].isNull()) << "a failed decode is reported, with no picture";
}

TEST_F(ThumbnailTest, LoaderCoalescesRepeatedRequests)
{
    ThumbnailLoader loader;
    Deliveries got(&loader);
    for (int i = 0; i < 5; ++i)
        loader.request(photo_, {160, 120});
    loader.request(photo_, {80, 60}); // another size is another thumbnail
    EXPECT_EQ(loader.pendingCount(), 2);

    settle(loader);
    ASSERT_EQ(got.paths.size(), 2);
    QList<QSize> sizes = {got.images[0].size(), got.images[1].size()};
    EXPECT_TRUE(sizes.contains(QSize(160, 120)));
    EXPECT_TRUE(sizes.contains(QSize(80, 60)));

    // Once delivered, the same request decodes again.
    loader.request(photo_, {160, 120});
    settle(loader);
    EXPECT_EQ(got.paths.size(), 3);
}

TEST_F(ThumbnailTest, CancelledRequestsDeliverNothing)
{
    const QString other = file("other.jpg");
    ASSERT_TRUE(QFile::copy(photo_, other));
    ThumbnailLoader loader;
    Deliveries got(&loader);

    loader.request(photo_, {160, 120});
    loader.request(photo_, {80, 60});
    loader.request(other, {160, 120});
    loader.cancel(photo_);
    EXPECT_FALSE(loader.isPending(photo_));
    EXPECT_TRUE(loader.isPending(other));
    settle(loader);
    EXPECT_EQ(got.paths, QStringList{other});

    for (int i = 0; i < 8; ++i)
        loader.request(file(QString("many-%1.jpg").arg(i)), {160, 120});
    loader.request(photo_, {160, 120});
    loader.clear();
    EXPECT_EQ(loader.pendingCount(), 0);
    settle(loader);
    EXPECT_EQ(got.paths, QStringList{other});

    // A request made again after a cancel is served, even while the withdrawn decode may
    // still be running.
    loader.request(photo_, {160, 120});
    loader.cancel(photo_);
    loader.request(photo_, {160, 120});
    settle(loader);
    EXPECT_EQ(got.paths, (QStringList{other, photo_}));

    // A decode that has finished, with its result still on the way to the main thread, is
    // withdrawn as well.
    loader.request(other, {160, 120});
    ASSERT_TRUE(loader.waitForDone(10000));
    loader.cancel(other);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(got.paths, (QStringList{other, photo_}));
}

TEST_F(ThumbnailTest, StaleResultDoesNotAnswerANewRequest)
{
    // The picture changes (turned in review mode) while the thumbnail of its old content is on
    // the way; the browser withdraws and asks again, and must get the new content only.
    ThumbnailLoader loader;
    Deliveries got(&loader);
    loader.request(photo_, {160, 120});
    ASSERT_TRUE(loader.waitForDone(10000));
    loader.cancel(photo_);
    ASSERT_TRUE(twoColourPicture({1200, 1600}).save(photo_, "JPG", 90));
    loader.request(photo_, {160, 120});
    settle(loader);
    ASSERT_EQ(got.images.size(), 1);
    EXPECT_EQ(got.images[0].size(), QSize(90, 120));
}

TEST_F(ThumbnailTest, DestroyingTheLoaderWithDecodesInFlightIsSafe)
{
    int delivered = 0;
    {
        auto loader = std::make_unique<ThumbnailLoader>();
        QObject::connect(loader.get(), &ThumbnailLoader::thumbnailReady,
                         [&delivered] { ++delivered; });
        for (int i = 0; i < 6; ++i)
            loader->request(photo_, QSize(160 + i, 120));
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(delivered, 0);
}

} // namespace
