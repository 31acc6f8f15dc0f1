#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

// Turns a frame into the bytes of a photo file: a JPEG from TurboJPEG, then the EXIF and TIFF
// tags written into it in memory with exiv2. Stateless; safe to call from several threads at
// once (each call uses its own encoder and its own exiv2 image).
namespace PhotoEncoder {

// Quality 90 with 4:2:0 chroma. The frames come from a YUYV or MJPEG stream whose colour is
// already sampled at half the horizontal resolution or less, and the legibility of a document lives in the
// luma, which 4:2:0 keeps at full resolution. On a 1280x960 page 4:4:4 made the file some 15%
// larger and the encoding about half again as slow, for no visible gain. 4:2:0 is also what
// every viewer and hardware decoder handles.
constexpr int Quality = 90;

// The TurboJPEG chroma subsampling for a frame of `size`: 4:2:0 when the picture is a whole
// number of its 16x16 blocks, else 4:4:4 (8x8 blocks). Whole blocks are what lets the review
// mode turn a photo losslessly, and 800x600 is 37.5 blocks of 16 high. 4:2:2 (16x8) would fit
// too and costs less (an 800x600 page: 4:2:0 3.0 ms and 197 KB, 4:2:2 3.4 ms and 203 KB, 4:4:4
// 4.3 ms and 219 KB), but a turned 4:2:2 photo becomes 4:4:0, which decoders upsample
// differently, so its pixels no longer match the turned picture exactly, and which some
// decoders handle poorly.
int chromaSubsampling(const QSize &size);

// The EXIF thumbnail every photo carries: the frame fitted into 160x120 (aspect kept, never
// enlarged), as a small JPEG in the EXIF IFD1. The photo browser shows it without decoding the
// photo itself.
constexpr int ThumbnailWidth = 160;
constexpr int ThumbnailHeight = 120;
constexpr int ThumbnailQuality = 80;

// What the photo says about itself.
struct Metadata {
    QDateTime captured;   // written as the three date-time tags, in local time
    QString cameraModel;  // Exif.Image.Model; empty leaves the tag out
    QByteArray thumbnail; // a JPEG put into IFD1; empty leaves the photo without a thumbnail
};

// A frame in compressed form: the photo's JPEG and its EXIF thumbnail, both made from the
// decoded frame, which is no longer needed afterwards. What a waiting save holds.
struct EncodedFrame {
    QByteArray jpeg;
    QByteArray thumbnail;
    bool isNull() const { return jpeg.isEmpty(); }
};

constexpr const char Make[] = "Velmar corp";
constexpr const char Software[] = "Arvo";
constexpr int Dpi = 72;

// A baseline JPEG of `frame` at Quality with a JFIF header that says 72 dots per inch.
// RGB32 and ARGB32 frames are encoded in place (alpha ignored); other formats are converted
// first. Returns an empty array and sets `error` (not translated) when the frame is null or
// the encoder fails.
QByteArray encodeJpeg(const QImage &frame, QString *error = nullptr);

// The EXIF thumbnail of `frame`: scaled with a box filter into ThumbnailWidth x ThumbnailHeight
// and encoded at ThumbnailQuality. Empty when the frame is null or the encoder fails.
QByteArray encodeThumbnail(const QImage &frame);

// encodeJpeg() and encodeThumbnail() of one frame; null when the photo's JPEG failed.
EncodedFrame encodeFrame(const QImage &frame, QString *error = nullptr);

// `jpeg` with the photo's EXIF and TIFF tags added: Orientation 1, X/YResolution 72/1 inches,
// Make, Model, Software, DateTime, and in the EXIF directory DateTimeOriginal,
// DateTimeDigitized and ExifVersion "0220", and the thumbnail in IFD1. The EXIF block is made
// by exiv2 on its own and put in as an APP1 segment after the JFIF header, so the JPEG itself
// is copied once and never parsed. Returns an empty array and sets `error` when exiv2 cannot
// make the block or `jpeg` does not start like a JPEG.
QByteArray addMetadata(const QByteArray &jpeg, const Metadata &metadata, QString *error = nullptr);

// Both steps, with the frame's thumbnail.
QByteArray encodePhoto(const QImage &frame, const Metadata &metadata, QString *error = nullptr);

} // namespace PhotoEncoder
