#pragma once

#include "core/NotificationCenter.h"
#include "device/DeviceBackend.h"
#include "device/LumoCamera.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Readable values in test failure messages.
inline void PrintTo(const QSize &size, std::ostream *os) { *os << size.width() << "x" << size.height(); }
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QRectF &r, std::ostream *os)
{
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}

// A whole file's bytes (empty when it cannot be read), and a whole file written, its folder made.
QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

// A JPEG of `image` written with TurboJPEG's chroma subsampling `subsampling` (a TJSAMP_ value).
QByteArray encodeTestJpeg(const QImage &image, int subsampling, int quality = 90);
// The largest difference of the red, green and blue channels of two pixels.
int channelDistance(QRgb a, QRgb b);
// `size` bytes of noise, the same for the same seed.
QByteArray noiseBytes(int size, quint32 seed);

// A small H.264 MP4 written with gst-launch-1.0: `colours` one after another, each shown for
// its number of tenths of a second, at 10 frames a second, with a tone when `sound`. Empty when
// it was written; otherwise why not (the tool or an element is missing), for GTEST_SKIP.
QString makeMovie(const QString &path, const QList<QPair<QString, int>> &colours, const QSize &size, bool sound = false);

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

// A device back end that only hands the given video-control channel to the camera set up on it.
class ChannelBackend : public DeviceBackend {
public:
    explicit ChannelBackend(std::unique_ptr<UsbControlChannel> channel) : channel_(std::move(channel)) {}
    bool startMonitoring(Callbacks) override { return false; }
    std::vector<DeviceInfo> presentDevices() override { return {}; }
    std::unique_ptr<HidChannel> openHid(const DeviceInfo &) override { return nullptr; }
    std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &) override { return std::move(channel_); }

private:
    std::unique_ptr<UsbControlChannel> channel_;
};

// A camera without a device that answers what it can do as a test says; every request to it
// fails softly.
class AnsweringCamera : public LumoCamera {
public:
    struct Answers {
        ExposureKind exposure = ExposureKind::None;
        int levels = 0;
        int defaultLevel = 0;
        bool autoExposure = false;
        FocusKind focus = FocusKind::None;
        bool buttons = false;
        bool vendorCommands = false;
    };
    static CameraPtr make(const Answers &answers) { return std::make_shared<AnsweringCamera>(answers); }
    explicit AnsweringCamera(const Answers &answers) : answers_(answers) {}

    ExposureKind exposureKind() const override { return answers_.exposure; }
    int exposureLevels() const override { return answers_.levels; }
    int defaultExposureLevel() const override { return answers_.defaultLevel; }
    bool hasAutoExposure() const override { return answers_.autoExposure; }
    FocusKind focusKind() const override { return answers_.focus; }
    bool hasButtons() const override { return answers_.buttons; }
    bool hasVendorCommands() const override { return answers_.vendorCommands; }

private:
    Answers answers_;
};
