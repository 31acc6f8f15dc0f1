#include "FrameDecoding.h"

#include <libyuv/convert_argb.h>
#include <libyuv/scale_argb.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>

#include <jpeglib.h>

namespace FrameDecoding {

namespace {

bool isFramePixelFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

} // namespace

// A header that failed to read leaves TurboJPEG 2.1's decompressor part-way through a header:
// the next read then "succeeds" with a size of zero, resetting it on the way. Reading once more
// gives the real answer, so that a good frame after a broken one is not lost.
bool readJpegHeader(tjhandle decoder, const uint8_t *data, size_t size, int *width, int *height,
                    int *subsampling)
{
    if (!decoder || !data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        int colorspace = 0;
        if (tjDecompressHeader3(decoder, data, static_cast<unsigned long>(size), width, height, subsampling,
                                &colorspace)
            != 0)
            return false;
        if (*width > 0 && *height > 0)
            return true;
    }
    return false;
}

MjpegDecoder makeMjpegDecoder()
{
    return MjpegDecoder(tjInitDecompress());
}

void prepareFrame(QImage &image, const QSize &size)
{
    // A buffer still held elsewhere (the frame on screen, the one a snapshot took) is left to
    // its holders: a new one costs less than the copy that detaching it would make.
    if (image.size() != size || !isFramePixelFormat(image.format()) || !image.isDetached())
        image = QImage(size, QImage::Format_RGB32);
}

bool decodeMjpegFrame(tjhandle decoder, const uint8_t *data, size_t size, QImage &out)
{
    if (!decoder || !data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return false;
    int width = 0;
    int height = 0;
    int subsampling = 0;
    if (!readJpegHeader(decoder, data, size, &width, &height, &subsampling))
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

namespace {

// libjpeg reports errors by calling back; a long jump brings the decoder back to where it
// started the frame. Warnings (corrupt data) fail the frame too, as TJFLAG_STOPONWARNING does.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void failJpeg(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors *>(info->err)->jump, 1);
}

void jpegMessage(j_common_ptr info, int level)
{
    if (level < 0)
        failJpeg(info);
}

// Whether the end-of-image marker lies ahead of where decoding stopped. The compressed data
// cannot hold the bytes FF D9 (a data byte FF is followed by 00 or a restart number), so the
// first ones found are the marker.
bool endOfImageFollows(const jpeg_decompress_struct &info)
{
    if (info.unread_marker == JPEG_EOI) // already met by the decoder's look-ahead
        return true;
    const JOCTET *at = info.src->next_input_byte;
    const JOCTET *const end = at + info.src->bytes_in_buffer;
    while (at < end && (at = static_cast<const JOCTET *>(std::memchr(at, 0xff, size_t(end - at))))) {
        if (end - at >= 2 && at[1] == JPEG_EOI)
            return true;
        ++at;
    }
    return false;
}

} // namespace

struct JpegRegionDecoder::State {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
};

JpegRegionDecoder::JpegRegionDecoder() : state_(std::make_unique<State>())
{
    state_->info.err = jpeg_std_error(&state_->errors.manager);
    state_->errors.manager.error_exit = failJpeg;
    state_->errors.manager.emit_message = jpegMessage;
    jpeg_create_decompress(&state_->info);
}

JpegRegionDecoder::~JpegRegionDecoder()
{
    jpeg_destroy_decompress(&state_->info);
}

QSize JpegRegionDecoder::imageSize(const uint8_t *data, size_t size)
{
    jpeg_decompress_struct &info = state_->info;
    if (!data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return {};
    if (setjmp(state_->errors.jump)) {
        jpeg_abort_decompress(&info);
        return {};
    }
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    const QSize result(int(info.image_width), int(info.image_height));
    jpeg_abort_decompress(&info);
    return result;
}

bool JpegRegionDecoder::decode(const uint8_t *data, size_t size, const QRect &region, int denominator,
                               QImage &out, QRect *decoded)
{
    jpeg_decompress_struct &info = state_->info;
    if (!data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return false;
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8)
        return false;
    // Everything the jump back may see lives in the decompressor or is set before setjmp().
    if (setjmp(state_->errors.jump)) {
        jpeg_abort_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA; // alpha 0xff, which RGB32 requires
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    info.scale_num = 1;
    info.scale_denom = unsigned(denominator);
    jpeg_start_decompress(&info);

    const QRect image(0, 0, int(info.image_width), int(info.image_height));
    // Fancy upsampling of the colour takes the pixel on either side: a crop that starts
    // right at the wanted column would treat it as the picture's edge. One more column each
    // way keeps the wanted columns exact.
    const QRect wanted = region.adjusted(-denominator, 0, denominator, 0).intersected(image);
    if (wanted.isEmpty() || info.output_width == 0 || info.output_height == 0) {
        jpeg_abort_decompress(&info);
        return false;
    }
    // The wanted part in output pixels, rounded outwards.
    const int d = denominator;
    const int outWidth = int(info.output_width);
    const int outHeight = int(info.output_height);
    const int top = wanted.top() / d;
    const int bottom = std::min(outHeight, (wanted.bottom() + d) / d); // one past the last row
    JDIMENSION left = JDIMENSION(wanted.left() / d);
    JDIMENSION width = JDIMENSION(std::min(outWidth, (wanted.right() + d) / d)) - left;
    if (int(width) < outWidth)
        jpeg_crop_scanline(&info, &left, &width);

    prepareFrame(out, QSize(int(width), bottom - top));
    uchar *pixels = out.bits();
    const qsizetype stride = out.bytesPerLine();
    if (top > 0 && jpeg_skip_scanlines(&info, JDIMENSION(top)) != JDIMENSION(top)) {
        jpeg_abort_decompress(&info);
        return false;
    }
    while (int(info.output_scanline) < bottom) {
        JSAMPROW rows[16];
        const int first = int(info.output_scanline) - top;
        const int count = std::min<int>(16, bottom - int(info.output_scanline));
        for (int i = 0; i < count; ++i)
            rows[i] = pixels + (first + i) * stride;
        if (jpeg_read_scanlines(&info, rows, JDIMENSION(count)) == 0) {
            jpeg_abort_decompress(&info); // suspended: the data ended early
            return false;
        }
    }
    // The rows below are not needed: stop here rather than decode them. A frame cut short
    // below the wanted rows (packets lost at its end) must still fail, as a whole decode does,
    // or it would be shown and then fail the snapshot that takes it: its end marker must follow.
    if (bottom < outHeight && !endOfImageFollows(info)) {
        jpeg_abort_decompress(&info);
        return false;
    }
    jpeg_abort_decompress(&info);
    if (decoded)
        *decoded = QRect(int(left) * d, top * d, int(width) * d, (bottom - top) * d).intersected(image);
    return true;
}

} // namespace FrameDecoding
