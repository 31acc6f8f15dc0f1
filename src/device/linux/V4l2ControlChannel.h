#pragma once

#include "capture/linux/V4l2Io.h"
#include "device/UsbControlChannel.h"

#include <QString>

#include <memory>

// The camera's video-control channel on Linux. The uvcvideo driver owns the UVC interfaces, so
// each framed class request is mapped onto the V4L2 capture node of the same USB device.
// The node is the one the capture back end finds for the camera's unique id ("0x%x%04x%04x" of
// location, vendor and product); null when the camera has no capture node or it cannot be opened.
std::unique_ptr<UsbControlChannel> openV4l2ControlChannel(const QString &uniqueId,
                                                          V4l2Io &io = V4l2Io::system());
