#pragma once

#include "library/ThumbnailLoader.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>

// The thumbnails of the photo browser, kept in memory and decoded off the main thread by a
// ThumbnailLoader.
//
// thumbnail() answers what is there and asks the loader for what is not, so the thumbnails
// decoded first are those the browser paints, that is the visible ones. keepOnly() withdraws the
// requests for photos scrolled away before they reach a decoder. A thumbnail belongs to one
// version of its file (the item's serial): a newer serial asks for a new decode, and a decode
// of the older version still under way is dropped. Files that cannot be decoded are remembered
// as such, so they are not tried again until their serial changes.
//
// The cache holds at most MaxBytes of pictures; the least recently used go first and are
// decoded again when they come back into view. Main thread.
class LumoThumbnailCache : public QObject {
    Q_OBJECT
public:
    enum State { Loading, Ready, Failed };
    static constexpr qint64 MaxBytes = qint64(96) * 1024 * 1024;

    explicit LumoThumbnailCache(const QSize &bound, QObject *parent = nullptr);

    // The size thumbnails are fitted into, in pixels. A new bound forgets every thumbnail.
    void setBound(const QSize &bound);
    QSize bound() const { return bound_; }

    // The thumbnail of the file at `path` in version `serial`: Ready with the picture, Failed
    // for a file that cannot be decoded, or Loading, in which case it is asked for and `image` is
    // the picture of an older version when there is one.
    State thumbnail(const QString &path, int serial, QImage *image);
    // Asks for the thumbnail unless it is there or on its way.
    void request(const QString &path, int serial);
    // Withdraws every request for a path not in `paths`.
    void keepOnly(const QSet<QString> &paths);
    // Forgets every thumbnail and request.
    void clear();

    int pendingCount() const { return int(requested_.size()); }
    int cachedCount() const { return cache_.count(); }
    ThumbnailLoader *loader() { return &loader_; }

signals:
    // The thumbnail of `path` arrived, or turned out impossible.
    void thumbnailChanged(const QString &path);

private:
    struct Entry {
        int serial = 0;
        QImage image; // null: the file could not be decoded
    };
    void loaderDidFinish(const QString &path, const QImage &image);

    ThumbnailLoader loader_;
    QSize bound_;
    QCache<QString, Entry> cache_;
    QHash<QString, int> requested_; // path -> serial on its way
};
