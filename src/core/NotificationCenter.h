#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// One event on the notification bus: a name, the object it concerns (may be null, and becomes
// null if that object is destroyed before a queued notification is delivered) and user info.
struct Notification {
    QString name;
    QPointer<QObject> object;
    QVariantMap userInfo;
};

// Named notifications between subsystems.
//
// post() delivers synchronously on the posting thread to every observer of the name, in the
// order the observers were added. postOnMainThread() delivers at once when called on the main
// thread; from any other thread it queues the delivery to the main thread without waiting, and
// queued posts from one thread arrive in the order they were made.
//
// Observers may be added and removed from any thread, also from inside a handler; an observer
// removed while a post is under way is not called after its removal.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification &)>;

    static NotificationCenter *defaultCenter();

    // `observer` identifies the registration for removal; it is never dereferenced.
    // `object` filters by sender when not null.
    void addObserver(const void *observer, const QString &name, Handler handler,
                     const QObject *object = nullptr);
    void removeObserver(const void *observer);
    void removeObserver(const void *observer, const QString &name);

    void post(const Notification &notification);
    void post(const QString &name, QObject *object = nullptr, const QVariantMap &userInfo = {});
    void postOnMainThread(const QString &name, QObject *object = nullptr, const QVariantMap &userInfo = {});

    int observerCount(const QString &name) const;

private:
    struct Registration {
        const void *observer;
        QString name;
        const QObject *object;
        Handler handler;
        std::shared_ptr<std::atomic<bool>> alive;
    };

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Registration>> registrations_;
};
