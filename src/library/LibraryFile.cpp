#include "library/LibraryFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

LibraryFile::LibraryFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error_ = systemError(errno);
        return;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0) {
        error_ = systemError(errno);
        ::close(fd);
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        error_ = S_ISDIR(status.st_mode) ? tr("it is a folder") : tr("it is not a regular file");
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = qint64(status.st_size);
}

LibraryFile::~LibraryFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QByteArray LibraryFile::read(qint64 offset, qint64 length) const
{
    if (fd_ < 0 || offset < 0 || length <= 0 || offset >= size_)
        return {};
    QByteArray bytes(qsizetype(qMin(length, size_ - offset)), Qt::Uninitialized);
    bytes.truncate(qsizetype(read(offset, bytes.size(), bytes.data())));
    return bytes;
}

qint64 LibraryFile::read(qint64 offset, qint64 length, char *to) const
{
    if (fd_ < 0 || offset < 0 || length <= 0 || offset >= size_)
        return 0;
    length = qMin(length, size_ - offset);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd_, to + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // an error, or the file shrank
        done += n;
    }
    return done;
}

QByteArray LibraryFile::readAll(const QString &path, qint64 maxBytes, QString *error)
{
    const LibraryFile file(path);
    if (!file.isOpen()) {
        *error = file.errorString();
        return {};
    }
    if (file.size() > maxBytes) {
        *error = tr("%1 bytes is too large for a photo").arg(file.size());
        return {};
    }
    error->clear();
    return file.read(0, file.size());
}
