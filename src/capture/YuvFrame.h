#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <turbojpeg.h>

// A frame kept as Y'CbCr planes, and the live picture made from them at the size it is shown:
// the visible part of the planes scaled to that size, mirrored, and converted to RGB32 once, at
// the smaller of the two sizes. Four bytes a pixel are written for the picture on screen only,
// never for a frame larger than it, and no pass runs over the frame's full-size RGB.
//
// A JPEG is decoded to its planes with the fast integer DCT, so the picture may differ from an
// accurate decode by a step or two in a channel: it is meant for the live picture, never for a
// photo.
//
// Threads: one instance per thread; it keeps its planes from one frame to the next.
class YuvFrame {
public:
    // Decodes `data` into the planes, DCT-scaled by 1/`denominator` (1, 2, 4 or 8). False for
    // data that is no whole, clean JPEG, and for grey JPEGs (no colour planes to keep).
    bool decodeJpeg(tjhandle decoder, const uint8_t *data, size_t size, int denominator);

    // The planes' size: the luma plane's.
    QSize size() const { return size_; }

    // Makes `out` (RGB32, of the size it has, not empty) from `source` (in luma pixels, inside
    // size()), mirrored as the flips say. Reduced, the planes are scaled to `out`'s size as
    // 4:2:0 and converted there; enlarged, they are converted at their own size (fewer pixels
    // than the view's) and the RGB is scaled up once: libyuv enlarges three planes more slowly
    // than one RGB picture.
    bool present(const QRect &source, bool hFlipped, bool vFlipped, QImage &out);

private:
    struct Plane {
        std::vector<uint8_t> bytes;
        int stride = 0;
        QSize size;
        void prepare(const QSize &planeSize);
        uint8_t *data() { return bytes.data(); }
    };
    using Planes = std::array<Plane, 3>;

    // present() for a picture shown larger than `source`.
    bool enlarge(const QRect &source, bool hFlipped, bool vFlipped, QImage &out);

    QSize size_;
    QImage rgb_;    // the planes' part in RGB, before it is enlarged
    Planes frame_;  // as decoded
    Planes scaled_; // 4:2:0 at the shown size
    Planes mirrored_;
};
