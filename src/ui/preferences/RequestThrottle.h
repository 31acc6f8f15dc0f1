#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// Hands a stream of values on to `send` at most once per interval and always ends on the last
// value: a value that comes after a quiet interval goes at once; values that come sooner are
// held, and only the newest of them goes when the interval is over. A slider dragged quickly
// thus sends the camera a request per frame instead of one per pixel, and the camera is never
// left behind on a value the slider has already passed.
//
// The clock decides what is "sooner"; the wait for a held value runs on the application's time
// scale (Delays). Main thread.
class RequestThrottle : public QObject {
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    RequestThrottle(std::chrono::milliseconds interval, std::function<void(int)> send,
                    QObject *parent = nullptr);

    // A monotonic clock in place of the steady clock (tests).
    void setClock(Clock clock) { clock_ = std::move(clock); }

    void submit(int value);
    // Sends `value` at once, in place of a held one (a value the user did not drag to).
    void send(int value);
    // Sends a held value now.
    void flush();
    // Drops a held value (the camera it was meant for is gone).
    void cancel();
    bool hasPending() const { return timer_.isActive(); }

private:
    void sendNow(int value);

    std::chrono::milliseconds interval_;
    std::function<void(int)> send_;
    Clock clock_;
    std::chrono::milliseconds lastSent_{0};
    bool sentBefore_ = false;
    int pending_ = 0;
    QTimer timer_;
};
