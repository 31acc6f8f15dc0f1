#pragma once

#include "CaptureDevice.h"

#include <memory>

class VirtualCameraHub;

// The capture back ends the application chooses from: the USB cameras' V4L2 video nodes, or the
// synthetic pictures of the virtual cameras.
std::unique_ptr<CaptureBackend> createLinuxCaptureBackend();
std::unique_ptr<CaptureBackend> createVirtualCaptureBackend(VirtualCameraHub *hub);
