#pragma once

#include <cstdint>

// USB identity of the supported cameras: the maker's vendor ID and one product ID per model.
namespace CameraIds {

constexpr uint32_t VendorId = 0xfe11;
constexpr uint32_t ArvoProductId = 0x0a01;
constexpr uint32_t TobbleProductId = 0x0a02;

// Whether a USB device is one of the two models, which are found through their HID interface
// and so never again as a video capture device.
constexpr bool isFoundThroughHid(uint32_t vendorId, uint32_t productId)
{
    return vendorId == VendorId && (productId == ArvoProductId || productId == TobbleProductId);
}

} // namespace CameraIds
