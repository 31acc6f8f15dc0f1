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

// What the photo says about itself.
struct Metadata {
    QDateTime captured;  // written as the three date-time tags, in local time
    QString cameraModel; // Exif.Image.Model; empty leaves the tag out
};

constexpr const char Make[] = "Velmar corp";
constexpr const char Software[] = "Arvo";
constexpr int Dpi = 72;

// A baseline JPEG of `frame` at Quality with a JFIF header that says 72 dots per inch.
// RGB32 and ARGB32 frames are encoded in place (alpha ignored); other formats are converted
// first. Returns an empty array and sets `error` (not translated) when the frame is null or
// the encoder fails.
QByteArray encodeJpeg(const QImage &frame, QString *error = nullptr);

// `jpeg` with the photo's EXIF and TIFF tags added: Orientation 1, X/YResolution 72/1 inches,
// Make, Model, Software, DateTime, and in the EXIF directory DateTimeOriginal,
// DateTimeDigitized and ExifVersion "0220". Returns an empty array and sets `error` when exiv2
// cannot read or write the data.
QByteArray addMetadata(const QByteArray &jpeg, const Metadata &metadata, QString *error = nullptr);

// Both steps.
QByteArray encodePhoto(const QImage &frame, const Metadata &metadata, QString *error = nullptr);

} // namespace PhotoEncoder
