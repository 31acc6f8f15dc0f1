#include "library/Thumbnailer.h"

#include "core/LumoLog.h"
#include "library/LibraryFile.h"
#include "library/PhotoOrientation.h"

#include <QByteArray>

#include <libyuv/scale_argb.h>
#include <turbojpeg.h>

#include <memory>

namespace Thumbnailer {

namespace {

// Files larger than this are not photos of this application; they are refused rather than read
// into memory whole.
constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
// A scaled decode larger than this is refused: a header may claim up to 65500 × 65500 pixels.
constexpr qint64 MaxDecodePixels = qint64(100) * 1000 * 1000;
// The first read for the header; EXIF blocks are at most 64 KiB, so this usually holds the
// whole header. Larger headers are read in growing steps.
constexpr qint64 FirstHeaderRead = 96 * 1024;
// What the EXIF thumbnail of a photo of ours needs: the JFIF header, the EXIF block with its
// thumbnail of a few kilobytes, and the frame header after it.
constexpr qint64 ExifThumbnailRead = 16 * 1024;
// A thumbnail is small on screen: the fast integer IDCT and plain upsampling cost nothing
// visible there and save a quarter of its decode.
constexpr int ExifThumbnailDecodeFlags = TJFLAG_STOPONWARNING | TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE;

struct TjDeleter {
    void operator()(void *handle) const
    {
        if (handle)
            tjDestroy(handle);
    }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

// QImage::Format_RGB32 holds 0xffRRGGBB in native byte order.
constexpr int Rgb32PixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? int(TJPF_BGRX) : int(TJPF_XRGB);

// Stop at the first warning: a picture with damaged data is shown as missing, not half grey.
// Progressive files with an absurd number of scans are refused too. The scaled decode is
// reduced further, so the fast integer IDCT and plain upsampling lose nothing visible either.
constexpr int DecodeFlags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS | TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE;

struct Header {
    int width = 0;
    int height = 0;
};

bool readHeader(tjhandle handle, const QByteArray &data, Header *header)
{
    int subsampling = 0;
    int colorspace = 0;
    if (data.isEmpty())
        return false;
    return tjDecompressHeader3(handle, reinterpret_cast<const unsigned char *>(data.constData()),
                               static_cast<unsigned long>(data.size()), &header->width, &header->height,
                               &subsampling, &colorspace)
               == 0
           && header->width > 0 && header->height > 0;
}

// The EXIF thumbnail of a picture of size `picture`, when it serves for `bound`: a JPEG that
// shows the whole picture (the same aspect, within a pixel of rounding) and is at least as
// large as the thumbnail wanted. A thumbnail of another aspect belongs to a picture that was
// cropped or turned since, and a smaller one would have to be enlarged. Null otherwise.
QImage exifThumbnail(tjhandle handle, const QByteArray &head, const QSize &picture, const QSize &bound)
{
    const QByteArray jpeg = jpegExifThumbnail(head);
    if (jpeg.isEmpty())
        return {};
    Header header;
    if (!readHeader(handle, jpeg, &header))
        return {};
    const QSize target = thumbnailSize(picture, bound);
    const qint64 skew = qint64(header.width) * picture.height() - qint64(header.height) * picture.width();
    if (qAbs(skew) > qMax(picture.width(), picture.height()) || header.width < target.width()
        || header.height < target.height())
        return {};
    QImage image(header.width, header.height, QImage::Format_RGB32);
    if (image.isNull()
        || tjDecompress2(handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                         static_cast<unsigned long>(jpeg.size()), image.bits(), header.width,
                         int(image.bytesPerLine()), header.height, Rgb32PixelFormat, ExifThumbnailDecodeFlags)
               != 0)
        return {};
    if (image.size() == target)
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QSize thumbnailSize(const QSize &picture, const QSize &bound)
{
    if (picture.isEmpty() || bound.isEmpty())
        return {};
    if (picture.width() <= bound.width() && picture.height() <= bound.height())
        return picture;
    // A very long, thin picture would otherwise round to zero pixels across.
    return picture.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QSize scaledDecodeSize(const QSize &picture, const QSize &bound)
{
    const QSize target = thumbnailSize(picture, bound);
    if (target.isEmpty())
        return {};

    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    QSize best = picture; // 1/1 always covers the target
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue; // enlarging decodes are of no use for thumbnails
        const QSize scaled(TJSCALED(picture.width(), f), TJSCALED(picture.height(), f));
        const bool covers = scaled.width() >= target.width() && scaled.height() >= target.height();
        if (covers && qint64(scaled.width()) * scaled.height() < qint64(best.width()) * best.height())
            best = scaled;
    }
    return best;
}

QImage decodeThumbnail(const QString &path, const QSize &bound)
{
    if (bound.isEmpty()) {
        LUMO_LOG("no thumbnail of %s: empty bound", qPrintable(path));
        return {};
    }

    const LibraryFile file(path);
    if (!file.isOpen()) {
        LUMO_LOG("no thumbnail of %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    if (file.size() > MaxFileBytes) {
        LUMO_LOG("no thumbnail of %s: %lld bytes is too large", qPrintable(path),
                 static_cast<long long>(file.size()));
        return {};
    }
    const TjHandle handle(tjInitDecompress());
    if (!handle) {
        LUMO_LOG("no thumbnail of %s: %s", qPrintable(path), tjGetErrorStr2(nullptr));
        return {};
    }

    // The photo's own EXIF thumbnail first: it sits in the first few kilobytes, and decoding it
    // costs a small fraction of even a scaled decode of the photo.
    // A file cut short (an interrupted copy) has lost its end-of-image marker; it is not shown
    // by its intact thumbnail, but decoded below and refused.
    const bool complete = file.read(file.size() - 2, 2) == "\xff\xd9";
    // One buffer of the file's size: the head is read into it first, and the rest behind it
    // only when the photo itself has to be decoded.
    QByteArray data(qsizetype(file.size()), Qt::Uninitialized);
    qint64 have = file.read(0, ExifThumbnailRead, data.data());
    const QByteArray head = QByteArray::fromRawData(data.constData(), qsizetype(have));
    // Both pictures are stored as the camera's sensor saw them; the turn the orientation tag
    // names is made after the decode, so the bound is laid the stored way round.
    const PixelTurn turn = PixelTurn::fromExifOrientation(jpegExifOrientation(head));
    const QSize storedBound = turn.applied(bound);
    Header header;
    if (complete && readHeader(handle.get(), head, &header)) {
        const QImage thumbnail =
            exifThumbnail(handle.get(), head, QSize(header.width, header.height), storedBound);
        if (!thumbnail.isNull())
            return turn.applied(thumbnail);
    }
    if (have == ExifThumbnailRead)
        have += file.read(have, file.size() - have, data.data() + have);
    data.truncate(qsizetype(have));

    if (!readHeader(handle.get(), data, &header)) {
        LUMO_LOG("no thumbnail of %s: not a readable JPEG (%s)", qPrintable(path),
                 data.isEmpty() ? "empty file" : tjGetErrorStr2(handle.get()));
        return {};
    }

    const QSize picture(header.width, header.height);
    const QSize decodeSize = scaledDecodeSize(picture, storedBound);
    if (decodeSize.isEmpty() || qint64(decodeSize.width()) * decodeSize.height() > MaxDecodePixels) {
        LUMO_LOG("no thumbnail of %s: %dx%d is too large", qPrintable(path), header.width, header.height);
        return {};
    }

    QImage decoded(decodeSize, QImage::Format_RGB32);
    if (decoded.isNull()) {
        LUMO_LOG("no thumbnail of %s: out of memory", qPrintable(path));
        return {};
    }
    if (tjDecompress2(handle.get(), reinterpret_cast<const unsigned char *>(data.constData()),
                      static_cast<unsigned long>(data.size()), decoded.bits(), decodeSize.width(),
                      int(decoded.bytesPerLine()), decodeSize.height(), Rgb32PixelFormat, DecodeFlags)
        != 0) {
        LUMO_LOG("no thumbnail of %s: %s", qPrintable(path), tjGetErrorStr2(handle.get()));
        return {};
    }

    // The target comes from the full-size dimensions, so the rounding up of the scaled decode
    // does not shift the thumbnail's aspect.
    const QSize target = thumbnailSize(picture, storedBound);
    if (decoded.size() == target)
        return turn.applied(decoded);
    // A box filter averages every pixel of the decode into the thumbnail, as a smooth scaling
    // down does, at a fraction of the cost.
    QImage thumbnail(target, QImage::Format_RGB32);
    if (thumbnail.isNull())
        return {};
    libyuv::ARGBScale(decoded.constBits(), int(decoded.bytesPerLine()), decoded.width(), decoded.height(),
                      thumbnail.bits(), int(thumbnail.bytesPerLine()), target.width(), target.height(),
                      libyuv::kFilterBox);
    return turn.applied(thumbnail);
}

QSize uprightSize(const QString &path)
{
    const LibraryFile file(path);
    if (!file.isOpen()) {
        LUMO_LOG("no size of %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    const TjHandle handle(tjInitDecompress());
    if (!handle)
        return {};

    // The header ends with the first scan marker; read until the decoder finds it or the file
    // ends. A buffer cut short inside the header simply fails and the next, longer one is tried.
    QByteArray data;
    qint64 want = FirstHeaderRead;
    const qint64 total = qMin(file.size(), MaxFileBytes);
    while (data.size() < total) {
        const QByteArray more = file.read(data.size(), qMin(want, total) - data.size());
        if (more.isEmpty())
            break; // the file shrank
        data += more;
        Header header;
        if (readHeader(handle.get(), data, &header))
            return PixelTurn::fromExifOrientation(jpegExifOrientation(data))
                .applied(QSize(header.width, header.height));
        want *= 4;
    }
    LUMO_LOG("no size of %s: not a readable JPEG", qPrintable(path));
    return {};
}

} // namespace Thumbnailer
