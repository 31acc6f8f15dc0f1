#include "library/PhotoOrientation.h"

#include <QTransform>

namespace {

constexpr uchar Marker = 0xff;
constexpr uchar StartOfImage = 0xd8;
constexpr uchar StartOfScan = 0xda;
constexpr uchar EndOfImage = 0xd9;
constexpr uchar App1 = 0xe1;
constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 CompressionTag = 0x0103;
constexpr quint16 ThumbnailOffsetTag = 0x0201; // JPEGInterchangeFormat
constexpr quint16 ThumbnailLengthTag = 0x0202; // JPEGInterchangeFormatLength
constexpr int JpegCompression = 6;
constexpr quint16 ShortType = 3;
constexpr quint16 LongType = 4;

// Numbers of a TIFF structure in its own byte order. Callers keep reads inside the bytes.
class TiffReader {
public:
    explicit TiffReader(const QByteArray &tiff)
        : tiff_(tiff), little_(tiff.startsWith("II*")),
          valid_(tiff.size() >= 8 && (little_ || tiff.startsWith(QByteArrayView("MM\0*", 4))))
    {}
    bool valid() const { return valid_; }
    quint16 u16(qint64 at) const
    {
        const uchar a = uchar(tiff_.at(at)), b = uchar(tiff_.at(at + 1));
        return little_ ? quint16(a | b << 8) : quint16(a << 8 | b);
    }
    quint32 u32(qint64 at) const
    {
        return little_ ? quint32(u16(at)) | quint32(u16(at + 2)) << 16 : quint32(u16(at)) << 16 | u16(at + 2);
    }

private:
    const QByteArray &tiff_;
    const bool little_;
    const bool valid_;
};

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

QByteArray jpegExifThumbnail(const QByteArray &head)
{
    const QByteArray tiff = exifSegment(head, false);
    const TiffReader reader(tiff);
    if (!reader.valid())
        return {};
    // IFD1 follows IFD0: after IFD0's entries comes the offset of the next directory.
    const quint32 ifd0 = reader.u32(4);
    if (ifd0 < 8 || qint64(ifd0) + 2 > tiff.size())
        return {};
    const qint64 next = qint64(ifd0) + 2 + 12 * qint64(reader.u16(ifd0));
    if (next + 4 > tiff.size())
        return {};
    const quint32 ifd1 = reader.u32(next);
    if (ifd1 < 8 || qint64(ifd1) + 2 > tiff.size())
        return {};
    qint64 offset = -1, length = -1;
    int compression = JpegCompression; // a JPEG thumbnail when the tag is left out
    const int entries = reader.u16(ifd1);
    for (int i = 0; i < entries; ++i) {
        const qint64 entry = qint64(ifd1) + 2 + 12 * i;
        if (entry + 12 > tiff.size())
            return {};
        const quint16 tag = reader.u16(entry);
        const quint16 type = reader.u16(entry + 2);
        const quint32 value = type == ShortType ? reader.u16(entry + 8) : reader.u32(entry + 8);
        if (type != ShortType && type != LongType)
            continue;
        if (tag == CompressionTag)
            compression = int(value);
        else if (tag == ThumbnailOffsetTag)
            offset = value;
        else if (tag == ThumbnailLengthTag)
            length = value;
    }
    if (compression != JpegCompression || offset < 8 || length <= 0 || offset + length > tiff.size())
        return {};
    return tiff.mid(offset, length);
}

int jpegExifOrientation(const QByteArray &head)
{
    const QByteArray tiff = exifSegment(head, true);
    const TiffReader reader(tiff);
    if (!reader.valid())
        return 1;
    // IFD0 holds the tag: a count, then entries of 12 bytes (tag, type, count, value).
    const quint32 ifd = reader.u32(4);
    if (ifd < 8 || qint64(ifd) + 2 > tiff.size())
        return 1;
    const int entries = reader.u16(ifd);
    for (int i = 0; i < entries; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + 12 * i;
        if (entry + 12 > tiff.size())
            break;
        if (reader.u16(entry) != OrientationTag)
            continue;
        const int value = reader.u16(entry + 8);
        return reader.u16(entry + 2) == ShortType && value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}
