#include "CaptureBackends.h"

#include "linux/V4l2CaptureBackend.h"
#include "virtual/VirtualCaptureBackend.h"

std::unique_ptr<CaptureBackend> createLinuxCaptureBackend()
{
    return std::make_unique<V4l2CaptureBackend>();
}

std::unique_ptr<CaptureBackend> createVirtualCaptureBackend(VirtualCameraHub *hub)
{
    return std::make_unique<VirtualCaptureBackend>(*hub);
}
