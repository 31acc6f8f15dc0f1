#include "TestSupport.h"

#include "core/MainThread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {
// Kept and given back at the end; TMPDIR is not changed but may be by a test.
const char *const IsolatedVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_PICTURES_DIR", "TMPDIR"};
} // namespace

Sandbox::Sandbox()
{
    for (const char *name : IsolatedVariables)
        saved_.append({name, qgetenv(name)});
    const QString home = dir_.path();
    QDir(home).mkpath(QStringLiteral("runtime"));
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home + QStringLiteral("/runtime")).toUtf8());
    qunsetenv("XDG_PICTURES_DIR");
}

Sandbox::~Sandbox()
{
    for (const auto &[name, value] : saved_) {
        if (value.isNull())
            qunsetenv(name.constData());
        else
            qputenv(name.constData(), value);
    }
}

QString Sandbox::path(const QString &relative) const { return relative.isEmpty() ? dir_.path() : QDir(dir_.path()).filePath(relative); }

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        // Waits for the next event (or 5 ms) instead of spinning.
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

NotificationRecorder::NotificationRecorder(const QStringList &names)
{
    for (const QString &name : names) {
        NotificationCenter::defaultCenter()->addObserver(this, name, [this](const Notification &n) {
            names_ << n.name;
            notifications_ << n;
            allOnMainThread_ = allOnMainThread_ && isMainThread();
        });
    }
}

NotificationRecorder::~NotificationRecorder() { NotificationCenter::defaultCenter()->removeObserver(this); }

void NotificationRecorder::clear()
{
    names_.clear();
    notifications_.clear();
}

bool NotificationRecorder::waitForCount(int count, int timeoutMs)
{
    return waitUntil([&] { return names_.size() >= count; }, timeoutMs);
}
