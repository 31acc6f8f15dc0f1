#include "LumoLog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
std::atomic<bool> gEnabled{false};
}

QString applicationSupportFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return QDir(base).filePath(QStringLiteral("Arvo"));
}

QString logFilePath()
{
    return QDir(applicationSupportFolder()).filePath(QStringLiteral("Log.txt"));
}

bool setUpLog()
{
    const QString folder = applicationSupportFolder();
    const QFileInfo info(folder);
    // A fresh home may lack ~/.local/share itself, so the parents are made as well. Anything
    // that is not a directory is left as it stands.
    if (!info.exists())
        QDir().mkpath(folder);
    if (!QFileInfo(folder).isDir())
        return false;

    const QByteArray path = QFile::encodeName(logFilePath());
    // Opened first on its own so that a failure leaves the original streams working: freopen
    // closes the stream it is given even when it cannot open the new file.
    FILE *probe = std::fopen(path.constData(), "a+");
    if (!probe)
        return false;
    std::fclose(probe);
    const bool err = std::freopen(path.constData(), "a+", stderr) != nullptr;
    const bool out = std::freopen(path.constData(), "a+", stdout) != nullptr;
    if (err)
        setvbuf(stderr, nullptr, _IONBF, 0);
    if (out)
        setvbuf(stdout, nullptr, _IOLBF, 0);
    return err && out;
}

void LumoLog::setEnabled(bool enabled)
{
    gEnabled = enabled;
}

bool LumoLog::isEnabled()
{
    return gEnabled;
}

void LumoLog::log(const char *file, const char *function, int line, const char *format, ...)
{
    if (!gEnabled)
        return;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    const char *slash = std::strrchr(file, '/');
    const char *name = slash ? slash + 1 : file;
    // Local time to the millisecond, ISO 8601 without a zone: 2026-12-07T17:30:01.123.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char stamp[32];
    const size_t length = std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    std::snprintf(stamp + length, sizeof stamp - length, ".%03ld", now.tv_nsec / 1000000);
    // One fprintf call per message so that lines from several threads do not interleave.
    std::fprintf(stderr, "%s %s:%d %s: %s%s", stamp, name, line, function, message,
                 message[0] && message[std::strlen(message) - 1] == '\n' ? "" : "\n");
}
