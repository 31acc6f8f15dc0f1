#include "PhotoEncoder.h"

#include "PhotoNaming.h"
#include "library/Thumbnailer.h"

#include <exiv2/exiv2.hpp>
#include <libyuv/scale_argb.h>
#include <turbojpeg.h>

#include <memory>

namespace PhotoEncoder {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// TurboJPEG leaves the JFIF density at "aspect ratio 1:1, no unit". Viewers and word
// processors that size an inserted photo by its density read that as 72 dpi anyway, but saying
// so keeps the JFIF header in step with the EXIF resolution written next to it.
void setJfifDensity(QByteArray &jpeg, int dpi)
{
    static const char jfif[] = {'\xff', '\xd8', '\xff', '\xe0'};
    if (jpeg.size() < 18 || !jpeg.startsWith(QByteArray::fromRawData(jfif, 4))
        || qstrncmp(jpeg.constData() + 6, "JFIF", 5) != 0)
        return;
    char *p = jpeg.data();
    p[13] = 1; // dots per inch
    p[14] = char(dpi >> 8);
    p[15] = char(dpi & 0xff);
    p[16] = char(dpi >> 8);
    p[17] = char(dpi & 0xff);
}

struct TjHandleDeleter {
    void operator()(void *handle) const { tjDestroy(handle); }
};

// The EXIF block goes in as one APP1 segment, whose length field counts itself.
constexpr int MaxSegmentLength = 0xffff;
const char ExifHeader[] = {'E', 'x', 'i', 'f', '\0', '\0'};

// Where the EXIF segment goes: after the start-of-image marker and, when there is one, the JFIF
// header that follows it, as exiv2 itself places it. -1 when `jpeg` is not a JPEG.
int exifInsertionPoint(const QByteArray &jpeg)
{
    const auto byte = [&jpeg](int i) { return uchar(jpeg.at(i)); };
    if (jpeg.size() < 4 || byte(0) != 0xff || byte(1) != 0xd8)
        return -1;
    if (jpeg.size() >= 6 && byte(2) == 0xff && byte(3) == 0xe0) {
        const int end = 4 + (byte(4) << 8 | byte(5));
        return end <= jpeg.size() ? end : -1;
    }
    return 2;
}

} // namespace

int chromaSubsampling(const QSize &size)
{
    return size.width() % 16 == 0 && size.height() % 16 == 0 ? TJSAMP_420 : TJSAMP_444;
}

QByteArray encodeJpeg(const QImage &frame, QString *error)
{
    if (frame.isNull() || frame.width() <= 0 || frame.height() <= 0) {
        setError(error, QStringLiteral("empty frame"));
        return {};
    }

    // 32-bit Qt formats are stored as native-endian 0xAARRGGBB words: B, G, R, A in memory on a
    // little-endian machine. Premultiplied frames lose their alpha the way Qt's own conversion
    // to RGB32 would, that is over black.
    QImage image = frame;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        image = image.convertToFormat(QImage::Format_RGB32);
        break;
    }
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    const int pixelFormat = TJPF_BGRX;
#else
    const int pixelFormat = TJPF_XRGB;
#endif

    std::unique_ptr<void, TjHandleDeleter> handle(tjInitCompress());
    if (!handle) {
        setError(error, QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
        return {};
    }
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const int rc =
        tjCompress2(handle.get(), image.constBits(), image.width(), int(image.bytesPerLine()), image.height(),
                    pixelFormat, &buffer, &size, chromaSubsampling(image.size()), Quality, 0);
    if (rc != 0) {
        setError(error, QString::fromLocal8Bit(tjGetErrorStr2(handle.get())));
        tjFree(buffer);
        return {};
    }
    QByteArray jpeg(reinterpret_cast<const char *>(buffer), qsizetype(size));
    tjFree(buffer);
    setJfifDensity(jpeg, Dpi);
    return jpeg;
}

QByteArray encodeThumbnail(const QImage &frame)
{
    const QSize size = Thumbnailer::thumbnailSize(frame.size(), QSize(ThumbnailWidth, ThumbnailHeight));
    if (size.isEmpty())
        return {};
    QImage source = frame;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32
        && source.format() != QImage::Format_ARGB32_Premultiplied)
        source = source.convertToFormat(QImage::Format_RGB32);
    QImage small(size, QImage::Format_RGB32);
    if (small.isNull())
        return {};
    // A box filter averages every source pixel, so fine print turns grey instead of aliasing.
    libyuv::ARGBScale(source.constBits(), int(source.bytesPerLine()), source.width(), source.height(),
                      small.bits(), int(small.bytesPerLine()), size.width(), size.height(),
                      libyuv::kFilterBox);

    std::unique_ptr<void, TjHandleDeleter> handle(tjInitCompress());
    if (!handle)
        return {};
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    const int pixelFormat = TJPF_BGRX;
#else
    const int pixelFormat = TJPF_XRGB;
#endif
    unsigned char *buffer = nullptr;
    unsigned long bytes = 0;
    QByteArray jpeg;
    if (tjCompress2(handle.get(), small.constBits(), size.width(), int(small.bytesPerLine()), size.height(),
                    pixelFormat, &buffer, &bytes, TJSAMP_420, ThumbnailQuality, 0)
        == 0)
        jpeg = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(bytes));
    tjFree(buffer);
    return jpeg;
}

EncodedFrame encodeFrame(const QImage &frame, QString *error)
{
    EncodedFrame encoded;
    encoded.jpeg = encodeJpeg(frame, error);
    if (!encoded.jpeg.isEmpty())
        encoded.thumbnail = encodeThumbnail(frame);
    return encoded;
}

QByteArray addMetadata(const QByteArray &jpeg, const Metadata &metadata, QString *error)
{
    const int insertAt = exifInsertionPoint(jpeg);
    if (insertAt < 0) {
        setError(error, QStringLiteral("no JPEG data"));
        return {};
    }
    try {
        const std::string stamp = PhotoNaming::exifTimeStamp(metadata.captured).toStdString();
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(1);
        exif["Exif.Image.XResolution"] = Exiv2::URational(Dpi, 1);
        exif["Exif.Image.YResolution"] = Exiv2::URational(Dpi, 1);
        exif["Exif.Image.ResolutionUnit"] = uint16_t(2); // inches
        exif["Exif.Image.Make"] = std::string(Make);
        if (!metadata.cameraModel.isEmpty())
            exif["Exif.Image.Model"] = metadata.cameraModel.toStdString();
        exif["Exif.Image.Software"] = std::string(Software);
        exif["Exif.Image.DateTime"] = stamp;
        exif["Exif.Photo.DateTimeOriginal"] = stamp;
        exif["Exif.Photo.DateTimeDigitized"] = stamp;

        // EXIF version 2.2 is the four undefined bytes "0220", not a number or a string.
        Exiv2::DataValue version(Exiv2::undefined);
        version.read(reinterpret_cast<const Exiv2::byte *>("0220"), 4);
        exif["Exif.Photo.ExifVersion"] = version;

        if (!metadata.thumbnail.isEmpty()) {
            Exiv2::ExifThumb(exif).setJpegThumbnail(
                reinterpret_cast<const Exiv2::byte *>(metadata.thumbnail.constData()),
                long(metadata.thumbnail.size()), Exiv2::URational(Dpi, 1), Exiv2::URational(Dpi, 1), 2);
        }

        // Only EXIF is written. With no XMP data exiv2 never starts its XMP toolkit, whose
        // set-up is not thread-safe, so saves on several threads need no XmpParser set-up.
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
        const qsizetype length = 2 + qsizetype(sizeof ExifHeader) + qsizetype(blob.size());
        if (blob.empty() || length > MaxSegmentLength) {
            setError(error, QStringLiteral("exiv2 made an EXIF block of %1 bytes").arg(blob.size()));
            return {};
        }

        QByteArray out;
        out.reserve(jpeg.size() + 2 + length);
        out.append(jpeg.constData(), insertAt);
        out.append(char(0xff)).append(char(0xe1)).append(char(length >> 8)).append(char(length & 0xff));
        out.append(ExifHeader, sizeof ExifHeader);
        out.append(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
        out.append(jpeg.constData() + insertAt, jpeg.size() - insertAt);
        return out;
    } catch (const Exiv2::AnyError &e) {
        setError(error, QString::fromStdString(e.what()));
    } catch (const std::exception &e) {
        setError(error, QString::fromLocal8Bit(e.what()));
    }
    return {};
}

QByteArray encodePhoto(const QImage &frame, const Metadata &metadata, QString *error)
{
    const EncodedFrame encoded = encodeFrame(frame, error);
    if (encoded.isNull())
        return {};
    Metadata withThumbnail = metadata;
    withThumbnail.thumbnail = encoded.thumbnail;
    return addMetadata(encoded.jpeg, withThumbnail, error);
}

} // namespace PhotoEncoder
