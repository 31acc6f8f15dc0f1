#include "RuntimePaths.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace RuntimePaths {

namespace {

constexpr mode_t PrivateFolderMode = 0700;

QString inRuntimeFolder(const char *name)
{
    const QString folder = runtimeFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QLatin1String(name));
}

// Makes the folder, or finds it, and says why it cannot be used; empty when it can. lstat, so that
// a link is seen as a link and not as what it points to.
QString checkPrivateFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), PrivateFolderMode) == 0) {
        // The umask may have taken bits away; the folder is ours and new, so it is set as meant.
        ::chmod(path.constData(), PrivateFolderMode);
    } else if (errno != EEXIST) {
        return QStringLiteral("cannot make the runtime folder %1: %2")
            .arg(folder, QString::fromLocal8Bit(strerror(errno)));
    }
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return QStringLiteral("cannot use the runtime folder %1: %2")
            .arg(folder, QString::fromLocal8Bit(strerror(errno)));
    QString reason;
    if (S_ISLNK(info.st_mode))
        reason = QStringLiteral("it is a link, not a folder");
    else if (!S_ISDIR(info.st_mode))
        reason = QStringLiteral("it is not a folder");
    else if (info.st_uid != ::getuid())
        reason = QStringLiteral("it belongs to another user");
    else if ((info.st_mode & 07777) != PrivateFolderMode)
        reason = QStringLiteral("others may use it (mode %1, not 0700)")
                     .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    if (reason.isEmpty())
        return {};
    return QStringLiteral("will not use the runtime folder %1: %2; remove it, or set XDG_RUNTIME_DIR")
        .arg(folder, reason);
}

} // namespace

QString runtimeFolder(QString *problem)
{
    const QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder;
    if (base.isEmpty()) {
        // Qt gives no temporary folder when TMPDIR names none.
        QString temporary = QDir::tempPath();
        if (temporary.isEmpty() || temporary == QLatin1String("."))
            temporary = QStringLiteral("/tmp");
        folder = QDir(temporary).filePath(QStringLiteral("arvo-%1").arg(::getuid()));
    } else {
        QDir().mkpath(base);
        folder = QDir(base).filePath(QStringLiteral("arvo"));
    }
    const QString reason = checkPrivateFolder(folder);
    if (problem)
        *problem = reason;
    return reason.isEmpty() ? folder : QString();
}

QString instanceLock()
{
    return inRuntimeFolder("instance.lock");
}

QString instanceSocket()
{
    return inRuntimeFolder("instance");
}

QString virtualCameraSocket()
{
    return inRuntimeFolder("vcam");
}

bool clearStaleSocket(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISSOCK(info.st_mode) && ::unlink(name.constData()) == 0;
}

} // namespace RuntimePaths
