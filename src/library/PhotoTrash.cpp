#include "library/PhotoTrash.h"

#include "core/LumoLog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The freedesktop.org trash, written here rather than taken from QFile::moveToTrash(): Qt 6.4
// moves the file into "files" under the working folder, and reports success, when it cannot make
// the home trash; and it never says which trash it chose when the home one is on another volume.

namespace {

// The texts the user reads, translated under the name of this file.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(PhotoTrash)
};

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool deviceOf(const QString &path, dev_t *device)
{
    struct stat st;
    if (::stat(encoded(path).constData(), &st) != 0)
        return false;
    *device = st.st_dev;
    return true;
}

// The device of `path`, or of its nearest ancestor that exists: where the folder would be made.
dev_t deviceOfNearest(QString path)
{
    dev_t device = 0;
    while (!deviceOf(path, &device)) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            return 0;
        path = parent;
    }
    return device;
}

// A trash folder with its "files" and "info" folders, made for this user only when missing.
bool prepareTrash(const QString &trash)
{
    for (const QString &dir : {trash, trash + QStringLiteral("/files"), trash + QStringLiteral("/info")}) {
        if (::mkdir(encoded(dir).constData(), 0700) != 0 && errno != EEXIST)
            return false;
        struct stat st;
        // A symbolic link here could send the photo anywhere; the trash must be a real folder.
        if (::lstat(encoded(dir).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    }
    return true;
}

// The trash of the volume whose top folder is `top`: "$top/.Trash/$uid" when the administrator
// made a shared ".Trash" (a real folder with the sticky bit), else "$top/.Trash-$uid". Empty
// when neither can be used.
QString volumeTrash(const QString &top)
{
    const QString uid = QString::number(::getuid());
    const QString shared = top + QStringLiteral("/.Trash");
    struct stat st;
    if (::lstat(encoded(shared).constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && prepareTrash(shared + QLatin1Char('/') + uid))
        return shared + QLatin1Char('/') + uid;
    const QString own = top + QStringLiteral("/.Trash-") + uid;
    if (prepareTrash(own) && ::lstat(encoded(own).constData(), &st) == 0 && st.st_uid == ::getuid())
        return own;
    return {};
}

// Reserves a name in `trash` by creating its info file exclusively: "name.ext", then
// "name.2.ext", "name.3.ext" ... so a photo trashed earlier under the same name stays.
QString reserveName(const QString &trash, const QString &fileName, const QByteArray &info)
{
    const QFileInfo parts(fileName);
    const QString base = parts.completeBaseName();
    const QString suffix = parts.suffix().isEmpty() ? QString() : QLatin1Char('.') + parts.suffix();
    for (int n = 1; n < 10000; ++n) {
        const QString name = n == 1 ? fileName : base + QLatin1Char('.') + QString::number(n) + suffix;
        if (QFileInfo::exists(trash + QStringLiteral("/files/") + name))
            continue; // left behind without its info file
        const QByteArray infoPath =
            encoded(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = ::write(fd, info.constData(), size_t(info.size())) == info.size();
        if (::close(fd) != 0 || !written) {
            ::unlink(infoPath.constData());
            return {};
        }
        return name;
    }
    return {};
}

} // namespace

TrashResult movePhotoToTrash(const QString &path)
{
    TrashResult result;
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    dev_t fileDevice = 0;
    if (!file.exists() || !deviceOf(file.absolutePath(), &fileDevice)) {
        result.error = Text::tr("The photo %1 is no longer there.").arg(file.fileName());
        return result;
    }

    // The home trash when the photo is on its volume; otherwise the photo's own volume's trash,
    // as a move between volumes would be a copy, and the trash would not be where file managers
    // look for files of that volume.
    QString trash =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    QString recordedPath = absolute;
    // Judged by where the home trash is or would be made, so that a home trash that cannot be
    // made is reported rather than passed over for another volume's.
    const bool homeVolume = deviceOfNearest(trash) == fileDevice;
    if (!homeVolume) {
        const QString top = QStorageInfo(file.absolutePath()).rootPath();
        trash = top.isEmpty() ? QString() : volumeTrash(top);
        if (trash.isEmpty()) {
            result.error =
                Text::tr("The disk that holds the photo library has no trash, so the photo was not "
                         "moved. Delete it in the file manager, or keep the library in your home folder.");
            LUMO_LOG("no trash for %s on the volume at %s", qPrintable(absolute), qPrintable(top));
            return result;
        }
        // On a volume's trash the path is relative to the volume, which may be mounted elsewhere.
        recordedPath = QDir(top).relativeFilePath(absolute);
    } else if (!QDir().mkpath(QFileInfo(trash).absolutePath()) || !prepareTrash(trash)) {
        result.error = Text::tr("The trash folder %1 cannot be used.").arg(trash);
        return result;
    }

    const QByteArray info = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(recordedPath, "/")
                            + "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8()
                            + "\n";
    const QString name = reserveName(trash, file.fileName(), info);
    if (name.isEmpty()) {
        result.error = Text::tr("The trash folder %1 cannot be written.").arg(trash);
        return result;
    }
    const QString target = trash + QStringLiteral("/files/") + name;
    if (::rename(encoded(absolute).constData(), encoded(target).constData()) != 0) {
        const int error = errno;
        QFile::remove(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        result.error = Text::tr("The photo could not be moved to the trash: %1")
                           .arg(QString::fromLocal8Bit(strerror(error)));
        LUMO_LOG("%s not trashed: %s", qPrintable(absolute), strerror(error));
        return result;
    }
    result.ok = true;
    result.trashedPath = target;
    return result;
}
