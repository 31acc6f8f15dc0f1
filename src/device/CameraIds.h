#pragma once

#include <cstdint>

// USB identity of the supported cameras: the maker's vendor ID and one product ID per model.
namespace CameraIds {

constexpr uint32_t VendorId = 0xfe11;
constexpr uint32_t ArvoProductId = 0x0a01;
constexpr uint32_t TobbleProductId = 0x0a02;

} // namespace CameraIds
