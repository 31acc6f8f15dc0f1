#pragma once

#include <QCoreApplication>
#include <QString>

class UserDefaults;

// The photo library folder, as every part of the application reads it. The stored location
// ("LumoPhotoLibraryLocationKey") may be written by hand or by an earlier version as "~/...";
// resolve() is the one place that turns it into the folder on disk, so that the photo writer,
// the library items and start-up all mean the same folder.
//
// Pure functions, apart from prepare() and removeLeftovers(), which touch the file system.
// Any thread.
class LibraryFolder {
    Q_DECLARE_TR_FUNCTIONS(LibraryFolder)

public:
    // The pictures folder of the desktop (XDG) plus "/Arvo": where photos go unless the user
    // chose another folder.
    static QString defaultPath();

    // `stored` as an absolute, clean path: a leading "~" is the home folder, and any other
    // relative path is taken from the home folder too, never from the working folder. Empty
    // stays empty.
    static QString resolve(const QString &stored);

    // The resolved library folder stored in `defaults`.
    static QString current(UserDefaults *defaults);

    // Start-up: stores the default location when none is stored, and makes sure the folder is
    // there. Only the default location is created, parents and all (a fresh home may have no
    // pictures folder yet). A folder the user chose that is missing, say on a disk that is not
    // plugged in, is reported instead: creating it would put the photos somewhere the user
    // does not look. A plain file at the path is left as it is and reported. Leftovers of
    // interrupted saves are removed. Returns the problem in the user's language, or empty.
    static QString prepare(UserDefaults *defaults);

    // Whether `fileName` is one of the temporary files a photo is written into on file systems
    // without unnamed files: the photo's name plus "." and six letters or digits, as in
    // "2026-12-05_0001.jpg.a8Zk3Q".
    static bool isSaveLeftover(const QString &fileName);

    // Removes the regular files in `folder` that isSaveLeftover() matches, left behind when the
    // application was killed in the middle of a save. Nothing else is touched. Returns how many
    // were removed.
    static int removeLeftovers(const QString &folder);
};
