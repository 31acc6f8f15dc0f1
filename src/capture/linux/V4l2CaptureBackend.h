#pragma once

#include "V4l2Io.h"
#include "capture/CaptureDevice.h"

#include <QString>

#include <cstdint>

// Finds a real camera's video node through udev: a video4linux device whose USB device ancestor
// gives the same unique id ("0x%x%04x%04x" of location, vendor and product) as the camera. A UVC
// camera has two such nodes, one for pictures and one for metadata; the node whose device
// capabilities include video capture is the one taken.
//
// Thread: main.
class V4l2CaptureBackend : public CaptureBackend {
public:
    explicit V4l2CaptureBackend(V4l2Io &io = V4l2Io::system());

    std::unique_ptr<CaptureDevice> deviceWithUniqueID(const QString &uniqueId) override;

    // The picture node (/dev/videoN) of the camera with `uniqueId`, or empty when none is
    // plugged. When no node of the camera can be asked for its capabilities (no permission),
    // the first of them is taken, so that opening it reports why.
    QString videoNodeFor(const QString &uniqueId) const;

    // The unique id of a USB device from its sysfs attributes (busnum, devpath, idVendor and
    // idProduct, the last two in hex).
    static QString uniqueIdFrom(unsigned busNumber, const QString &devpath, uint32_t vendorId,
                                uint32_t productId);

private:
    enum class NodeKind { Capture, Other, Unknown };
    NodeKind nodeKind(const QString &node) const;

    V4l2Io &io_;
};
