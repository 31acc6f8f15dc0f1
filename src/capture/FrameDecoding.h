#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <memory>

#include <turbojpeg.h>

// Turning a camera's frame payload into a picture: MJPEG decoding (TurboJPEG), YUYV conversion
// and scaling (libyuv). Every function writes Format_RGB32 pixels (alpha 0xff) into an image the
// caller keeps from frame to frame, so that a steady stream allocates nothing; a destination that
// is shared with an earlier frame still held elsewhere is replaced by a new one, never overwritten.
//
// Threads: any; a decoder handle belongs to one thread at a time.
namespace FrameDecoding {

struct TjDeleter {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using MjpegDecoder = std::unique_ptr<void, TjDeleter>;

MjpegDecoder makeMjpegDecoder();

// The JPEG's size and chroma subsampling (TJSAMP_*). False for data that is no JPEG.
bool readJpegHeader(tjhandle decoder, const uint8_t *data, size_t size, int *width, int *height,
                    int *subsampling);

// Decodes one JPEG into `out`, which becomes (or stays) an RGB32 image of the JPEG's size. False
// for data that is not one whole, clean JPEG (corrupt, truncated, or decoded with warnings); `out`
// then holds no meaningful picture. Cameras send such frames when USB bandwidth runs short; they
// are dropped rather than shown half grey.
bool decodeMjpegFrame(tjhandle decoder, const uint8_t *data, size_t size, QImage &out);

// Converts a YUYV 4:2:2 frame of `size` pixels, `stride` bytes per line (at least 2 × width),
// into `out`, which becomes (or stays) an RGB32 image of `size`. False when `length` is too short
// for the frame or the size is empty or odd in width.
bool convertYuyvFrame(const uint8_t *data, size_t length, int stride, const QSize &size, QImage &out);

// Scales `in` (RGB32 or ARGB32) to the size of `out`, which must be RGB32 or ARGB32 and not empty.
bool scaleFrame(const QImage &in, QImage &out);

// Makes `image` an unshared RGB32 or ARGB32 image of `size`, keeping its buffer when it can.
void prepareFrame(QImage &image, const QSize &size);

// Decodes only part of a JPEG, through libjpeg-turbo's libjpeg API: the columns of the part
// (widened to whole iMCU columns, as the library requires), only its rows (the rows above are
// skipped, decoding stops after the last one), optionally DCT-scaled by 1/2, 1/4 or 1/8 (the
// other scales cost more than a whole decode). The pixels are the ones a whole decode gives,
// the same accurate DCT and fancy upsampling as decodeMjpegFrame().
//
// Threads: one instance per thread; it keeps its decompressor from one frame to the next.
class JpegRegionDecoder {
public:
    JpegRegionDecoder();
    ~JpegRegionDecoder();
    JpegRegionDecoder(const JpegRegionDecoder &) = delete;
    JpegRegionDecoder &operator=(const JpegRegionDecoder &) = delete;

    // The JPEG's size, or an empty size for data that is no JPEG.
    QSize imageSize(const uint8_t *data, size_t size);

    // Decodes the part of the JPEG that covers `region` (full-size pixels; clipped to the image)
    // at 1/`denominator` into `out` (RGB32, reused when it is unshared and of the right size).
    // `decoded` receives the part that `out` shows, in full-size pixels: it contains `region`
    // and is `out`'s size times `denominator`, but for the image's right and bottom edges. False
    // for data that is not one whole, clean JPEG, as decodeMjpegFrame().
    bool decode(const uint8_t *data, size_t size, const QRect &region, int denominator, QImage &out,
                QRect *decoded);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace FrameDecoding
