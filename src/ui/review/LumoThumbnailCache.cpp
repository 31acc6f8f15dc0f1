#include "ui/review/LumoThumbnailCache.h"

LumoThumbnailCache::LumoThumbnailCache(const QSize &bound, QObject *parent)
    : QObject(parent), bound_(bound), cache_(MaxBytes)
{
    connect(&loader_, &ThumbnailLoader::thumbnailReady, this, &LumoThumbnailCache::loaderDidFinish);
}

void LumoThumbnailCache::setBound(const QSize &bound)
{
    if (bound == bound_)
        return;
    clear();
    bound_ = bound;
}

LumoThumbnailCache::State LumoThumbnailCache::thumbnail(const QString &path, int serial, QImage *image)
{
    if (const Entry *entry = cache_.object(path)) {
        *image = entry->image;
        if (entry->serial == serial)
            return entry->image.isNull() ? Failed : Ready;
    }
    // Until the new version arrives, the old one's picture (if any) stands in for it.
    request(path, serial);
    return Loading;
}

void LumoThumbnailCache::request(const QString &path, int serial)
{
    if (const Entry *entry = cache_.object(path); entry && entry->serial == serial)
        return;
    const auto it = requested_.constFind(path);
    if (it != requested_.constEnd()) {
        if (*it == serial)
            return;
        // An older version of the file is being decoded: its result must not be taken for this one.
        loader_.cancel(path);
    }
    requested_.insert(path, serial);
    loader_.request(path, bound_);
}

void LumoThumbnailCache::keepOnly(const QSet<QString> &paths)
{
    for (auto it = requested_.begin(); it != requested_.end();) {
        if (paths.contains(it.key())) {
            ++it;
        } else {
            loader_.cancel(it.key());
            it = requested_.erase(it);
        }
    }
}

void LumoThumbnailCache::clear()
{
    loader_.clear();
    requested_.clear();
    cache_.clear();
}

void LumoThumbnailCache::loaderDidFinish(const QString &path, const QImage &image)
{
    const auto it = requested_.constFind(path);
    if (it == requested_.constEnd())
        return;
    auto *entry = new Entry{*it, image};
    requested_.erase(it);
    cache_.insert(path, entry, std::max<qint64>(1, image.sizeInBytes()));
    emit thumbnailChanged(path);
}
