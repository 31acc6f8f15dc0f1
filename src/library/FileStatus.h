#pragma once

#include <QDateTime>
#include <QString>

// What a listing of the library needs to know of one file: whether it is a regular file (links
// followed), its size, and its times as milliseconds since the epoch.
//
// The times stay in UTC: turning each one into local time asks the C library for the time zone,
// which looks at the time-zone file again for every call, and a listing of ten thousand photos
// would pay that twenty thousand times for dates that are only shown one at a time.
//
// Pure values and functions; any thread.
struct FileStatus {
    bool isFile = false;
    qint64 bytes = -1;
    qint64 modifiedMs = 0;
    qint64 bornMs = 0; // 0 where the file system records no birth time

    // The status of `name` in the folder open as `folderFd` (AT_FDCWD for a path), one statx()
    // call. A missing file, or anything that is not a regular file, gives isFile false.
    static FileStatus read(int folderFd, const QString &name);
    static FileStatus read(const QString &path);

    // The birth time where the file system records one, else the time of the last change to
    // the contents (for a photo written once, when it was made); in UTC, invalid when the file
    // is not a regular file.
    QDateTime createDate() const;
};
