#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The photo at `path` decoded for the viewer: with TurboJPEG's scaled decoding (1/2, 1/4, 1/8 ...)
// at the smallest scale whose picture still covers the photo fitted into `target`, so a large
// photo shown zoomed out never pays for a full-size decode. An empty `target` decodes at full
// size. The picture is upright, turned as the photo's EXIF orientation says, and `target` is
// taken that way round. Format_RGB32; the picture is not scaled further (the viewer does that).
//
// A file that is missing, empty, truncated, damaged, not a JPEG, not a regular file, or whose
// decode would be unreasonably large gives a null image.
//
// Any thread; meant for a worker, as decoding a full-size photo takes tens of milliseconds.
QImage decodePhotoForView(const QString &path, const QSize &target);

// The decoded size decodePhotoForView() gives for a `picture`-sized JPEG stored upright and
// `target`.
QSize viewDecodeSize(const QSize &picture, const QSize &target);
