#pragma once

#include "device/LumoCamera.h"

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// Photos at intervals: the first photo when the series starts, then one every interval, until
// the number asked for is taken or the series is stopped. Each photo is taken by the function
// given, the same way a snapshot is, so it is named, numbered and saved as one.
//
// A camera change or unplug ends a running series: its next photos would be of another page, or
// of nothing. Every delay goes through the application's time scale. Main thread.
class PhotoSeries : public QObject {
    Q_OBJECT
public:
    // Every 2 s to every 10 min; photos 0 means until stopped.
    static constexpr int MinIntervalSeconds = 2;
    static constexpr int MaxIntervalSeconds = 600;
    static constexpr int MaxPhotos = 9999;
    struct Plan {
        int intervalSeconds = 5;
        int photos = 10;
    };
    // The plan with its interval and count brought into range.
    static Plan clamped(Plan plan);

    enum class End { Completed, Stopped, CameraUnplugged, CameraChanged, Quit };

    using Shoot = std::function<void()>;
    using CameraProvider = std::function<CameraPtr()>;

    PhotoSeries(Shoot shoot, CameraProvider currentCamera, QObject *parent = nullptr);
    ~PhotoSeries() override;

    // Starts a series (the first photo at once) and returns true; without a camera nothing
    // starts and ended() says why. A running series is not restarted.
    bool start(Plan plan);
    // Ends a running series; nothing happens when none runs.
    void stop(End why = End::Stopped);

    bool isRunning() const { return running_; }
    Plan plan() const { return plan_; }
    int taken() const { return taken_; }
    // Seconds (of the unscaled clock) to the next photo, rounded up; 0 when none is due.
    int secondsToNext() const;

    // "Series: 3 of 5, next in 2 s" while running, else empty.
    QString progressText() const;
    static QString progressText(int taken, int photos, int secondsToNext);
    static QString endMessage(End why, int taken);

signals:
    // A photo was taken or a second passed.
    void progressChanged();
    // The series ended; `message` says how, for the user.
    void ended(End why, const QString &message);

private:
    void shootNext();
    void finish(End why);

    Shoot shoot_;
    CameraProvider currentCamera_;
    Plan plan_;
    bool running_ = false;
    int taken_ = 0;
    QTimer *interval_ = nullptr;
    QTimer *tick_ = nullptr;
};
