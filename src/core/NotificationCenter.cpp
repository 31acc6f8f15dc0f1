#include "NotificationCenter.h"

#include "MainThread.h"

#include <algorithm>

NotificationCenter *NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return &center;
}

void NotificationCenter::addObserver(const void *observer, const QString &name, Handler handler,
                                     const QObject *object)
{
    auto registration = std::make_shared<Registration>(
        Registration{observer, name, object, std::move(handler), std::make_shared<std::atomic<bool>>(true)});
    std::lock_guard<std::mutex> lock(mutex_);
    registrations_.push_back(std::move(registration));
}

void NotificationCenter::removeObserver(const void *observer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = std::remove_if(registrations_.begin(), registrations_.end(), [&](const auto &r) {
        if (r->observer != observer)
            return false;
        *r->alive = false;
        return true;
    });
    registrations_.erase(it, registrations_.end());
}

void NotificationCenter::removeObserver(const void *observer, const QString &name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = std::remove_if(registrations_.begin(), registrations_.end(), [&](const auto &r) {
        if (r->observer != observer || r->name != name)
            return false;
        *r->alive = false;
        return true;
    });
    registrations_.erase(it, registrations_.end());
}

void NotificationCenter::post(const Notification &notification)
{
    // Handlers run outside the lock so that they may post, add and remove observers.
    std::vector<std::shared_ptr<Registration>> targets;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto &r : registrations_) {
            if (r->name == notification.name && (!r->object || r->object == notification.object.data()))
                targets.push_back(r);
        }
    }
    for (const auto &r : targets) {
        if (*r->alive)
            r->handler(notification);
    }
}

void NotificationCenter::post(const QString &name, QObject *object, const QVariantMap &userInfo)
{
    post(Notification{name, object, userInfo});
}

void NotificationCenter::postOnMainThread(const QString &name, QObject *object, const QVariantMap &userInfo)
{
    Notification notification{name, object, userInfo};
    runOnMainThread([this, notification] { post(notification); });
}

int NotificationCenter::observerCount(const QString &name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return int(std::count_if(registrations_.begin(), registrations_.end(),
                             [&](const auto &r) { return r->name == name; }));
}
