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
// the visible part of the planes scaled to that size as 4:2:0, mirrored, and converted to RGB32
// in one pass at the shown size. Four bytes a pixel are written for the picture on screen only,
// never for the whole frame, and no pass runs over the frame's full-size RGB.
//
// A JPEG is decoded to its planes with the fast integer DCT, so the picture may differ from an
// accurate decode by a step or two in a channel: it is meant for a picture shown reduced, never
// for a photo.
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
    // size()), mirrored as the flips say.
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

    QSize size_;
    Planes frame_;  // as decoded
    Planes scaled_; // 4:2:0 at the shown size
    Planes mirrored_;
};
