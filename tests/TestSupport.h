#pragma once

#include "core/NotificationCenter.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// An isolated HOME with its own XDG folders for the length of a test.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    QString path(const QString &relative = {}) const;

private:
    QTemporaryDir dir_;
    QList<QPair<QByteArray, QByteArray>> saved_;
};

// Runs the event loop until `done` holds or `timeoutMs` passed; returns `done()`.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000);

// Records the names of the notifications it listens to, in order, with the thread they came on.
class NotificationRecorder {
public:
    explicit NotificationRecorder(const QStringList &names);
    ~NotificationRecorder();
    QStringList names() const { return names_; }
    bool allOnMainThread() const { return allOnMainThread_; }
    QList<Notification> notifications() const { return notifications_; }
    void clear();
    bool waitForCount(int count, int timeoutMs = 5000);

private:
    QStringList names_;
    QList<Notification> notifications_;
    bool allOnMainThread_ = true;
};
