#include "library/Thumbnailer.h"

#include "core/LumoLog.h"
#include "library/LibraryFile.h"
#include "library/PhotoOrientation.h"

#include <QByteArray>

#include <libyuv/convert_argb.h>
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
    int subsampling = -1;
    int colorspace = -1;
};

bool readHeader(tjhandle handle, const QByteArray &data, Header *header)
{
    if (data.isEmpty())
        return false;
    return tjDecompressHeader3(handle, reinterpret_cast<const unsigned char *>(data.constData()),
                               static_cast<unsigned long>(data.size()), &header->width, &header->height,
                               &header->subsampling, &header->colorspace)
               == 0
           && header->width > 0 && header->height > 0;
}

// The JPEG decoded at `size` (one of TurboJPEG's scaled sizes) into planes, then turned into
// RGB by libyuv. At a reduced scale the decoder's own upsampling and colour conversion cost
// about as much as everything but the entropy decoding; libyuv does both in a fraction of
// that. Null when the picture's sampling has no conversion here (the caller decodes to RGB
// then) or the decode fails, with `failed` set for the latter.
QImage decodeThroughPlanes(tjhandle handle, const QByteArray &jpeg, const Header &header, const QSize &size,
                           bool *failed)
{
    *failed = false;
    const int sampling = header.subsampling;
    const bool gray = sampling == TJSAMP_GRAY;
    if (!(gray
          || ((sampling == TJSAMP_420 || sampling == TJSAMP_422 || sampling == TJSAMP_444)
              && header.colorspace == TJCS_YCbCr)))
        return {};
    const int components = gray ? 1 : 3;
    int widths[3] = {}, heights[3] = {};
    qsizetype total = 0;
    for (int c = 0; c < components; ++c) {
        widths[c] = tjPlaneWidth(c, size.width(), sampling);
        heights[c] = tjPlaneHeight(c, size.height(), sampling);
        total += qsizetype(widths[c]) * heights[c];
    }
    QByteArray buffer(total, Qt::Uninitialized);
    unsigned char *planes[3] = {};
    qsizetype at = 0;
    for (int c = 0; c < components; ++c) {
        planes[c] = reinterpret_cast<unsigned char *>(buffer.data()) + at;
        at += qsizetype(widths[c]) * heights[c];
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()
        || tjDecompressToYUVPlanes(handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                                   static_cast<unsigned long>(jpeg.size()), planes, size.width(), widths,
                                   size.height(), DecodeFlags)
               != 0) {
        *failed = true;
        return {};
    }
    // JPEG's YCbCr is the full-range kind, libyuv's "J" conversions; libyuv's ARGB is the byte
    // order of Format_RGB32 on a little-endian machine.
    uchar *out = image.bits();
    const int stride = int(image.bytesPerLine());
    const auto convert = sampling == TJSAMP_420   ? libyuv::J420ToARGB
                         : sampling == TJSAMP_422 ? libyuv::J422ToARGB
                                                  : libyuv::J444ToARGB;
    const int rc = gray ? libyuv::J400ToARGB(planes[0], widths[0], out, stride, size.width(), size.height())
                        : convert(planes[0], widths[0], planes[1], widths[1], planes[2], widths[2], out,
                                  stride, size.width(), size.height());
    if (rc != 0) {
        *failed = true;
        return {};
    }
    return image;
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

    bool failed = false;
    QImage decoded = Q_BYTE_ORDER == Q_LITTLE_ENDIAN
                         ? decodeThroughPlanes(handle.get(), data, header, decodeSize, &failed)
                         : QImage();
    if (decoded.isNull() && !failed) {
        decoded = QImage(decodeSize, QImage::Format_RGB32);
        failed =
            decoded.isNull()
            || tjDecompress2(handle.get(), reinterpret_cast<const unsigned char *>(data.constData()),
                             static_cast<unsigned long>(data.size()), decoded.bits(), decodeSize.width(),
                             int(decoded.bytesPerLine()), decodeSize.height(), Rgb32PixelFormat, DecodeFlags)
                   != 0;
    }
    if (failed) {
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
