#include "library/PhotoOrientation.h"

#include <QTransform>

namespace {

constexpr uchar Marker = 0xff;
constexpr uchar StartOfImage = 0xd8;
constexpr uchar StartOfScan = 0xda;
constexpr uchar EndOfImage = 0xd9;
constexpr uchar App1 = 0xe1;
constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 ShortType = 3;

// The EXIF segment's TIFF bytes from `head`, as far as `head` reaches when `partial`.
QByteArray exifSegment(const QByteArray &head, bool partial)
{
    const auto byte = [&head](qsizetype i) { return uchar(head.at(i)); };
    if (head.size() < 4 || byte(0) != Marker || byte(1) != StartOfImage)
        return {};
    qsizetype at = 2;
    while (at + 4 <= head.size() && byte(at) == Marker) {
        const uchar marker = byte(at + 1);
        if (marker == StartOfScan || marker == EndOfImage)
            break;
        const qsizetype length = byte(at + 2) << 8 | byte(at + 3);
        if (length < 2)
            break;
        const bool whole = at + 2 + length <= head.size();
        if (marker == App1 && length > 8 && at + 10 <= head.size()
            && qstrncmp(head.constData() + at + 4, "Exif", 5) == 0) {
            if (whole)
                return head.mid(at + 10, length - 8);
            return partial ? head.mid(at + 10) : QByteArray();
        }
        if (!whole)
            break;
        at += 2 + length;
    }
    return {};
}

} // namespace

PixelTurn PixelTurn::fromExifOrientation(int orientation)
{
    switch (orientation) {
    case 2:
        return {true, 0}; // mirrored
    case 3:
        return {false, 2};
    case 4:
        return {true, 2}; // upside down mirrored: a vertical flip
    case 5:
        return {true, 3}; // mirrored and turned right three times: transposed
    case 6:
        return {false, 1};
    case 7:
        return {true, 1}; // transverse
    case 8:
        return {false, 3};
    default:
        return {};
    }
}

PixelTurn PixelTurn::left(int turns)
{
    return {false, ((-turns) % 4 + 4) % 4};
}

PixelTurn PixelTurn::then(const PixelTurn &next) const
{
    // A turn followed by a mirror is the mirror followed by the opposite turn.
    const int first = next.mirrored ? (4 - clockwise) % 4 : clockwise;
    return {mirrored != next.mirrored, (first + next.clockwise) % 4};
}

QImage PixelTurn::applied(const QImage &image) const
{
    if (isIdentity() || image.isNull())
        return image;
    // Qt's y axis points down, so a positive angle turns clockwise on screen; quarter turns and
    // mirrors are exact pixel permutations.
    const QImage mirroredImage = mirrored ? image.mirrored(true, false) : image;
    if (clockwise == 0)
        return mirroredImage;
    return mirroredImage.transformed(QTransform().rotate(90.0 * clockwise));
}

QByteArray jpegExifBlock(const QByteArray &head)
{
    return exifSegment(head, false);
}

int jpegExifOrientation(const QByteArray &head)
{
    const QByteArray tiff = exifSegment(head, true);
    if (tiff.size() < 8)
        return 1;
    const bool little = tiff.startsWith("II*");
    if (!little && !tiff.startsWith("MM\0*"))
        return 1;
    const auto u16 = [&tiff, little](qsizetype at) -> quint16 {
        const uchar a = uchar(tiff.at(at)), b = uchar(tiff.at(at + 1));
        return little ? quint16(a | b << 8) : quint16(a << 8 | b);
    };
    const auto u32 = [&](qsizetype at) -> quint32 {
        return little ? quint32(u16(at)) | quint32(u16(at + 2)) << 16 : quint32(u16(at)) << 16 | u16(at + 2);
    };
    // IFD0 holds the tag: a count, then entries of 12 bytes (tag, type, count, value).
    const quint32 ifd = u32(4);
    if (ifd < 8 || qint64(ifd) + 2 > tiff.size())
        return 1;
    const int entries = u16(ifd);
    for (int i = 0; i < entries; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + 12 * i;
        if (entry + 12 > tiff.size())
            break;
        if (u16(entry) != OrientationTag)
            continue;
        const int value = u16(entry + 8);
        return u16(entry + 2) == ShortType && value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}
