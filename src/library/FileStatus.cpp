#include "library/FileStatus.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

qint64 milliseconds(const struct statx_timestamp &t)
{
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

} // namespace

FileStatus FileStatus::read(int folderFd, const QString &name)
{
    FileStatus status;
    const QByteArray file = QFile::encodeName(name);
    struct statx info = {};
    if (::statx(folderFd, file.constData(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &info)
        == 0) {
        if (!S_ISREG(info.stx_mode))
            return status;
        status.bornMs = (info.stx_mask & STATX_BTIME) ? milliseconds(info.stx_btime) : 0;
        status.modifiedMs = milliseconds(info.stx_mtime);
        status.bytes = qint64(info.stx_size);
        status.isFile = true;
        return status;
    }
    if (errno != ENOSYS && errno != EPERM)
        return status;
    // A kernel or a sandbox without statx: no birth time.
    struct stat old = {};
    if (::fstatat(folderFd, file.constData(), &old, 0) != 0 || !S_ISREG(old.st_mode))
        return status;
    status.modifiedMs = qint64(old.st_mtim.tv_sec) * 1000 + old.st_mtim.tv_nsec / 1000000;
    status.bytes = qint64(old.st_size);
    status.isFile = true;
    return status;
}

FileStatus FileStatus::read(const QString &path)
{
    return read(AT_FDCWD, path);
}

QDateTime FileStatus::createDate() const
{
    if (!isFile)
        return {};
    return QDateTime::fromMSecsSinceEpoch(bornMs != 0 ? bornMs : modifiedMs, Qt::UTC);
}
