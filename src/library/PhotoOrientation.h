#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// How a photo's pixels are placed to show its picture upright, as the EXIF orientation tag says:
// phones store the sensor's pixels as they came and name the turn in the tag (6: a quarter turn
// clockwise), and a viewer that ignores it shows the photo lying down.
//
// A PixelTurn is one of the eight ways to lay a picture on a grid: mirrored left to right or
// not, then turned by whole quarter turns clockwise. Pure values and functions; any thread.
struct PixelTurn {
    bool mirrored = false;
    int clockwise = 0; // quarter turns, 0..3

    // The turn that makes the pixels of a photo tagged `orientation` (1..8) upright; any other
    // value is taken as 1, upright already.
    static PixelTurn fromExifOrientation(int orientation);
    // `turns` quarter turns to the left (counter-clockwise); negative turns go right.
    static PixelTurn left(int turns);

    // This turn, then `next`.
    PixelTurn then(const PixelTurn &next) const;
    bool isIdentity() const { return !mirrored && clockwise == 0; }
    // Width and height trade places.
    bool swapsSides() const { return clockwise % 2 == 1; }

    QSize applied(const QSize &size) const { return swapsSides() ? size.transposed() : size; }
    // An exact permutation of the pixels, no resampling.
    QImage applied(const QImage &image) const;

    bool operator==(const PixelTurn &other) const
    {
        return mirrored == other.mirrored && clockwise == other.clockwise;
    }
};

// The EXIF thumbnail of the JPEG whose first bytes are `head`: the bytes IFD1 of its EXIF
// segment (APP1 "Exif\0\0", found by walking the marker segments before the first scan) points
// to when it names a JPEG thumbnail. Empty when `head` holds no whole EXIF segment, the segment
// has no such thumbnail, or it points outside the segment. The bytes are not checked to be a
// JPEG.
QByteArray jpegExifThumbnail(const QByteArray &head);

// The orientation tag (1..8) of the JPEG whose first bytes are `head`; 1 when it has none, the
// tag says something else, or `head` ends before it. The tag sits at the start of the EXIF
// segment, so the first few kilobytes of a file are enough.
int jpegExifOrientation(const QByteArray &head);
