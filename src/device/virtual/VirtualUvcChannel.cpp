#include "VirtualUvcChannel.h"

#include "VirtualCamera.h"
#include "VirtualUvcModel.h"

VirtualUvcChannel::VirtualUvcChannel(std::shared_ptr<VirtualCamera> camera) : camera_(std::move(camera)) {}

int VirtualUvcChannel::send(const Request &request)
{
    if (!camera_->plugged())
        return NotResponding;
    return camera_->uvcModel().handle(request);
}
