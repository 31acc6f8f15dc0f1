#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// The parts of a fragmented MP4 file a player can use. A recording cut short (a full disk, a
// write error) ends in the middle of a box, or with a fragment's header whose media never came;
// players differ in how they take that, so the file is cut back to its last whole fragment.
// Any thread.
namespace Mp4Fragments {

// The length of the file up to the end of its last whole top-level box, leaving out a trailing
// fragment header ("moof") without its media ("mdat"). 0 when not even the first box is whole.
qint64 playableLength(QIODevice &file);

// Cuts the file at `path` to playableLength(). False when it cannot be read or cut.
bool trimToPlayable(const QString &path);

} // namespace Mp4Fragments
