#pragma once

#include "device/UsbControlChannel.h"

#include <QString>

#include <memory>

// The camera's video-control channel on Linux. The uvcvideo driver owns the UVC interfaces, so
// each framed class request is mapped onto the V4L2 capture node of the same USB device.
// `usbDevice` is the sysfs path of the camera's USB device; null when it has no capture node.
std::unique_ptr<UsbControlChannel> openV4l2ControlChannel(const QString &usbDevice);
