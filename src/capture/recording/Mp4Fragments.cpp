#include "Mp4Fragments.h"

#include <QFile>
#include <QtEndian>

namespace Mp4Fragments {

qint64 playableLength(QIODevice &file)
{
    const qint64 total = file.size();
    qint64 offset = 0;
    qint64 playable = 0;
    while (offset + 8 <= total) {
        if (!file.seek(offset))
            break;
        const QByteArray header = file.read(16);
        if (header.size() < 8)
            break;
        quint64 size = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4, 4);
        if (size == 1) { // a 64-bit size follows the type
            if (header.size() < 16)
                break;
            size = qFromBigEndian<quint64>(header.constData() + 8);
        } else if (size == 0) { // the box runs to the end of the file
            size = quint64(total - offset);
        }
        if (size < 8 || size > quint64(total - offset))
            break;
        offset += qint64(size);
        // A fragment counts once its media is whole too.
        if (type != "moof")
            playable = offset;
    }
    return playable;
}

bool trimToPlayable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint64 length = playableLength(file);
    return length == file.size() || file.resize(length);
}

} // namespace Mp4Fragments
