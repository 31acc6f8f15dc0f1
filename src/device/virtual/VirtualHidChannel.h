#pragma once

#include "device/HidChannel.h"

#include <memory>

class VirtualCamera;

// The HID channel of a virtual camera. Lives on the device thread, where its events arrive.
class VirtualHidChannel : public HidChannel {
    Q_OBJECT
public:
    explicit VirtualHidChannel(std::shared_ptr<VirtualCamera> camera);
    ~VirtualHidChannel() override;

    int setReport(ReportType type, const QByteArray &report, int timeoutMs) override;
    int getReport(ReportType type, uint8_t reportId, QByteArray &report, int timeoutMs) override;
    bool startEvents() override;
    void stopEvents() override;

    // Device thread: one change of the button element.
    void deliver(int32_t value);

private:
    std::shared_ptr<VirtualCamera> camera_;
    bool eventsOn_ = false;
};
