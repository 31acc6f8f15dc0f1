#include "library/PhotoRotation.h"

#include "core/LumoLog.h"
#include "library/LibraryFile.h"
#include "library/PhotoOrientation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <exiv2/exiv2.hpp>
#include <turbojpeg.h>

#include <memory>
#include <mutex>

namespace {

// Larger files are not photos; they are refused rather than read whole.
constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
// A full decode larger than this is refused (a header may claim 65500 x 65500 pixels).
constexpr qint64 MaxDecodePixels = qint64(100) * 1000 * 1000;

// A thumbnail that cannot be turned block by block is small enough to encode again.
constexpr int ThumbnailQuality = 90;

constexpr int Rgb32PixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? int(TJPF_BGRX) : int(TJPF_XRGB);

// The texts the user reads, translated under the name of this file.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(PhotoRotation)
};

struct TjDeleter {
    void operator()(void *handle) const
    {
        if (handle)
            tjDestroy(handle);
    }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

QByteArray takeTjBuffer(unsigned char *buffer, unsigned long size)
{
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    tjFree(buffer);
    return bytes;
}

// The TurboJPEG operation that lays the pixels as `turn` does.
int transformOp(const PixelTurn &turn)
{
    static const int plain[] = {TJXOP_NONE, TJXOP_ROT90, TJXOP_ROT180, TJXOP_ROT270};
    // Mirrored, then turned clockwise by 0, 1, 2 or 3 quarters.
    static const int mirrored[] = {TJXOP_HFLIP, TJXOP_TRANSVERSE, TJXOP_VFLIP, TJXOP_TRANSPOSE};
    return (turn.mirrored ? mirrored : plain)[turn.clockwise % 4];
}

// The compressed blocks of `jpeg` rearranged as `turn` lays the pixels; empty when blocks at an
// edge would not map onto whole blocks (or the data is damaged).
QByteArray transformJpeg(const QByteArray &jpeg, const PixelTurn &turn)
{
    if (turn.isIdentity())
        return jpeg;
    const TjHandle handle(tjInitTransform());
    if (!handle)
        return {};
    tjtransform transform{};
    transform.op = transformOp(turn);
    transform.options = TJXOPT_PERFECT;
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjTransform(handle.get(), reinterpret_cast<const unsigned char *>(jpeg.constData()),
                               static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &transform,
                               TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS);
    if (rc != 0) {
        tjFree(out);
        return {};
    }
    return takeTjBuffer(out, outSize);
}

// Decode, turn and encode again; 4:4:4 so that no chroma detail is lost twice.
QByteArray reencodeTurned(const QByteArray &jpeg, const PixelTurn &turn, int quality, QString *error)
{
    const TjHandle decoder(tjInitDecompress());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    if (!decoder
        || tjDecompressHeader3(decoder.get(), data, size, &width, &height, &subsampling, &colorspace) != 0
        || width <= 0 || height <= 0) {
        *error = Text::tr("The file is not a readable JPEG photo.");
        return {};
    }
    if (qint64(width) * height > MaxDecodePixels) {
        *error = Text::tr("The photo is too large to be turned.");
        return {};
    }
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull()
        || tjDecompress2(decoder.get(), data, size, picture.bits(), width, int(picture.bytesPerLine()),
                         height, Rgb32PixelFormat, TJFLAG_STOPONWARNING | TJFLAG_ACCURATEDCT)
               != 0) {
        *error = Text::tr("The photo is damaged and cannot be turned.");
        return {};
    }
    const QImage turned = turn.applied(picture);

    const TjHandle encoder(tjInitCompress());
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    if (!encoder
        || tjCompress2(encoder.get(), turned.constBits(), turned.width(), int(turned.bytesPerLine()),
                       turned.height(), Rgb32PixelFormat, &out, &outSize,
                       subsampling == TJSAMP_GRAY ? TJSAMP_GRAY : TJSAMP_444, quality, TJFLAG_ACCURATEDCT)
               != 0) {
        tjFree(out);
        *error = Text::tr("The turned photo could not be encoded.");
        return {};
    }
    return takeTjBuffer(out, outSize);
}

void setNumberIfPresent(Exiv2::ExifData &exif, const char *key, uint32_t value)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end())
        return;
    if (it->typeId() == Exiv2::unsignedShort && value <= 0xffff)
        it->setValue(std::to_string(value));
    else
        *it = value;
}

// The EXIF thumbnail turned like the picture, so that browsers that show it agree with the
// photo. Empty when there is none or it cannot be turned.
QByteArray turnedThumbnail(const Exiv2::ExifData &exif, const PixelTurn &turn)
{
    Exiv2::ExifThumbC thumb(exif);
    if (std::string(thumb.mimeType()) != "image/jpeg")
        return {};
    const Exiv2::DataBuf buf = thumb.copy();
    if (buf.size_ <= 0)
        return {};
    const QByteArray jpeg(reinterpret_cast<const char *>(buf.pData_), qsizetype(buf.size_));
    QByteArray turned = transformJpeg(jpeg, turn);
    if (turned.isEmpty()) {
        QString error;
        turned = reencodeTurned(jpeg, turn, ThumbnailQuality, &error);
    }
    return turned;
}

// `turned` (a JPEG of the turned picture) with the metadata of `original` brought up to date.
// When `markersCopied`, `turned` already carries the original's segments; otherwise they are
// copied from `original`.
QByteArray updateMetadata(const QByteArray &original, const QByteArray &turned, bool markersCopied,
                          const PixelTurn &turn, QString *error)
{
    // exiv2's XMP toolkit must be set up once before threads use it.
    static std::once_flag xmpOnce;
    std::call_once(xmpOnce, [] { Exiv2::XmpParser::initialize(); });

    try {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(turned.constData()),
                                               long(turned.size()));
        if (!image.get())
            throw Exiv2::Error(Exiv2::kerNotAnImage, "JPEG");
        if (markersCopied) {
            image->readMetadata();
        } else {
            auto source = Exiv2::ImageFactory::open(
                reinterpret_cast<const Exiv2::byte *>(original.constData()), long(original.size()));
            if (!source.get())
                throw Exiv2::Error(Exiv2::kerNotAnImage, "JPEG");
            source->readMetadata();
            image->readMetadata();
            image->setMetadata(*source);
        }

        Exiv2::ExifData &exif = image->exifData();
        if (!exif.empty()) {
            const int width = image->pixelWidth();
            const int height = image->pixelHeight();
            setNumberIfPresent(exif, "Exif.Photo.PixelXDimension", uint32_t(width));
            setNumberIfPresent(exif, "Exif.Photo.PixelYDimension", uint32_t(height));
            setNumberIfPresent(exif, "Exif.Image.ImageWidth", uint32_t(width));
            setNumberIfPresent(exif, "Exif.Image.ImageLength", uint32_t(height));
            // The pixels are upright now: a tag still naming a turn would make other viewers
            // turn the photo once more.
            setNumberIfPresent(exif, "Exif.Image.Orientation", 1);
            Exiv2::ExifThumb thumb(exif);
            if (thumb.copy().size_ > 0 && !turn.isIdentity()) {
                const QByteArray thumbnail = turnedThumbnail(exif, turn);
                if (!thumbnail.isEmpty())
                    thumb.setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()),
                                           long(thumbnail.size()));
                else
                    thumb.erase(); // better none than one that shows the photo the old way round
            }
        }
        Exiv2::XmpData &xmp = image->xmpData();
        const auto xmpOrientation = xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
        if (xmpOrientation != xmp.end())
            xmpOrientation->setValue("1");
        image->writeMetadata();

        Exiv2::BasicIo &io = image->io();
        if (io.open() != 0)
            throw Exiv2::Error(Exiv2::kerDataSourceOpenFailed, "memory");
        const long size = io.size();
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        const long read = io.read(reinterpret_cast<Exiv2::byte *>(out.data()), size);
        io.close();
        if (size <= 0 || read != size)
            throw Exiv2::Error(Exiv2::kerFailedToReadImageData);
        return out;
    } catch (const Exiv2::AnyError &e) {
        LUMO_LOG("metadata of a turned photo: %s", e.what());
        *error = Text::tr("The photo's metadata could not be kept.");
        return {};
    }
}

} // namespace

QByteArray rotateJpegData(const QByteArray &jpeg, int degrees, RotationResult *result)
{
    *result = RotationResult();
    if (degrees % 90 != 0) {
        result->error = Text::tr("A photo can only be turned by quarter turns.");
        return {};
    }
    if (degrees % 360 == 0) {
        result->ok = result->lossless = true;
        return jpeg;
    }

    // The header first: a damaged one may claim a picture whose blocks alone would not fit in
    // memory.
    const TjHandle decoder(tjInitDecompress());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (!decoder
        || tjDecompressHeader3(decoder.get(), reinterpret_cast<const unsigned char *>(jpeg.constData()),
                               static_cast<unsigned long>(jpeg.size()), &width, &height, &subsampling,
                               &colorspace)
               != 0
        || width <= 0 || height <= 0) {
        result->error = Text::tr("The file is not a readable JPEG photo.");
        return {};
    }
    if (qint64(width) * height > MaxDecodePixels) {
        result->error = Text::tr("The photo is too large to be turned.");
        return {};
    }

    // The turn asked for is of the picture as it is shown: upright by its orientation tag. Both
    // go into the pixels, and the tag says upright afterwards.
    const PixelTurn turn =
        PixelTurn::fromExifOrientation(jpegExifOrientation(jpeg)).then(PixelTurn::left(degrees / 90));
    QByteArray turned = transformJpeg(jpeg, turn);
    const bool lossless = !turned.isEmpty();
    if (!lossless) {
        turned = reencodeTurned(jpeg, turn, PhotoRotation::ReencodeQuality, &result->error);
        if (turned.isEmpty())
            return {};
    }
    const QByteArray out = updateMetadata(jpeg, turned, lossless, turn, &result->error);
    if (out.isEmpty())
        return {};
    result->ok = true;
    result->lossless = lossless;
    return out;
}

RotationResult rotatePhotoFile(const QString &path, int degrees)
{
    RotationResult result;
    QString error;
    const QByteArray original = LibraryFile::readAll(path, MaxFileBytes, &error);
    if (!error.isEmpty()) {
        result.error = Text::tr("The photo cannot be read: %1").arg(error);
        return result;
    }
    if (original.isEmpty()) {
        result.error = Text::tr("The file is not a readable JPEG photo.");
        return result;
    }

    const QByteArray turned = rotateJpegData(original, degrees, &result);
    if (!result.ok || turned.constData() == original.constData())
        return result;

    // QSaveFile writes next to the photo and renames over it, keeping the photo's permissions;
    // a symbolic link is followed, so the link stays a link.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(turned) != turned.size() || !out.commit()) {
        result.ok = false;
        result.error = Text::tr("The turned photo cannot be written: %1").arg(out.errorString());
        return result;
    }
    if (!result.lossless)
        LUMO_LOG("%s turned by %d degrees with a new encoding", qPrintable(QFileInfo(path).fileName()),
                 degrees);
    return result;
}
