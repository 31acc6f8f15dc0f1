#pragma once

#include "device/UsbControlChannel.h"

#include <memory>

class VirtualCamera;

// The video-control channel of a virtual camera: its UVC control model answers each request;
// once the camera is unplugged every request goes unanswered (NotResponding).
// Thread: any (the model is thread-safe).
class VirtualUvcChannel : public UsbControlChannel {
public:
    explicit VirtualUvcChannel(std::shared_ptr<VirtualCamera> camera);

    int send(const Request &request) override;

private:
    std::shared_ptr<VirtualCamera> camera_;
};
