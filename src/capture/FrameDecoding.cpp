#include "FrameDecoding.h"

#include <libyuv/convert_argb.h>
#include <libyuv/scale_argb.h>

#include <limits>

namespace FrameDecoding {

namespace {

bool isFramePixelFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

// The JPEG's size. A header that failed to read leaves TurboJPEG 2.1's decompressor part-way
// through a header: the next read then "succeeds" with a size of zero, resetting it on the way.
// Reading once more gives the real answer, so that a good frame after a broken one is not lost.
bool readJpegSize(tjhandle decoder, const uint8_t *data, unsigned long size, int *width, int *height)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        int subsampling = 0;
        int colorspace = 0;
        if (tjDecompressHeader3(decoder, data, size, width, height, &subsampling, &colorspace) != 0)
            return false;
        if (*width > 0 && *height > 0)
            return true;
    }
    return false;
}

} // namespace

MjpegDecoder makeMjpegDecoder()
{
    return MjpegDecoder(tjInitDecompress());
}

void prepareFrame(QImage &image, const QSize &size)
{
    if (image.size() != size || !isFramePixelFormat(image.format()))
        image = QImage(size, QImage::Format_RGB32);
}

bool decodeMjpegFrame(tjhandle decoder, const uint8_t *data, size_t size, QImage &out)
{
    if (!decoder || !data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return false;
    int width = 0;
    int height = 0;
    if (!readJpegSize(decoder, data, static_cast<unsigned long>(size), &width, &height))
        return false;

    prepareFrame(out, QSize(width, height));
    uchar *pixels = out.bits(); // detaches from a frame that someone else still holds
    if (!pixels)
        return false;
    // BGRA rather than BGRX: TurboJPEG promises 0xff in the fourth byte only for the alpha
    // formats, and RGB32 requires it. The accurate DCT stays on, since photos are taken from
    // these frames. Stop at the first warning: a damaged frame is dropped anyway.
    return tjDecompress2(decoder, data, static_cast<unsigned long>(size), pixels, width,
                         int(out.bytesPerLine()), height, TJPF_BGRA, TJFLAG_STOPONWARNING)
           == 0;
}

bool convertYuyvFrame(const uint8_t *data, size_t length, int stride, const QSize &size, QImage &out)
{
    if (!data || size.isEmpty() || size.width() % 2 != 0 || stride < size.width() * 2)
        return false;
    if (length < size_t(stride) * size_t(size.height() - 1) + size_t(size.width()) * 2)
        return false;
    prepareFrame(out, size);
    uchar *pixels = out.bits();
    if (!pixels)
        return false;
    // libyuv's ARGB is B, G, R, A in memory: QImage's 32-bit formats on a little-endian machine.
    return libyuv::YUY2ToARGB(data, stride, pixels, int(out.bytesPerLine()), size.width(), size.height())
           == 0;
}

bool scaleFrame(const QImage &in, QImage &out)
{
    if (in.isNull() || out.isNull() || !isFramePixelFormat(in.format()) || !isFramePixelFormat(out.format()))
        return false;
    uchar *pixels = out.bits();
    if (!pixels)
        return false;
    return libyuv::ARGBScale(in.constBits(), int(in.bytesPerLine()), in.width(), in.height(), pixels,
                             int(out.bytesPerLine()), out.width(), out.height(), libyuv::kFilterBox)
           == 0;
}

} // namespace FrameDecoding
