#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// JPEG thumbnails for the photo browser, decoded with TurboJPEG at a reduced DCT scale so that a
// thumbnail of a large photo never pays for a full-size decode.
//
// Pure functions, safe on any thread (each call uses its own decoder).
namespace Thumbnailer {

// The size a thumbnail of a `picture`-sized photo gets inside `bound`: the picture fitted into
// the bound with its aspect kept, but never enlarged. Empty when either size is empty.
QSize thumbnailSize(const QSize &picture, const QSize &bound);

// The size of the scaled decode used for a `picture`-sized JPEG and `bound`: among TurboJPEG's
// scaling factors of at most 1/1, the one giving the smallest picture that still covers
// thumbnailSize() in both dimensions, so the final smooth scaling only ever reduces. Empty when
// either size is empty.
QSize scaledDecodeSize(const QSize &picture, const QSize &bound);

// A thumbnail of the JPEG at `path` fitted into `bound` (aspect kept, never enlarged), Format_RGB32.
// The photo's EXIF thumbnail is used when it shows the whole picture at the size wanted or
// larger (every photo this application writes has one at 160x120); otherwise the photo is
// decoded at scaledDecodeSize(), then averaged down to thumbnailSize().
// The thumbnail is upright: turned as the photo's EXIF orientation says.
// A missing, empty, truncated, corrupt or non-JPEG file gives a null image; so does an empty
// bound, and anything that is not a regular file.
QImage decodeThumbnail(const QString &path, const QSize &bound);

// The size the JPEG at `path` is shown at: its pixel size read from the header, width and height
// trading places when its EXIF orientation turns it by a quarter. Only as much of the file is
// read as the header needs. An invalid size when the file is not a readable JPEG.
QSize uprightSize(const QString &path);

} // namespace Thumbnailer
