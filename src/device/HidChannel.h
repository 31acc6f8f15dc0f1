#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>
#include <deque>
#include <mutex>

// The camera's HID interface: synchronous reports for the vendor commands, and the events of the
// button element.
//
// setReport/getReport may be called from any thread. Events are collected into a queue eight
// deep (further events are dropped while it is full, as a hardware queue would) and announced
// with eventsAvailable() on the thread the channel lives on, the device thread; every arrival is
// announced, a dropped one included, so a full queue is drained.
class HidChannel : public QObject {
    Q_OBJECT
public:
    enum class ReportType { Input, Output, Feature };
    static constexpr int QueueDepth = 8;

    // Results of the report calls: 0 is success.
    enum Result : int { Ok = 0, Failed = -1, TimedOut = -2, NotOpen = -3 };

    using QObject::QObject;

    // Reports travel whole, as on the wire: the report ID in byte 0, then the report's data.
    // `report` goes out exactly as given.
    virtual int setReport(ReportType type, const QByteArray &report, int timeoutMs) = 0;
    // Reads report `reportId` into `report`, whose size is the whole report's length with its ID
    // byte: byte 0 then holds the ID and the data follows.
    virtual int getReport(ReportType type, uint8_t reportId, QByteArray &report, int timeoutMs) = 0;

    // Starts watching the button element. False when the device has no such element; no events
    // are delivered then.
    virtual bool startEvents() = 0;
    // Stops event delivery; events already queued stay.
    virtual void stopEvents() = 0;

    // Takes the oldest queued event. Thread-safe.
    bool nextEvent(int32_t *value);
    int queuedEvents() const;

signals:
    void eventsAvailable();

protected:
    // Called by implementations on the channel's thread for each change of the button element.
    void enqueueEvent(int32_t value);

private:
    mutable std::mutex queueMutex_;
    std::deque<int32_t> queue_;
};
