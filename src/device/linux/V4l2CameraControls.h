#pragma once

#include "capture/linux/V4l2Io.h"
#include "device/CameraControl.h"

#include <QString>

#include <memory>

// The image controls of a camera found as a video capture node, on that node: every control it
// lists (control classes, disabled controls and kinds the interface cannot show left out), menus
// with their entries, values read and written one control at a time. Null when the node cannot
// be opened.
std::unique_ptr<CameraControlChannel> openV4l2CameraControls(const QString &node,
                                                             V4l2Io &io = V4l2Io::system());
