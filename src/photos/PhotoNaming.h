#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// File names of photos: "<folder>/<prefix><number>.jpg", where the prefix is the date
// ("2026-12-05_") or the user's own prefix followed by "_", and the number is zero-padded to at
// least four digits. Pure functions; safe on any thread.
namespace PhotoNaming {

// Longest custom prefix kept, in characters and in UTF-8 bytes. With "_", ten digits and ".jpg"
// the file name stays well inside the 255 bytes a Linux file system allows.
constexpr int MaxPrefixCharacters = 100;
constexpr int MaxPrefixBytes = 200;

// Day of the year counted from 0 (1 January) to 365 (31 December of a leap year).
int dayOfYear(const QDate &date);

// "YYYY-MM-DD_".
QString datePrefix(const QDate &date);

// Turns whatever the user typed as a custom prefix into a plain file-name part that cannot
// leave the library folder or hide the photo:
//   - path separators ('/' and '\'), control characters (NUL included), line and paragraph
//     separators, and the characters FAT and NTFS volumes refuse (: * ? " < > |) become '-',
//     since a library folder on a USB stick is common;
//   - format characters (bidirectional controls such as U+202E, zero-width characters) are
//     dropped: they are invisible and can make a name read backwards in a file manager;
//   - surrounding white space, and leading dots and dashes, are removed (a leading dot would
//     hide the photos, a leading dash reads as an option to command-line tools), and every
//     run of dots becomes one dot, so ".." never appears;
//   - the result is cut to MaxPrefixCharacters characters and MaxPrefixBytes UTF-8 bytes,
//     never inside a character.
// Returns an empty string when nothing usable is left; the caller then names by date.
QString sanitizedCustomPrefix(const QString &custom);

// The prefix a photo taken at `date` gets: the sanitised custom prefix plus "_" when custom
// naming is on and the prefix is usable, otherwise the date prefix.
QString photoPrefix(bool useCustomPrefix, const QString &customPrefix, const QDate &date);

// "<folder>/<prefix><number>.<extension>", the number zero-padded to at least four digits. The
// folder is taken as given (resolve it first, LibraryFolder::resolve()); the prefix is inserted
// literally. Recordings share the photos' names with "mp4" as their extension.
QString photoPath(const QString &folder, const QString &prefix, qint64 number,
                  const QString &extension = QStringLiteral("jpg"));

// The EXIF date-time form "YYYY:MM:DD HH:MM:SS" of `moment` in local time.
QString exifTimeStamp(const QDateTime &moment);

} // namespace PhotoNaming
