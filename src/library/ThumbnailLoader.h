#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Decodes thumbnails for the photo browser off the main thread.
//
// request() queues a decode (Thumbnailer::decodeThumbnail for a photo, MoviePoster::thumbnail for a
// movie, as the listing rule names them) on the loader's own pool of at most
// two threads; thumbnailReady() is emitted on the main thread when it is done, with a null image
// when the file could not be decoded. A request for a path and bound already waiting or being
// decoded is not queued again. cancel() and clear() withdraw requests: a decode already running
// is finished, but its result is dropped and nothing is emitted for it.
//
// API and signals: main thread. Decodes: pool threads, named "thumbnails"; they touch nothing
// of the loader but a queued call back to it. The destructor waits a bounded time for them
// (releaseThreadPool); one still running then delivers nowhere.
class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxThreads = 2;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    void request(const QString &path, const QSize &bound);
    // Withdraws every request for `path`, whatever its bound.
    void cancel(const QString &path);
    // Withdraws every request.
    void clear();

    bool isPending(const QString &path) const;
    int pendingCount() const { return int(pending_.size()); }

    // Blocks until no decode is running or waiting; false when `msecs` passed first. Results are
    // delivered by the event loop afterwards.
    bool waitForDone(int msecs = -1);

signals:
    void thumbnailReady(const QString &path, const QImage &image);

private:
    class DecodeJob;
    struct Relay;
    struct Pending {
        quint64 ticket = 0;
        std::shared_ptr<std::atomic_bool> cancelled;
    };
    using Key = QPair<QString, QSize>;

    void deliver(quint64 ticket, const QString &path, const QSize &bound, const QImage &image);

    QThreadPool *pool_; // released, not deleted, by the destructor
    std::shared_ptr<Relay> relay_;
    QHash<Key, Pending> pending_;
    quint64 nextTicket_ = 1;
};
