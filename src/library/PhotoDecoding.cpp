#include "library/PhotoDecoding.h"

#include "core/LumoLog.h"
#include "library/LibraryFile.h"
#include "library/PhotoOrientation.h"
#include "library/Thumbnailer.h"

#include <turbojpeg.h>

#include <memory>

namespace {

// Larger files are not photos of this application; they are refused rather than read whole.
constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
// A decode larger than this is refused: a header may claim up to 65500 x 65500 pixels.
constexpr qint64 MaxDecodePixels = qint64(100) * 1000 * 1000;
// Nor is a photo of more than this decoded at any scale: no camera makes one, and a damaged
// header may claim it.
constexpr qint64 MaxPicturePixels = qint64(1000) * 1000 * 1000;

constexpr int Rgb32PixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? int(TJPF_BGRX) : int(TJPF_XRGB);

struct TjDeleter {
    void operator()(void *handle) const
    {
        if (handle)
            tjDestroy(handle);
    }
};

} // namespace

QSize viewDecodeSize(const QSize &picture, const QSize &target)
{
    if (picture.isEmpty())
        return {};
    if (target.isEmpty())
        return picture;
    return Thumbnailer::scaledDecodeSize(picture, target);
}

QImage decodePhotoForView(const QString &path, const QSize &target)
{
    QString error;
    const QByteArray data = LibraryFile::readAll(path, MaxFileBytes, &error);
    if (!error.isEmpty()) {
        LUMO_LOG("%s cannot be shown: %s", qPrintable(path), qPrintable(error));
        return {};
    }
    if (data.isEmpty()) {
        LUMO_LOG("%s cannot be shown: empty file", qPrintable(path));
        return {};
    }

    const std::unique_ptr<void, TjDeleter> handle(tjInitDecompress());
    if (!handle)
        return {};
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
    const auto size = static_cast<unsigned long>(data.size());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), bytes, size, &width, &height, &subsampling, &colorspace) != 0
        || width <= 0 || height <= 0) {
        LUMO_LOG("%s cannot be shown: not a readable JPEG", qPrintable(path));
        return {};
    }

    // The pixels are decoded the way they are stored and turned upright afterwards, so the
    // target is laid the stored way round for choosing the scale.
    const PixelTurn turn = PixelTurn::fromExifOrientation(jpegExifOrientation(data));
    const QSize decodeSize = viewDecodeSize(QSize(width, height), turn.applied(target));
    if (decodeSize.isEmpty() || qint64(decodeSize.width()) * decodeSize.height() > MaxDecodePixels
        || qint64(width) * height > MaxPicturePixels) {
        LUMO_LOG("%s cannot be shown: %dx%d is too large", qPrintable(path), width, height);
        return {};
    }
    QImage picture(decodeSize, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    // Stop at the first warning: a damaged photo is shown as missing, not half grey.
    if (tjDecompress2(handle.get(), bytes, size, picture.bits(), decodeSize.width(),
                      int(picture.bytesPerLine()), decodeSize.height(), Rgb32PixelFormat,
                      TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS)
        != 0) {
        LUMO_LOG("%s cannot be shown: %s", qPrintable(path), tjGetErrorStr2(handle.get()));
        return {};
    }
    return turn.applied(picture);
}
