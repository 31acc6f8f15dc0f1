#include "VirtualHidChannel.h"

#include "VirtualCamera.h"

VirtualHidChannel::VirtualHidChannel(std::shared_ptr<VirtualCamera> camera) : camera_(std::move(camera))
{
    camera_->attachHid(this);
}

VirtualHidChannel::~VirtualHidChannel()
{
    camera_->attachHid(nullptr);
}

int VirtualHidChannel::setReport(ReportType type, const QByteArray &report, int)
{
    if (type != ReportType::Output)
        return Failed;
    if (!camera_->plugged())
        return TimedOut;
    return camera_->receiveOutputReport(report) ? Ok : Failed;
}

int VirtualHidChannel::getReport(ReportType type, uint8_t reportId, QByteArray &report, int)
{
    if (type != ReportType::Input)
        return Failed;
    if (!camera_->plugged())
        return TimedOut;
    return camera_->inputReport(reportId, &report) ? Ok : Failed;
}

bool VirtualHidChannel::startEvents()
{
    if (camera_->faults().noButtons)
        return false;
    eventsOn_ = true;
    return true;
}

void VirtualHidChannel::stopEvents()
{
    eventsOn_ = false;
}

void VirtualHidChannel::deliver(int32_t value)
{
    if (eventsOn_)
        enqueueEvent(value);
}
