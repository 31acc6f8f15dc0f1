#pragma once

#include "HidReportDescriptor.h"
#include "device/HidChannel.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

// The camera's HID interface through the kernel's hidraw node (/dev/hidrawN).
//
// Output reports are written to the node, input reports are asked for with HIDIOCGINPUT, and the
// button element's changes are read from the interrupt input reports the node delivers. The
// element is located through the device's report descriptor (see
// HidReportDescriptor::buttonElement()).
//
// Threads: setReport/getReport from any thread. The channel lives on the device thread, which
// must also call startEvents/stopEvents and delete it; events are read and queued there. When
// the device goes away every call fails (Failed) and event reading stops; nothing blocks longer
// than its time-out or the kernel's own USB time-out.
class HidrawChannel : public HidChannel {
    Q_OBJECT
public:
    // Opens `node` for reading and writing; null, with the reason logged, when that fails.
    static std::unique_ptr<HidrawChannel> open(const QString &node);
    ~HidrawChannel() override;

    // Output reports only, written as given (hidraw takes the report ID from byte 0). TimedOut
    // when the node takes nothing within `timeoutMs`.
    int setReport(ReportType type, const QByteArray &report, int timeoutMs) override;
    // Input reports only. The kernel's control transfer is synchronous and bounded by its own
    // time-out; `timeoutMs` cannot shorten it.
    int getReport(ReportType type, uint8_t reportId, QByteArray &report, int timeoutMs) override;
    bool startEvents() override;
    void stopEvents() override;

    QString node() const { return node_; }

private:
    HidrawChannel(int fd, const QString &node);

    bool locateButtonElement();
    void readReports();
    void handleReport(const uint8_t *data, int length);
    void stopReading(const char *reason);

    const int fd_;
    const QString node_;
    HidReportDescriptor descriptor_;
    std::optional<HidInputField> element_;
    QSocketNotifier *notifier_ = nullptr;
    std::vector<uint8_t> readBuffer_;
    // The element's value as last reported; an element starts at 0 before any report.
    int32_t lastValue_ = 0;
};
