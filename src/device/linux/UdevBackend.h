#pragma once

#include "device/DeviceBackend.h"

#include <memory>

// Discovery of real cameras: libudev enumeration and a udev monitor on the hidraw subsystem,
// filtered by the maker's vendor ID, and on the video4linux subsystem, where every node that
// captures video is a camera (the two models' own nodes excepted), with IDs read from the parent
// USB device (one camera per USB device); hidraw for the HID channel, the camera's V4L2 node for
// the video-control channel, and the USB device's evdev node that sends KEY_CAMERA for the button
// of a camera found as a video node.
std::unique_ptr<DeviceBackend> createLinuxBackend();
