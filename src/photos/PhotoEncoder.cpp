#include "PhotoEncoder.h"

#include "PhotoNaming.h"

#include <exiv2/exiv2.hpp>
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

} // namespace

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
    const int rc = tjCompress2(handle.get(), image.constBits(), image.width(), int(image.bytesPerLine()),
                               image.height(), pixelFormat, &buffer, &size, TJSAMP_420, Quality, 0);
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

QByteArray addMetadata(const QByteArray &jpeg, const Metadata &metadata, QString *error)
{
    if (jpeg.isEmpty()) {
        setError(error, QStringLiteral("no JPEG data"));
        return {};
    }
    try {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(jpeg.constData()),
                                               long(jpeg.size()));
        if (!image.get()) {
            setError(error, QStringLiteral("exiv2 does not recognise the JPEG data"));
            return {};
        }
        image->readMetadata();

        const std::string stamp = PhotoNaming::exifTimeStamp(metadata.captured).toStdString();
        Exiv2::ExifData &exif = image->exifData();
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

        // Only EXIF is written. With no XMP data exiv2 never starts its XMP toolkit, whose
        // set-up is not thread-safe, so saves on several threads need no XmpParser set-up.
        image->writeMetadata();

        Exiv2::BasicIo &io = image->io();
        if (io.open() != 0) {
            setError(error, QStringLiteral("exiv2 could not reopen its memory buffer"));
            return {};
        }
        const long size = io.size();
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        const long read = io.read(reinterpret_cast<Exiv2::byte *>(out.data()), size);
        io.close();
        if (size <= 0 || read != size) {
            setError(error, QStringLiteral("exiv2 returned a short buffer"));
            return {};
        }
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
    const QByteArray jpeg = encodeJpeg(frame, error);
    if (jpeg.isEmpty())
        return {};
    return addMetadata(jpeg, metadata, error);
}

} // namespace PhotoEncoder
