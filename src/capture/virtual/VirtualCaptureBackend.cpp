#include "VirtualCaptureBackend.h"

#include "VirtualCaptureDevice.h"
#include "device/LumoCamera.h"
#include "device/virtual/VirtualCameraHub.h"

VirtualCaptureBackend::VirtualCaptureBackend(VirtualCameraHub &hub) : hub_(hub) {}

std::unique_ptr<CaptureDevice> VirtualCaptureBackend::deviceWithUniqueID(const QString &uniqueId)
{
    for (const auto &camera : hub_.cameras()) {
        if (!camera->plugged())
            continue;
        const DeviceInfo info = camera->deviceInfo();
        const QString id =
            LumoCamera::makeCaptureDeviceLocationId(info.locationId, info.vendorId, info.productId);
        if (id.compare(uniqueId, Qt::CaseInsensitive) == 0)
            return std::make_unique<VirtualCaptureDevice>(camera);
    }
    return nullptr;
}
