#include "library/Thumbnailer.h"

#include "core/LumoLog.h"

#include <QByteArray>
#include <QFile>

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
// Progressive files with an absurd number of scans are refused too.
constexpr int DecodeFlags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;

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

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LUMO_LOG("no thumbnail of %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    if (file.size() > MaxFileBytes) {
        LUMO_LOG("no thumbnail of %s: %lld bytes is too large", qPrintable(path),
                 static_cast<long long>(file.size()));
        return {};
    }
    const QByteArray data = file.readAll();
    file.close();

    const TjHandle handle(tjInitDecompress());
    if (!handle) {
        LUMO_LOG("no thumbnail of %s: %s", qPrintable(path), tjGetErrorStr2(nullptr));
        return {};
    }
    Header header;
    if (!readHeader(handle.get(), data, &header)) {
        LUMO_LOG("no thumbnail of %s: not a readable JPEG (%s)", qPrintable(path),
                 data.isEmpty() ? "empty file" : tjGetErrorStr2(handle.get()));
        return {};
    }

    const QSize picture(header.width, header.height);
    const QSize decodeSize = scaledDecodeSize(picture, bound);
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
    const QSize target = thumbnailSize(picture, bound);
    if (decoded.size() == target)
        return decoded;
    return decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize jpegSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
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
    while (true) {
        const QByteArray more = file.read(want - data.size());
        data += more;
        Header header;
        if (readHeader(handle.get(), data, &header))
            return QSize(header.width, header.height);
        if (more.isEmpty() || data.size() >= total)
            break;
        want *= 4;
    }
    LUMO_LOG("no size of %s: not a readable JPEG", qPrintable(path));
    return {};
}

} // namespace Thumbnailer
