#include "RequestThrottle.h"

#include "core/Delays.h"

RequestThrottle::RequestThrottle(std::chrono::milliseconds interval, std::function<void(int)> send,
                                 QObject *parent)
    : QObject(parent), interval_(interval), send_(std::move(send)), clock_([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
              std::chrono::steady_clock::now().time_since_epoch());
      })
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { sendNow(pending_); });
}

void RequestThrottle::submit(int value)
{
    if (timer_.isActive()) { // a value is held already: this one replaces it
        pending_ = value;
        return;
    }
    const std::chrono::milliseconds since = clock_() - lastSent_;
    if (!sentBefore_ || since >= interval_) {
        sendNow(value);
        return;
    }
    pending_ = value;
    timer_.start(Delays::scaled(interval_ - since));
}

void RequestThrottle::send(int value)
{
    sendNow(value);
}

void RequestThrottle::flush()
{
    if (timer_.isActive())
        sendNow(pending_);
}

void RequestThrottle::cancel()
{
    timer_.stop();
}

void RequestThrottle::sendNow(int value)
{
    timer_.stop();
    lastSent_ = clock_();
    sentBefore_ = true;
    send_(value);
}
