#include "RuntimePaths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace RuntimePaths {

QString runtimeFolder()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder = base.isEmpty() ? QDir(QDir::tempPath()).filePath(QStringLiteral("arvo-%1").arg(getuid()))
                                    : QDir(base).filePath(QStringLiteral("arvo"));
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

QString instanceLock()
{
    return QDir(runtimeFolder()).filePath(QStringLiteral("instance.lock"));
}

QString instanceSocket()
{
    return QDir(runtimeFolder()).filePath(QStringLiteral("instance"));
}

QString virtualCameraSocket()
{
    return QDir(runtimeFolder()).filePath(QStringLiteral("vcam"));
}

} // namespace RuntimePaths
