#pragma once

#include <QByteArray>

// The TIFF structure of a photo's EXIF segment, written directly: the few tags every photo
// carries, in little-endian byte order. A general metadata library builds the same bytes from a
// map of tags at several times the cost, which a small photo saved in a burst notices.
//
//   IFD0       Make, Model (when given), Orientation, X/YResolution, ResolutionUnit, Software,
//              DateTime, and the pointer to the EXIF directory
//   EXIF IFD   ExifVersion, DateTimeOriginal, DateTimeDigitized
//   IFD1       the thumbnail (when given): Compression 6 (JPEG), X/YResolution, ResolutionUnit,
//              JPEGInterchangeFormat and its length, with the JPEG bytes at the end
//
// Pure functions; any thread.
namespace ExifBlock {

struct Fields {
    QByteArray make;
    QByteArray model; // empty leaves the tag out
    QByteArray software;
    QByteArray dateTime; // "YYYY:MM:DD HH:MM:SS", for the three date-time tags
    int orientation = 1;
    int dpi = 72;           // X/YResolution dpi/1 with the unit inches, for the photo and its thumbnail
    QByteArray exifVersion; // four bytes, "0220"
    QByteArray thumbnail;   // a JPEG; empty leaves IFD1 out
};

// The TIFF bytes ("II*\0" and the directories) that follow "Exif\0\0" in the APP1 segment.
QByteArray make(const Fields &fields);

} // namespace ExifBlock
