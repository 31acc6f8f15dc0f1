#include "library/ThumbnailLoader.h"

#include "core/ThreadPoolRelease.h"
#include "library/LumoPhotoList.h"
#include "library/MoviePoster.h"
#include "library/Thumbnailer.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QRunnable>

#include <mutex>

#include <pthread.h>

// Where a decode hands its result: the loader while it lives. The loader clears it before it
// goes, under the lock, so a decode that outlives the loader (its destructor does not wait for
// ever) finds nobody to call.
struct ThumbnailLoader::Relay {
    std::mutex lock;
    ThumbnailLoader *loader = nullptr;
};

// One decode on a pool thread. It holds copies of everything it needs and reaches the loader
// only through the relay, with a queued call; a call still queued when the loader is deleted is
// discarded with it.
class ThumbnailLoader::DecodeJob : public QRunnable {
public:
    DecodeJob(std::shared_ptr<Relay> relay, quint64 ticket, const QString &path, const QSize &bound,
              std::shared_ptr<std::atomic_bool> cancelled)
        : relay_(std::move(relay)), ticket_(ticket), path_(path), bound_(bound),
          cancelled_(std::move(cancelled))
    {}

    void run() override
    {
        pthread_setname_np(pthread_self(), "thumbnails"); // as top -H and profilers show it
        if (cancelled_->load())
            return;
        const bool movie = LumoPhotoList::typeOfName(QFileInfo(path_).fileName()) == FileItem::Movie;
        const QImage image =
            movie ? MoviePoster::thumbnail(path_, bound_) : Thumbnailer::decodeThumbnail(path_, bound_);
        if (cancelled_->load())
            return;
        const std::lock_guard<std::mutex> guard(relay_->lock);
        ThumbnailLoader *loader = relay_->loader;
        if (!loader)
            return;
        QMetaObject::invokeMethod(
            loader,
            [loader, ticket = ticket_, path = path_, bound = bound_, image] {
                loader->deliver(ticket, path, bound, image);
            },
            Qt::QueuedConnection);
    }

private:
    const std::shared_ptr<Relay> relay_;
    const quint64 ticket_;
    const QString path_;
    const QSize bound_;
    const std::shared_ptr<std::atomic_bool> cancelled_;
};

ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent), pool_(new QThreadPool), relay_(std::make_shared<Relay>())
{
    relay_->loader = this;
    pool_->setMaxThreadCount(MaxThreads);
}

ThumbnailLoader::~ThumbnailLoader()
{
    clear();
    {
        const std::lock_guard<std::mutex> guard(relay_->lock);
        relay_->loader = nullptr;
    }
    releaseThreadPool(pool_);
}

void ThumbnailLoader::request(const QString &path, const QSize &bound)
{
    const Key key(path, bound);
    if (pending_.contains(key))
        return;
    Pending pending;
    pending.ticket = nextTicket_++;
    pending.cancelled = std::make_shared<std::atomic_bool>(false);
    pending_.insert(key, pending);
    pool_->start(new DecodeJob(relay_, pending.ticket, path, bound, pending.cancelled));
}

void ThumbnailLoader::cancel(const QString &path)
{
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it.key().first == path) {
            it->cancelled->store(true);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
}

void ThumbnailLoader::clear()
{
    for (const Pending &pending : std::as_const(pending_))
        pending.cancelled->store(true);
    pending_.clear();
    // Jobs not started yet are dropped from the queue; running ones see their flag.
    pool_->clear();
}

bool ThumbnailLoader::isPending(const QString &path) const
{
    for (auto it = pending_.constBegin(); it != pending_.constEnd(); ++it) {
        if (it.key().first == path)
            return true;
    }
    return false;
}

bool ThumbnailLoader::waitForDone(int msecs)
{
    return pool_->waitForDone(msecs);
}

void ThumbnailLoader::deliver(quint64 ticket, const QString &path, const QSize &bound, const QImage &image)
{
    const auto it = pending_.constFind(Key(path, bound));
    if (it == pending_.constEnd() || it->ticket != ticket)
        return; // withdrawn, and possibly asked for again since
    pending_.erase(it);
    emit thumbnailReady(path, image);
}
