#pragma once

#include "capture/CaptureDevice.h"

class VirtualCameraHub;

// Capture devices of the virtual cameras of a hub, looked up by the same unique id a real camera
// has ("0x%x%04x%04x" of location, vendor and product, from the camera's device info). Only a
// plugged camera is found. The hub must outlive the back end.
//
// Thread: main.
class VirtualCaptureBackend : public CaptureBackend {
public:
    explicit VirtualCaptureBackend(VirtualCameraHub &hub);

    std::unique_ptr<CaptureDevice> deviceWithUniqueID(const QString &uniqueId) override;

private:
    VirtualCameraHub &hub_;
};
