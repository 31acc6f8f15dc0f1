#include "V4l2CaptureBackend.h"

#include "V4l2CaptureDevice.h"
#include "V4l2NodeLookup.h"
#include "core/LumoLog.h"

#include <memory>

V4l2CaptureBackend::V4l2CaptureBackend(V4l2Io &io) : io_(io) {}

std::unique_ptr<CaptureDevice> V4l2CaptureBackend::deviceWithUniqueID(const QString &uniqueId)
{
    const QString node = V4l2NodeLookup::captureNodeFor(uniqueId, io_);
    LUMO_LOG("video node of %s: %s", qPrintable(uniqueId), node.isEmpty() ? "none" : qPrintable(node));
    if (node.isEmpty())
        return nullptr;
    return std::make_unique<V4l2CaptureDevice>(node, io_);
}
