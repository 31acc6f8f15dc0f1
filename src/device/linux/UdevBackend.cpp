#include "UdevBackend.h"

namespace {
class PlaceholderBackend : public DeviceBackend {
public:
    bool startMonitoring(Callbacks) override { return false; }
    std::vector<DeviceInfo> presentDevices() override { return {}; }
    std::unique_ptr<HidChannel> openHid(const DeviceInfo &) override { return nullptr; }
    std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &) override { return nullptr; }
};
} // namespace

std::unique_ptr<DeviceBackend> createLinuxBackend()
{
    return std::make_unique<PlaceholderBackend>();
}
