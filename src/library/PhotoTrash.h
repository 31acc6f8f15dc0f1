#pragma once

#include <QString>

// Moving a photo to the desktop's trash (the freedesktop.org trash that file managers show),
// from where it can be restored to its original path.
//
// A photo whose folder is on the same file system as the home trash goes there; a photo on
// another file system (a USB disk, another partition) goes to that volume's own trash,
// "$topdir/.Trash-$uid", made when missing. A photo trashed earlier under the same name stays in
// the trash: the new one is stored under a name of its own, with its original path recorded.
// When no trash can take the photo the file is left where it is and the result says why.
//
// Any thread.
struct TrashResult {
    bool ok = false;
    QString trashedPath; // where the file now is, inside the trash's "files" folder
    QString error;       // for the user; empty on success
};

TrashResult movePhotoToTrash(const QString &path);
