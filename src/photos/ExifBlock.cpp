#include "photos/ExifBlock.h"

#include <QList>

namespace ExifBlock {

namespace {

enum Type : quint16 { Ascii = 2, Short = 3, Long = 4, Rational = 5, Undefined = 7 };

enum Tag : quint16 {
    Compression = 0x0103,
    Make = 0x010f,
    Model = 0x0110,
    Orientation = 0x0112,
    XResolution = 0x011a,
    YResolution = 0x011b,
    ResolutionUnit = 0x0128,
    Software = 0x0131,
    DateTime = 0x0132,
    ThumbnailOffset = 0x0201, // JPEGInterchangeFormat
    ThumbnailLength = 0x0202,
    ExifPointer = 0x8769,
    ExifVersion = 0x9000,
    DateTimeOriginal = 0x9003,
    DateTimeDigitized = 0x9004,
};

constexpr quint16 JpegCompression = 6;
constexpr quint16 Inches = 2;

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff)).append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

void set32(QByteArray &out, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = char(v >> (8 * i) & 0xff);
}

QByteArray le16(quint16 v)
{
    QByteArray b;
    put16(b, v);
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b;
    put32(b, v);
    return b;
}

QByteArray rational(quint32 numerator, quint32 denominator)
{
    return le32(numerator) + le32(denominator);
}

struct Entry {
    quint16 tag;
    quint16 type;
    quint32 count;
    QByteArray value; // in file byte order; up to four bytes sit in the entry itself
};

Entry ascii(quint16 tag, const QByteArray &text)
{
    return {tag, Ascii, quint32(text.size() + 1), text + '\0'};
}

// Appends a directory at the end of `out` (its entries sorted by tag, as TIFF wants) with the
// values that do not fit into an entry after it, each starting on an even offset. Returns the
// offset of the directory's "next directory" field, 0 until set. `positions` receives, for each
// entry, where its value (or value field) lies.
qsizetype putDirectory(QByteArray &out, const QList<Entry> &entries, QList<qsizetype> *positions = nullptr)
{
    const qsizetype start = out.size();
    qsizetype data = start + 2 + 12 * entries.size() + 4;
    QByteArray values;
    put16(out, quint16(entries.size()));
    for (const Entry &e : entries) {
        put16(out, e.tag);
        put16(out, e.type);
        put32(out, e.count);
        if (e.value.size() <= 4) {
            if (positions)
                positions->append(out.size());
            out.append(e.value).append(QByteArray(4 - e.value.size(), '\0'));
        } else {
            const qsizetype at = data + values.size();
            if (positions)
                positions->append(at);
            put32(out, quint32(at));
            values.append(e.value);
            if (values.size() % 2)
                values.append('\0');
        }
    }
    const qsizetype next = out.size();
    put32(out, 0);
    out.append(values);
    return next;
}

} // namespace

QByteArray make(const Fields &f)
{
    QByteArray out("II*\0", 4);
    put32(out, 8); // IFD0 follows the header

    const QByteArray resolution = rational(quint32(f.dpi), 1);
    QList<Entry> ifd0{ascii(Make, f.make)};
    if (!f.model.isEmpty())
        ifd0.append(ascii(Model, f.model));
    ifd0 << Entry{Orientation, Short, 1, le16(quint16(f.orientation))}
         << Entry{XResolution, Rational, 1, resolution} << Entry{YResolution, Rational, 1, resolution}
         << Entry{ResolutionUnit, Short, 1, le16(Inches)} << ascii(Software, f.software)
         << ascii(DateTime, f.dateTime) << Entry{ExifPointer, Long, 1, le32(0)}; // set below
    QList<qsizetype> positions;
    const qsizetype ifd0Next = putDirectory(out, ifd0, &positions);

    set32(out, positions.last(), quint32(out.size()));
    putDirectory(out, {Entry{ExifVersion, Undefined, 4, f.exifVersion.left(4)},
                       ascii(DateTimeOriginal, f.dateTime), ascii(DateTimeDigitized, f.dateTime)});

    if (!f.thumbnail.isEmpty()) {
        if (out.size() % 2)
            out.append('\0');
        set32(out, ifd0Next, quint32(out.size()));
        positions.clear();
        putDirectory(
            out,
            {Entry{Compression, Short, 1, le16(JpegCompression)}, Entry{XResolution, Rational, 1, resolution},
             Entry{YResolution, Rational, 1, resolution}, Entry{ResolutionUnit, Short, 1, le16(Inches)},
             Entry{ThumbnailOffset, Long, 1, le32(0)}, // set below
             Entry{ThumbnailLength, Long, 1, le32(quint32(f.thumbnail.size()))}},
            &positions);
        set32(out, positions.at(4), quint32(out.size()));
        out.append(f.thumbnail);
    }
    return out;
}

} // namespace ExifBlock
