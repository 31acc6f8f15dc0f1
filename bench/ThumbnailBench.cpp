// The photo browser makes a thumbnail of every photo in the library. For a photo as this
// program writes it, reading its EXIF thumbnail must beat Qt's own scaled decode
// (QImageReader::setScaledSize, which lets libjpeg decode at a reduced DCT scale) by a wide
// margin; for a photo from elsewhere, without one, the scaled decode must beat it too, whether
// the file carries EXIF tags (as a phone's or an editor's photo does) or none at all. Both
// sides work on the same file.

#include "BenchTable.h"
#include "library/Thumbnailer.h"
#include "photos/PhotoWriter.h"
#include "core/UserDefaults.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <exiv2/exiv2.hpp>

#include <cstdlib>

namespace {

const QSize Bound(160, 120);

// A 1600 x 1200 picture with detail everywhere (gradients and a fine pattern), so that the JPEG
// carries as much data as a picture of a printed page does.
QImage detailedPicture()
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int pattern = ((x / 3) ^ (y / 5)) & 0x3f;
            line[x] = qRgb((x * 255 / 1600 + pattern) & 0xff, (y * 255 / 1200) & 0xff, (pattern * 4) & 0xff);
        }
    }
    return image;
}

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The picture saved by PhotoWriter, as every snapshot is; written once per run.
const QString &ownPhoto()
{
    static const QString path = [] {
        UserDefaults defaults(folder().filePath(QStringLiteral("Arvo.conf")));
        PhotoWriter writer(&defaults);
        writer.setSettings({folder().path(), true, QStringLiteral("own")});
        const PhotoResult result = writer.save(detailedPicture(), QStringLiteral("Arvoscope"));
        if (!result.ok)
            std::abort();
        return result.path;
    }();
    return path;
}

// The same picture as another program saves it: no EXIF thumbnail.
const QString &foreignPhoto()
{
    static const QString path = [] {
        const QString p = folder().filePath(QStringLiteral("foreign.jpg"));
        if (!detailedPicture().save(p, "JPG", 90))
            std::abort();
        return p;
    }();
    return path;
}

// The same picture with the EXIF tags a phone writes, and no EXIF thumbnail.
const QString &foreignPhotoWithExif()
{
    static const QString path = [] {
        const QString p = folder().filePath(QStringLiteral("foreign-exif.jpg"));
        if (!detailedPicture().save(p, "JPG", 90))
            std::abort();
        try {
            auto image = Exiv2::ImageFactory::open(QFile::encodeName(p).toStdString());
            Exiv2::ExifData &exif = image->exifData();
            exif["Exif.Image.Make"] = std::string("Phone maker");
            exif["Exif.Image.Model"] = std::string("Phone 12");
            exif["Exif.Image.Orientation"] = uint16_t(1);
            exif["Exif.Image.Software"] = std::string("Photo editor 4.2");
            exif["Exif.Image.DateTime"] = std::string("2026:12:05 10:11:12");
            exif["Exif.Photo.DateTimeOriginal"] = std::string("2026:12:05 10:11:12");
            exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 60);
            exif["Exif.Photo.FNumber"] = Exiv2::URational(18, 10);
            exif["Exif.Photo.ISOSpeedRatings"] = uint16_t(200);
            exif["Exif.Photo.FocalLength"] = Exiv2::URational(42, 10);
            exif["Exif.Photo.PixelXDimension"] = uint32_t(1600);
            exif["Exif.Photo.PixelYDimension"] = uint32_t(1200);
            exif["Exif.GPSInfo.GPSLatitudeRef"] = std::string("N");
            exif["Exif.GPSInfo.GPSLatitude"] = std::string("52/1 31/1 1234/100");
            exif["Exif.GPSInfo.GPSLongitudeRef"] = std::string("E");
            exif["Exif.GPSInfo.GPSLongitude"] = std::string("13/1 24/1 5678/100");
            image->writeMetadata();
        } catch (const std::exception &) {
            std::abort();
        }
        return p;
    }();
    return path;
}

void readerBaseline(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        QImageReader reader(path);
        reader.setScaledSize(Bound);
        const QImage thumbnail = reader.read();
        if (thumbnail.size() != Bound) {
            state.SkipWithError("no thumbnail");
            break;
        }
        benchmark::DoNotOptimize(thumbnail.constBits());
    }
}

void thumbnailer(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        const QImage thumbnail = Thumbnailer::decodeThumbnail(path, Bound);
        if (thumbnail.size() != Bound) {
            state.SkipWithError("no thumbnail");
            break;
        }
        benchmark::DoNotOptimize(thumbnail.constBits());
    }
}

void BM_ThumbnailQtScaledBaseline_OwnPhoto(benchmark::State &state)
{
    readerBaseline(state, ownPhoto());
}
BENCHMARK(BM_ThumbnailQtScaledBaseline_OwnPhoto)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Thumbnail_OwnPhoto(benchmark::State &state)
{
    thumbnailer(state, ownPhoto());
}
BENCHMARK(BM_Thumbnail_OwnPhoto)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ThumbnailQtScaledBaseline_ForeignPhoto(benchmark::State &state)
{
    readerBaseline(state, foreignPhoto());
}
BENCHMARK(BM_ThumbnailQtScaledBaseline_ForeignPhoto)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Thumbnail_ForeignPhoto(benchmark::State &state)
{
    thumbnailer(state, foreignPhoto());
}
BENCHMARK(BM_Thumbnail_ForeignPhoto)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ThumbnailQtScaledBaseline_ForeignPhotoWithExif(benchmark::State &state)
{
    readerBaseline(state, foreignPhotoWithExif());
}
BENCHMARK(BM_ThumbnailQtScaledBaseline_ForeignPhotoWithExif)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Thumbnail_ForeignPhotoWithExif(benchmark::State &state)
{
    thumbnailer(state, foreignPhotoWithExif());
}
BENCHMARK(BM_Thumbnail_ForeignPhotoWithExif)->Unit(benchmark::kMicrosecond)->UseRealTime();

const bool rows =
    BenchTable::addRow("BM_Thumbnail_OwnPhoto/real_time", "BM_ThumbnailQtScaledBaseline_OwnPhoto/real_time",
                       "<= 0.05 (20x faster)")
    && BenchTable::addRow("BM_Thumbnail_ForeignPhoto/real_time",
                          "BM_ThumbnailQtScaledBaseline_ForeignPhoto/real_time", "<= 0.8")
    && BenchTable::addRow("BM_Thumbnail_ForeignPhotoWithExif/real_time",
                          "BM_ThumbnailQtScaledBaseline_ForeignPhotoWithExif/real_time", "<= 0.8");

} // namespace
