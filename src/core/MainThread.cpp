#include "MainThread.h"

#include <QCoreApplication>
#include <QThread>

bool isMainThread()
{
    auto *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void queueOnMainThread(std::function<void()> fn)
{
    auto *app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void runOnMainThread(std::function<void()> fn)
{
    if (isMainThread())
        fn();
    else
        queueOnMainThread(std::move(fn));
}
