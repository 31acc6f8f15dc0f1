#pragma once

#include <QByteArray>
#include <QString>

// Turning a photo file in place, as the review mode's rotate commands do.
//
// A JPEG whose picture is a whole number of its coding blocks (MCUs) in the directions the turn
// moves is turned losslessly: TurboJPEG rearranges the compressed blocks, nothing is decoded or
// encoded again, and four quarter turns give back exactly the original picture. Otherwise the
// photo is decoded, turned and encoded again at ReencodeQuality with full-resolution chroma, so
// that later turns of the same photo are lossless whenever its size allows.
//
// The turn is of the picture as it is shown, upright by its EXIF orientation tag: the turn the
// tag names and the one asked for both go into the pixels, and the tag is set to 1 (upright), so
// that every viewer shows the result alike.
//
// Every metadata segment of the file is kept (EXIF, XMP, IPTC, comment, colour profile); the
// EXIF pixel dimensions follow the turn and the EXIF thumbnail is turned with the picture.
//
// The file is replaced atomically (a temporary file in the same folder, renamed over it), with
// its permissions kept; on any failure the original file is untouched.
//
// Any thread; calls do not share state.
namespace PhotoRotation {

constexpr int ReencodeQuality = 95;

} // namespace PhotoRotation

struct RotationResult {
    bool ok = false;
    bool lossless = false; // false when the picture had to be encoded again
    QString error;         // why it failed, for the user; empty on success
};

// Turns the photo at `path` by `degrees`: 90 (counter-clockwise, "left"), -90 or 270 (clockwise,
// "right"), 180. A whole multiple of 360 leaves the file alone and succeeds; any other angle
// fails, and so does a file that is not a regular file.
RotationResult rotatePhotoFile(const QString &path, int degrees);

// The same on the bytes of a JPEG; the turned bytes, or empty with `result` saying why.
QByteArray rotateJpegData(const QByteArray &jpeg, int degrees, RotationResult *result);
