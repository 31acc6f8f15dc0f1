#include "library/LumoPhotoList.h"

#include "core/Delays.h"
#include "core/LumoLog.h"
#include "library/FileStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString cleanAbsolute(const QString &path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Thumbnails are cached by path and serial, so a serial is never handed out twice: a file
// removed and made again under the same name, or a folder listed again after other programs
// changed it, must not find the picture of the earlier file.
int nextSerial()
{
    static int serial = 0;
    return ++serial;
}

} // namespace

LumoPhotoList::LumoPhotoList(QObject *parent) : QAbstractListModel(parent)
{
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &LumoPhotoList::applyOutsideChanges);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LumoPhotoList::folderDidChange);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LumoPhotoList::folderDidChange);
}

int LumoPhotoList::typeOfName(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) // no extension, or a hidden file such as ".jpg"
        return -1;
    const QStringView extension = QStringView(name).mid(dot + 1);
    if (extension == QLatin1String("jpg"))
        return FileItem::Photo;
    if (extension == QLatin1String("mov") || extension == QLatin1String("mp4"))
        return FileItem::Movie;
    return -1;
}

bool LumoPhotoList::sortsBefore(const QString &a, const QString &b)
{
    // Names that differ only in case (possible on this file system) keep a fixed order.
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

LumoPhotoList::Row LumoPhotoList::rowForFile(int folderFd, const QString &folder, const QString &name,
                                             int type)
{
    // The attributes are read here rather than by FileItem::setFileAttribute(), which looks in
    // the library folder of the settings: this list may be showing another folder for a moment
    // while the setting changes.
    Row row;
    row.item.setName(name);
    row.item.setType(type);
    row.item.setSerial(nextSerial());
    const FileStatus status = folderFd == AT_FDCWD ? FileStatus::read(folder + QLatin1Char('/') + name)
                                                   : FileStatus::read(folderFd, name);
    if (status.isFile) {
        row.bytes = status.bytes;
        row.modifiedMs = status.modifiedMs;
        row.bornMs = status.bornMs;
        row.item.setItemSize(QString::asprintf("%lld KB", static_cast<long long>(row.bytes / 1024)));
        row.item.setCreateDate(status.createDate());
    }
    return row;
}

QList<LumoPhotoList::Row> LumoPhotoList::listFolder(const QString &folder)
{
    QList<Row> rows;
    if (folder.isEmpty())
        return rows;
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end(), sortsBefore);
    // Each file is looked up in the open folder, not by its whole path again.
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    rows.reserve(names.size());
    for (const QString &name : std::as_const(names)) {
        const int type = typeOfName(name);
        if (type >= 0)
            rows.append(rowForFile(folderFd < 0 ? AT_FDCWD : folderFd, folder, name, type));
    }
    if (folderFd >= 0)
        ::close(folderFd);
    return rows;
}

void LumoPhotoList::setFolder(const QString &folder)
{
    settle_.stop();
    unsettled_.clear();
    followed_.clear();

    beginResetModel();
    folder_ = cleanAbsolute(folder);
    rows_ = listFolder(folder_);
    endResetModel();
    watchPaths();
}

void LumoPhotoList::followFile(const QString &path)
{
    const int row = rowOfPath(path);
    const QString file = row >= 0 ? pathOfRow(row) : QString();
    if (file == followed_)
        return;
    followed_ = file;
    watchPaths();
}

void LumoPhotoList::watchPaths()
{
    // Made anew at each look: a watch follows an inode, and a folder moved away and another
    // made in its place, or a file replaced by a new one, are other inodes.
    const QStringList watched = watcher_.directories() + watcher_.files();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    if (folder_.isEmpty())
        return;
    // The parent reports the folder itself being moved away or removed, which the folder's own
    // watch does not; the followed file reports being rewritten in place, which the folder's
    // does not either.
    QStringList paths{QFileInfo(folder_).path()};
    if (QFileInfo(folder_).isDir())
        paths << folder_;
    if (!followed_.isEmpty() && QFileInfo(followed_).isFile())
        paths << followed_;
    paths.removeDuplicates();
    if (watcher_.addPaths(paths).contains(folder_))
        LUMO_LOG("changes to the library folder %s cannot be followed", qPrintable(folder_));
}

int LumoPhotoList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant LumoPhotoList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const FileItem &item = rows_.at(index.row()).item;
    switch (role) {
    case Qt::DisplayRole:
        return item.name();
    case PathRole:
        return pathOfRow(index.row());
    case IsMovieRole:
        return item.isMovie();
    case SerialRole:
        return item.serial();
    default:
        return {};
    }
}

QString LumoPhotoList::pathOfRow(int row) const
{
    if (row < 0 || row >= rows_.size())
        return {};
    return folder_ + QLatin1Char('/') + rows_.at(row).item.name();
}

int LumoPhotoList::rowOfPath(const QString &path) const
{
    const QFileInfo info(cleanAbsolute(path));
    if (folder_.isEmpty() || info.path() != folder_)
        return -1;
    const QString name = info.fileName();
    for (int row = 0; row < rows_.size(); ++row) {
        if (rows_.at(row).item.name() == name)
            return row;
    }
    return -1;
}

int LumoPhotoList::addFile(const QString &path)
{
    const QFileInfo info(cleanAbsolute(path));
    if (folder_.isEmpty() || info.path() != folder_)
        return -1;
    const int existing = rowOfPath(info.filePath());
    if (existing >= 0)
        return existing;
    const int type = typeOfName(info.fileName());
    if (type < 0 || !info.isFile())
        return -1;

    const int row = int(rows_.size());
    beginInsertRows({}, row, row);
    rows_.append(rowForFile(AT_FDCWD, folder_, info.fileName(), type));
    endInsertRows();
    return row;
}

void LumoPhotoList::fileDidChange(const QString &path)
{
    const int row = rowOfPath(path);
    if (row < 0)
        return;
    Row &r = rows_[row];
    r = rowForFile(AT_FDCWD, folder_, r.item.name(), r.item.type());
    const QModelIndex i = index(row);
    emit dataChanged(i, i);
}

void LumoPhotoList::removeRowOfPath(const QString &path)
{
    const int row = rowOfPath(path);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

int LumoPhotoList::selectionAfterRemoval(const QList<int> &removed, int countBefore)
{
    QList<int> valid;
    for (int row : removed) {
        if (row >= 0 && row < countBefore && !valid.contains(row))
            valid.append(row);
    }
    if (valid.isEmpty())
        return -1;
    const int first = *std::min_element(valid.cbegin(), valid.cend());
    const int count = countBefore - int(valid.size());
    if (count <= 0)
        return -1;
    return first < count ? first : count - 1;
}

void LumoPhotoList::folderDidChange()
{
    // Gathered from the first change on, not restarted by each one: a long copy into the folder
    // still shows its first photos after one settle delay.
    if (!settle_.isActive())
        settle_.start(Delays::scaled(Delays::LibraryChangeSettle));
}

void LumoPhotoList::applyOutsideChanges()
{
    if (folder_.isEmpty())
        return;
    // Watched before the listing, so that nothing changed after it goes unreported.
    watchPaths();
    const QList<Row> listed = listFolder(folder_);
    QHash<QString, int> listedRow;
    listedRow.reserve(listed.size());
    for (int i = 0; i < listed.size(); ++i)
        listedRow.insert(listed.at(i).item.name(), i);

    bool changed = false;
    QSet<QString> unsettled;

    // Gone files, from the bottom so the rows above keep their numbers; neighbours go together.
    for (int row = int(rows_.size()) - 1; row >= 0;) {
        if (listedRow.contains(rows_.at(row).item.name())) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !listedRow.contains(rows_.at(first - 1).item.name()))
            --first;
        beginRemoveRows({}, first, row);
        rows_.erase(rows_.begin() + first, rows_.begin() + row + 1);
        endRemoveRows();
        changed = true;
        row = first - 1;
    }

    // Replaced or still growing files: a new serial makes the views load them again.
    QSet<QString> present;
    for (int row = 0; row < rows_.size(); ++row) {
        Row &r = rows_[row];
        present.insert(r.item.name());
        const Row &now = listed.at(listedRow.value(r.item.name()));
        if (now.bytes == r.bytes && now.modifiedMs == r.modifiedMs && now.bornMs == r.bornMs)
            continue;
        r = now; // with a serial of its own
        r.item.setResolution({});
        emit dataChanged(index(row), index(row));
        unsettled.insert(r.item.name());
        changed = true;
    }

    // New files, each at its place in the sorted order (rows appended by addFile() may not be
    // sorted; the first row that sorts after the new name is the place).
    for (const Row &r : listed) {
        if (present.contains(r.item.name()))
            continue;
        int at = 0;
        while (at < rows_.size() && !sortsBefore(r.item.name(), rows_.at(at).item.name()))
            ++at;
        beginInsertRows({}, at, at);
        rows_.insert(at, r);
        endInsertRows();
        unsettled.insert(r.item.name());
        changed = true;
    }

    // Files seen for the first time or changed are looked at once more; a file unchanged since
    // the last look is settled.
    unsettled_ = unsettled;
    if (!unsettled_.isEmpty() && !settle_.isActive())
        settle_.start(Delays::scaled(Delays::LibraryChangeSettle));
    if (changed)
        emit rowsChangedOutside();
}
