#pragma once

#include "library/FileItem.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QList>
#include <QSet>
#include <QTimer>

// The photo list of the review mode: one FileItem per photo or movie of the library folder, in
// the order the thumbnail browser shows them.
//
// setFolder() lists the folder: entry names sorted without regard to case; a name whose
// extension is exactly "jpg" is a photo, exactly "mov" or "mp4" a movie (case-sensitive: "c.JPG"
// is not listed); every other entry is skipped. Photos saved later are appended with addFile().
//
// Files that other programs add, remove or replace in the folder are followed, and so are the
// folder itself being moved away or removed, and the followed file (the photo on screen) being
// rewritten in place: a file watcher reports the change, the folder is listed again once the changes have settled for
// Delays::LibraryChangeSettle, and the difference is applied as row removals, row insertions
// (at their place in the sorted order) and dataChanged() for replaced files, never as a reset,
// so a view keeps its selection and scroll position. A file that is still being written (its
// size or time changed since the last look) is looked at again after another settle delay until
// it is stable, so its thumbnail is not left showing half a copy.
//
// Listing reads only the directory and each file's status, never the pictures: the item's
// resolution stays empty until its picture is loaded.
//
// Main thread.
class LumoPhotoList : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        PathRole = Qt::UserRole + 1, // QString, absolute path of the file
        IsMovieRole,                 // bool
        SerialRole,                  // int, new whenever the file changed: reload its thumbnail
    };

    explicit LumoPhotoList(QObject *parent = nullptr);

    // Lists `folder` anew (model reset) and follows its changes from now on. An empty or
    // unreadable folder gives an empty list.
    void setFolder(const QString &folder);
    QString folder() const { return folder_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The item of `row`, which must be valid.
    const FileItem &item(int row) const { return rows_.at(row).item; }
    // Absolute path of the file of `row`; empty when the row is out of range.
    QString pathOfRow(int row) const;
    // -1 when absent.
    int rowOfPath(const QString &path) const;

    // A photo just saved: appended at the end, unless the list holds it already (the watcher
    // may have seen it first). Returns its row; -1 for a file outside the folder, a name the
    // listing would skip, or a file that is not there.
    int addFile(const QString &path);
    // The file at `path` was rewritten (a rotation): gives the item a new serial, reads its size
    // and date again, and emits dataChanged() for its row.
    void fileDidChange(const QString &path);
    void removeRowOfPath(const QString &path);
    // Watches the contents of the listed file at `path` as well (the photo on screen): another
    // program rewriting a file in place changes nothing of the folder. One file at a time; a
    // path not listed follows none.
    void followFile(const QString &path);

    // The row to select after removing the rows `removed` (sorted, as a selection gives them)
    // from a list of `countBefore` rows: the row of the first removed one when the list still
    // reaches it, else the new last row; -1 when the list is left empty or nothing was removed.
    // Out-of-range and repeated rows are ignored.
    static int selectionAfterRemoval(const QList<int> &removed, int countBefore);

    // The listing rule for a single name: FileItem::Photo, FileItem::Movie, or -1 to skip.
    static int typeOfName(const QString &name);

signals:
    // Rows were inserted, removed or changed because of a change made outside the application.
    void rowsChangedOutside();

private:
    struct Row {
        FileItem item;
        qint64 bytes = -1;
        qint64 modifiedMs = 0;
        qint64 bornMs = 0;
    };
    // One listed file: its item and what a later listing compares to see a replaced file.
    // `folderFd` is the folder open for reading, or AT_FDCWD with `folder` as the path.
    static Row rowForFile(int folderFd, const QString &folder, const QString &name, int type);
    static QList<Row> listFolder(const QString &folder);
    static bool sortsBefore(const QString &a, const QString &b);

    // Watches the folder, its parent and the followed file anew.
    void watchPaths();
    void folderDidChange();
    void applyOutsideChanges();

    QString folder_;
    QString followed_;
    QList<Row> rows_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    // Names inserted or changed by the last outside pass: looked at again until they are stable.
    QSet<QString> unsettled_;
};
