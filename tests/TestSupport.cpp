#include "TestSupport.h"

#include "core/MainThread.h"
#include "core/UserDefaults.h"

#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>

#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>

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
    // Written now, not later into a folder that is gone.
    UserDefaults::flushAll();
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

QString makeMovie(const QString &path, const QList<QPair<QString, int>> &colours, const QSize &size, bool sound)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (tool.isEmpty())
        return QStringLiteral("gst-launch-1.0 is not installed");
    QStringList elements = {QStringLiteral("x264enc"), QStringLiteral("mp4mux"), QStringLiteral("videotestsrc")};
    if (sound)
        elements << QStringLiteral("audiotestsrc") << QStringLiteral("avenc_aac");
    for (const QString &element : elements) {
        if (QProcess::execute(QStringLiteral("gst-inspect-1.0"), {QStringLiteral("--exists"), element}) != 0)
            return QStringLiteral("the GStreamer element %1 is missing").arg(element);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The colours play one after another through concat; the muxer takes the encoded stream.
    QStringList args = QStringLiteral("-q concat name=c ! videoconvert ! x264enc ! mp4mux name=mux ! filesink").split(QLatin1Char(' '));
    args << QStringLiteral("location=") + path;
    int tenths = 0;
    for (const auto &colour : colours) {
        tenths += colour.second;
        args << QStringLiteral("videotestsrc") << QStringLiteral("pattern=solid-color")
             << QStringLiteral("foreground-color=0x%1").arg(QColor(colour.first).rgba(), 8, 16, QLatin1Char('0'))
             << QStringLiteral("num-buffers=%1").arg(colour.second) << QStringLiteral("!")
             << QStringLiteral("video/x-raw,width=%1,height=%2,framerate=10/1").arg(size.width()).arg(size.height()) << QStringLiteral("!")
             << QStringLiteral("c.");
    }
    if (sound) {
        // 1024 samples a buffer at 44100 Hz: as many buffers as cover the video.
        args << QStringLiteral("audiotestsrc") << QStringLiteral("num-buffers=%1").arg(tenths * 4410 / 1024 + 1) << QStringLiteral("!")
             << QStringLiteral("audioconvert") << QStringLiteral("!") << QStringLiteral("avenc_aac") << QStringLiteral("!")
             << QStringLiteral("mux.");
    }
    QProcess launch;
    launch.start(tool, args);
    if (!launch.waitForFinished(30000) || launch.exitStatus() != QProcess::NormalExit || launch.exitCode() != 0)
        return QStringLiteral("gst-launch-1.0 failed: ") + QString::fromUtf8(launch.readAllStandardError());
    return {};
}

QByteArray encodeTestJpeg(const QImage &image, int subsampling, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    tjhandle encoder = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(encoder, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(), TJPF_BGRX, &jpeg, &size,
                                   subsampling, quality, 0);
    const QByteArray bytes = result == 0 ? QByteArray(reinterpret_cast<const char *>(jpeg), qsizetype(size)) : QByteArray();
    tjFree(jpeg);
    tjDestroy(encoder);
    return bytes;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

QByteArray noiseBytes(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(seed);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}
