#include "TestSupport.h"
#include "library/MoviePoster.h"
#include "library/ThumbnailLoader.h"
#include "library/Thumbnailer.h"
#include "photos/PhotoEncoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QThread>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <memory>

namespace {

// Left half red, right half blue: a swapped colour channel or a mirrored decode shows.
QImage twoColourPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(220, 20, 20));
    QPainter(&image).fillRect(QRect(QPoint(size.width() / 2, 0), size), QColor(20, 20, 220));
    return image;
}

class ThumbnailTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(twoColourPicture({1600, 1200}).save(photo_, "JPG", 90)); }
    QString file(const QString &name) const { return sandbox_.path(name); }

    Sandbox sandbox_;
    const QString photo_ = sandbox_.path("photo.jpg");
};

TEST(ScaledDecodeSize, SmallestDecodeThatCoversTheThumbnail)
{
    const struct {
        QSize picture, bound, thumbnail, decode;
    } cases[] = {
        {{1600, 1200}, {200, 150}, {200, 150}, {200, 150}}, // exactly 1/8
        {{1600, 1200}, {201, 151}, {201, 151}, {400, 300}}, // a pixel more: 1/4
        // The height limits the thumbnail; the bound's extra width is of no use.
        {{1600, 1200}, {1000, 300}, {400, 300}, {400, 300}},
        {{1600, 1200}, {500, 500}, {500, 375}, {600, 450}},
        {{1200, 1600}, {160, 120}, {90, 120}, {150, 200}},  // portrait
        {{1601, 1201}, {160, 120}, {159, 120}, {201, 151}}, // rounded up
        {{1600, 1200}, {1599, 1199}, {1598, 1199}, {1600, 1200}},
        {{100, 80}, {160, 120}, {100, 80}, {100, 80}}, // never enlarged
        {{10000, 8}, {100, 100}, {100, 1}, {1250, 1}}, // one pixel across
        {{1600, 1200}, {0, 120}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.picture) + " in " + testing::PrintToString(c.bound));
        EXPECT_EQ(Thumbnailer::thumbnailSize(c.picture, c.bound), c.thumbnail);
        EXPECT_EQ(Thumbnailer::scaledDecodeSize(c.picture, c.bound), c.decode);
    }
}

TEST_F(ThumbnailTest, LargeMetadataBeforeTheImageIsReadThrough)
{
    // Two full APP2 segments (128 KiB) before the frame header: more than the first header read.
    const QByteArray original = readFile(photo_);
    QByteArray padded = original.left(2);
    for (int i = 0; i < 2; ++i)
        padded += QByteArray("\xff\xe2\xff\xff", 4) + QByteArray(0xffff - 2, 'm');
    const QString path = file("padded.jpg");
    ASSERT_TRUE(writeFile(path, padded + original.mid(2)));

    EXPECT_EQ(Thumbnailer::uprightSize(path), QSize(1600, 1200));
    EXPECT_EQ(Thumbnailer::decodeThumbnail(path, {160, 120}).size(), QSize(160, 120));
}

// The EXIF thumbnail (green here; the photo is red and blue) is used only when it shows the whole
// picture at the size wanted or larger; otherwise the photo is scaled into the bound, its colours
// in place.
TEST_F(ThumbnailTest, ExifThumbnailIsUsedOnlyWhenItServes)
{
    const QByteArray jpeg = PhotoEncoder::encodeJpeg(twoColourPicture({1600, 1200}));
    const auto withThumbnail = [&](QSize size, const QByteArray &thumbnail = {}) {
        QImage green(size, QImage::Format_RGB32);
        green.fill(qRgb(20, 200, 20));
        return PhotoEncoder::addMetadata(
            jpeg, {QDateTime::currentDateTime(), {}, thumbnail.isEmpty() ? PhotoEncoder::encodeJpeg(green) : thumbnail});
    };
    const QByteArray own = withThumbnail({160, 120});
    // The photo as other programs sample its colour.
    const auto sampled = [](int subsampling) { return encodeTestJpeg(twoColourPicture({1600, 1200}), subsampling); };
    // The same EXIF block in big-endian byte order, as some cameras write it.
    const auto bigEndian = [&](const QByteArray &photo) {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(photo.constData()), long(photo.size()));
        image->readMetadata();
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, Exiv2::bigEndian, image->exifData());
        const QByteArray tiff(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
        EXPECT_TRUE(tiff.startsWith("MM"));
        const int length = 2 + 6 + int(tiff.size());
        return jpeg.left(2) + "\xff\xe1" + char(length >> 8) + char(length & 0xff) + QByteArray("Exif\0\0", 6) + tiff + jpeg.mid(2);
    };
    const struct {
        const char *name;
        QByteArray bytes;
        QSize bound, size;
        bool exif; // the green thumbnail, not the photo
    } cases[] = {
        {"no-thumbnail.jpg", jpeg, {160, 120}, {160, 120}, false},
        {"sampled-422.jpg", sampled(TJSAMP_422), {160, 120}, {160, 120}, false},
        {"sampled-444.jpg", sampled(TJSAMP_444), {160, 120}, {160, 120}, false},
        {"sampled-440.jpg", sampled(TJSAMP_440), {160, 120}, {160, 120}, false},
        {"own.jpg", own, {160, 120}, {160, 120}, true},
        {"own-big-endian.jpg", bigEndian(own), {160, 120}, {160, 120}, true},
        {"own-smaller.jpg", own, {80, 80}, {80, 60}, true},
        {"own-larger.jpg", own, {200, 150}, {200, 150}, false},
        {"turned-since.jpg", withThumbnail({120, 160}), {160, 120}, {160, 120}, false},
        {"cropped-since.jpg", withThumbnail({160, 90}), {160, 120}, {160, 120}, false},
        {"broken-thumbnail.jpg", withThumbnail({}, QByteArray("\xff\xd8 not a picture")), {160, 120}, {160, 120}, false},
        {"cut-short.jpg", own.left(own.size() - 200), {160, 120}, {0, 0}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(file(c.name), c.bytes));
        const QImage thumbnail = Thumbnailer::decodeThumbnail(file(c.name), c.bound);
        ASSERT_EQ(thumbnail.size(), c.size);
        if (c.size.isEmpty())
            continue;
        EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32);
        const QRgb left = thumbnail.pixel(2, c.size.height() / 2), right = thumbnail.pixel(c.size.width() - 3, 2);
        EXPECT_EQ(qGreen(left) > 150, c.exif) << std::hex << left;
        EXPECT_EQ(qRed(left) > 150, !c.exif) << std::hex << left;
        EXPECT_EQ(qBlue(right) > 150, !c.exif) << std::hex << right;
        const QRgb rightOfMiddle = thumbnail.pixel(c.size.width() * 5 / 8, c.size.height() / 2);
        EXPECT_EQ(qBlue(rightOfMiddle) > 150, !c.exif) << std::hex << rightOfMiddle;
    }
    // A grey photo stays grey, the red half the lighter one.
    ASSERT_TRUE(writeFile(file("grey.jpg"), sampled(TJSAMP_GRAY)));
    const QImage grey = Thumbnailer::decodeThumbnail(file("grey.jpg"), {160, 120});
    ASSERT_EQ(grey.size(), QSize(160, 120));
    const QRgb left = grey.pixel(2, 60), right = grey.pixel(157, 60);
    EXPECT_TRUE(qRed(left) == qGreen(left) && qGreen(left) == qBlue(left)) << std::hex << left;
    EXPECT_NEAR(qGray(left), 79, 6);
    EXPECT_NEAR(qGray(right), 43, 6);
}

TEST_F(ThumbnailTest, UnreadableFilesGiveNoThumbnail)
{
    const QByteArray jpeg = readFile(photo_);
    const QByteArray noise = noiseBytes(20000, 1234);
    ASSERT_TRUE(twoColourPicture({64, 48}).save(file("real.png"), "PNG"));

    const struct {
        const char *name;
        QByteArray bytes;
        bool sizeKnown; // the header is intact
    } cases[] = {
        {"zero-byte.jpg", QByteArray(), false},
        {"noise.jpg", noise, false},
        {"start-marker-then-noise.jpg", "\xff\xd8" + noise, false},
        {"garbage-after-header.jpg", jpeg.left(jpeg.size() / 10) + noise, true},
        {"truncated-in-header.jpg", jpeg.left(100), false},
        {"missing-end.jpg", jpeg.left(jpeg.size() - 200), true},
        {"png-renamed.jpg", readFile(file("real.png")), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(file(c.name), c.bytes));
        EXPECT_TRUE(Thumbnailer::decodeThumbnail(file(c.name), {160, 120}).isNull());
        EXPECT_EQ(Thumbnailer::uprightSize(file(c.name)).isValid(), c.sizeKnown);
    }
    for (const QString &path : {file("does-not-exist.jpg"), sandbox_.path()}) {
        EXPECT_TRUE(Thumbnailer::decodeThumbnail(path, {160, 120}).isNull()) << qPrintable(path);
        EXPECT_FALSE(Thumbnailer::uprightSize(path).isValid()) << qPrintable(path);
    }
}

TEST(MovieDuration, WrittenAsAPlayerShowsIt)
{
    const struct {
        qint64 ms;
        const char *text;
    } cases[] = {
        {0, "0:00"}, {499, "0:00"}, {500, "0:01"}, {42000, "0:42"}, {59600, "1:00"}, {725000, "12:05"}, {3723000, "1:02:03"}, {-1, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MoviePoster::durationText(c.ms), QString::fromLatin1(c.text)) << c.ms;
}

// The poster is the frame a second in (blue after half a second of red), or the first of a
// shorter movie; it fits the bound and carries the length on a dark label in the bottom-right
// corner. Files that are no movie, or half of one, give nothing, quickly.
TEST_F(ThumbnailTest, MoviePosterIsTheFrameASecondInWithTheLengthOnIt)
{
    const QSize bound(120, 90);
    const struct {
        const char *name;
        QList<QPair<QString, int>> colours; // tenths of a second of each
        QSize size;
        bool blue;
    } cases[] = {
        {"long.mp4", {{"red", 5}, {"blue", 20}}, {160, 120}, true},
        {"wide.mp4", {{"red", 5}, {"blue", 20}}, {320, 180}, true},
        {"short.mov", {{"red", 8}}, {160, 120}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (const QString why = makeMovie(file(c.name), c.colours, c.size, true); !why.isEmpty())
            GTEST_SKIP() << qPrintable(why);
        const MoviePoster::Frame frame = MoviePoster::readFrame(file(c.name));
        ASSERT_EQ(frame.image.size(), c.size);
        int tenths = 0;
        for (const auto &colour : c.colours)
            tenths += colour.second;
        EXPECT_NEAR(frame.durationMs, tenths * 100, 50);

        const QImage poster = MoviePoster::thumbnail(file(c.name), bound);
        ASSERT_EQ(poster.size(), Thumbnailer::thumbnailSize(c.size, bound));
        const QRgb plain = poster.pixel(3, 3);
        EXPECT_EQ(qBlue(plain) > 150, c.blue) << std::hex << plain;
        EXPECT_EQ(qRed(plain) > 150, !c.blue) << std::hex << plain;
        const QRgb label = poster.pixel(poster.width() - 5, poster.height() - 5);
        EXPECT_LT(qMax(qRed(label), qBlue(label)), 100) << std::hex << label;
    }

    const QByteArray movie = readFile(file("long.mp4"));
    const QByteArray noise = noiseBytes(20000, 99);
    const struct {
        const char *name;
        QByteArray bytes;
    } broken[] = {
        {"empty.mp4", {}},
        {"noise.mp4", noise},
        {"first-half.mp4", movie.left(movie.size() / 2)},
    };
    QElapsedTimer clock;
    clock.start();
    for (const auto &c : broken) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(file(c.name), c.bytes));
        EXPECT_TRUE(MoviePoster::thumbnail(file(c.name), bound).isNull());
    }
    EXPECT_LT(clock.elapsed(), MoviePoster::StepTimeoutMs) << "a damaged file is refused, not waited for";

    // The loader tells movies from photos by their names.
    ThumbnailLoader loader;
    QImage delivered;
    QObject::connect(&loader, &ThumbnailLoader::thumbnailReady, [&](const QString &, const QImage &image) { delivered = image; });
    loader.request(file("long.mp4"), bound);
    ASSERT_TRUE(waitUntil([&] { return !delivered.isNull(); }, 10000));
    EXPECT_EQ(delivered.size(), QSize(120, 90));
}

// Records what the loader delivers and whether all of it came on the main thread.
struct Deliveries {
    explicit Deliveries(ThumbnailLoader *loader)
    {
        QObject::connect(loader, &ThumbnailLoader::thumbnailReady, &context, [this](const QString &path, const QImage &image) {
            paths << path;
            images << image;
            onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
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

TEST_F(ThumbnailTest, LoaderDeliversOnTheMainThreadAndCoalescesRepeatedRequests)
{
    ASSERT_TRUE(writeFile(file("broken.jpg"), "not a picture"));
    ThumbnailLoader loader;
    Deliveries got(&loader);
    for (int i = 0; i < 3; ++i)
        loader.request(photo_, {160, 120});
    loader.request(photo_, {80, 60}); // another size is another thumbnail
    loader.request(file("broken.jpg"), {160, 120});
    EXPECT_EQ(loader.pendingCount(), 3);

    ASSERT_TRUE(waitUntil([&] { return got.paths.size() == 3; }));
    EXPECT_TRUE(got.onMainThread);
    EXPECT_FALSE(loader.isPending(photo_));
    QList<QSize> sizes;
    for (int i = 0; i < 3; ++i)
        if (got.paths[i] == photo_)
            sizes << got.images[i].size();
    EXPECT_TRUE(sizes.contains(QSize(160, 120)) && sizes.contains(QSize(80, 60)));
    EXPECT_TRUE(got.images[got.paths.indexOf(file("broken.jpg"))].isNull()) << "a failed decode is reported, with no picture";

    // Once delivered, the same request decodes again.
    loader.request(photo_, {160, 120});
    settle(loader);
    EXPECT_EQ(got.paths.size(), 4);
}

TEST_F(ThumbnailTest, CancelledAndStaleRequestsDeliverNothing)
{
    const QString other = file("other.jpg");
    ASSERT_TRUE(QFile::copy(photo_, other));
    ThumbnailLoader loader;
    Deliveries got(&loader);

    loader.request(photo_, {160, 120});
    loader.request(photo_, {80, 60});
    loader.request(other, {160, 120});
    loader.cancel(photo_);
    settle(loader);
    EXPECT_EQ(got.paths, QStringList{other});

    for (int i = 0; i < 8; ++i)
        loader.request(file(QString("many-%1.jpg").arg(i)), {160, 120});
    loader.request(photo_, {160, 120});
    loader.clear();
    settle(loader);
    EXPECT_EQ(got.paths, QStringList{other});

    // Asked again after a cancel, while the withdrawn decode may still run: served once.
    loader.request(photo_, {160, 120});
    loader.cancel(photo_);
    loader.request(photo_, {160, 120});
    settle(loader);
    EXPECT_EQ(got.paths, (QStringList{other, photo_}));

    // The picture is turned while its old thumbnail is on the way; asked again, only the new one comes.
    loader.request(photo_, {160, 120});
    ASSERT_TRUE(loader.waitForDone(10000));
    loader.cancel(photo_);
    ASSERT_TRUE(twoColourPicture({1200, 1600}).save(photo_, "JPG", 90));
    loader.request(photo_, {160, 120});
    settle(loader);
    ASSERT_EQ(got.images.size(), 3);
    EXPECT_EQ(got.images.last().size(), QSize(90, 120));
}

TEST_F(ThumbnailTest, DestroyingTheLoaderWithDecodesInFlightIsSafe)
{
    int delivered = 0;
    {
        auto loader = std::make_unique<ThumbnailLoader>();
        QObject::connect(loader.get(), &ThumbnailLoader::thumbnailReady, [&delivered] { ++delivered; });
        for (int i = 0; i < 6; ++i)
            loader->request(photo_, QSize(160 + i, 120));
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(delivered, 0);
}

} // namespace
