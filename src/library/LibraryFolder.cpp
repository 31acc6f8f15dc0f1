#include "library/LibraryFolder.h"

#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

QString LibraryFolder::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
        .filePath(QStringLiteral("Arvo"));
}

QString LibraryFolder::resolve(const QString &stored)
{
    if (stored.isEmpty())
        return {};
    QString path = stored;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    else if (QDir::isRelativePath(path))
        path = QDir::home().filePath(path);
    // One spelling per folder, so that paths inside it compare equal.
    return QDir::cleanPath(path);
}

QString LibraryFolder::current(UserDefaults *defaults)
{
    return resolve(defaults->stringForKey(QLatin1String(DefaultsKeys::PhotoLibraryLocation)));
}

QString LibraryFolder::prepare(UserDefaults *defaults)
{
    if (defaults->stringForKey(QLatin1String(DefaultsKeys::PhotoLibraryLocation)).isEmpty())
        defaults->setValue(QLatin1String(DefaultsKeys::PhotoLibraryLocation), defaultPath());
    const QString folder = current(defaults);
    const QString shown = QDir::toNativeSeparators(folder);

    QString problem;
    const QFileInfo info(folder);
    if (!info.exists()) {
        if (folder != resolve(defaultPath()))
            problem = tr("The photo library folder \"%1\" is missing. Photos cannot be saved "
                         "until it is back (is the disk it is on plugged in?) or another "
                         "folder is chosen in the preferences.")
                          .arg(shown);
        else if (!QDir().mkpath(folder))
            problem = tr("The photo library folder \"%1\" could not be created. "
                         "Photos cannot be saved until it exists.")
                          .arg(shown);
    } else if (!info.isDir()) {
        problem = tr("\"%1\" is a file, not a folder, so photos cannot be saved there. "
                     "The file was left as it is; move it away or choose another library "
                     "folder.")
                      .arg(shown);
    } else {
        removeLeftovers(folder);
    }
    if (!problem.isEmpty())
        LUMO_LOG("%s", qPrintable(problem));
    return problem;
}

bool LibraryFolder::isSaveLeftover(const QString &fileName)
{
    // A photo's name never starts with a dot, and ends in "_" and at least four digits.
    static const QRegularExpression pattern(QStringLiteral("^[^.].*_[0-9]{4,}\\.jpg\\.[A-Za-z0-9]{6}$"));
    return pattern.match(fileName).hasMatch();
}

int LibraryFolder::removeLeftovers(const QString &folder)
{
    int removed = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        // A symbolic link of that name is someone else's, whatever it points to.
        if (info.isSymLink() || !info.isFile() || !isSaveLeftover(info.fileName()))
            continue;
        if (QFile::remove(info.filePath())) {
            LUMO_LOG("removed %s, left by an interrupted save", qPrintable(info.filePath()));
            ++removed;
        }
    }
    return removed;
}
