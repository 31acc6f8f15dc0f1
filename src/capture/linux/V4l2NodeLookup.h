#pragma once

#include "V4l2Io.h"

#include <QString>

#include <cstdint>

// Finds a camera's video node through udev: a video4linux device whose USB device ancestor gives
// the camera's unique id ("0x%x%04x%04x" of location, vendor and product), or, for a capture
// device without a USB parent, whose own id (nonUsbCaptureId) is the one asked for. The capture back end
// and the video-control channel both find their node here.
namespace V4l2NodeLookup {

// The unique id of a USB device from its sysfs attributes (busnum, devpath, idVendor and
// idProduct, the last two in hex).
QString uniqueIdFrom(unsigned busNumber, const QString &devpath, uint32_t vendorId, uint32_t productId);

// The picture node (/dev/videoN) of the camera with `uniqueId` (hex digits in any case), or empty
// when none is plugged. A UVC camera has two nodes, one for pictures and one for metadata; the
// one whose device capabilities include video capture and streaming is taken, asked through
// `io`. When no node of the camera can be asked (no permission), the first of them is given, so
// that opening it reports why.
QString captureNodeFor(const QString &uniqueId, V4l2Io &io);

} // namespace V4l2NodeLookup
