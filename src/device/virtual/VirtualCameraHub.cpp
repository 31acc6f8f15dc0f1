#include "VirtualCameraHub.h"

#include "VirtualHidChannel.h"
#include "VirtualControlSet.h"
#include "VirtualUvcChannel.h"
#include "device/DeviceBackend.h"

namespace {

// A camera's button input that the camera posts presses to: it leaves the camera before it goes,
// so a press posted from another thread never reaches it once it is gone.
class VirtualButtonInput : public ButtonInput {
public:
    explicit VirtualButtonInput(std::shared_ptr<VirtualCamera> camera) : camera_(std::move(camera))
    {
        camera_->attachButtonInput(this);
    }
    ~VirtualButtonInput() override { camera_->detachButtonInput(this); }

private:
    std::shared_ptr<VirtualCamera> camera_;
};

// Discovery over the hub: arrivals and removals come from its signals, delivered on the thread
// that started monitoring (the device thread).
class VirtualBackend : public DeviceBackend {
public:
    explicit VirtualBackend(VirtualCameraHub *hub) : hub_(hub) {}

    bool startMonitoring(Callbacks callbacks) override
    {
        context_ = std::make_unique<QObject>();
        QObject::connect(
            hub_, &VirtualCameraHub::plugged, context_.get(),
            [arrived = callbacks.arrived](const DeviceInfo &d) { arrived(d); }, Qt::QueuedConnection);
        QObject::connect(
            hub_, &VirtualCameraHub::unplugged, context_.get(),
            [removed = callbacks.removed](const QString &key) { removed(key); }, Qt::QueuedConnection);
        return true;
    }

    std::vector<DeviceInfo> presentDevices() override
    {
        std::vector<DeviceInfo> devices;
        for (const auto &camera : hub_->cameras()) {
            if (camera->plugged())
                devices.push_back(camera->deviceInfo());
        }
        return devices;
    }

    std::unique_ptr<HidChannel> openHid(const DeviceInfo &device) override
    {
        auto camera = hub_->cameraForKey(device.key);
        if (!camera || !camera->plugged() || !camera->hasHid())
            return nullptr;
        return std::make_unique<VirtualHidChannel>(camera);
    }

    std::unique_ptr<ButtonInput> openButtonInput(const DeviceInfo &device) override
    {
        auto camera = hub_->cameraForKey(device.key);
        if (!camera || !camera->plugged() || camera->model() != VirtualCamera::Model::Uvc)
            return nullptr;
        return std::make_unique<VirtualButtonInput>(camera);
    }

    QList<LumoCamera::FrameMode> frameModes(const DeviceInfo &device) override
    {
        auto camera = hub_->cameraForKey(device.key);
        return camera ? camera->frameModes() : QList<LumoCamera::FrameMode>();
    }

    std::unique_ptr<CameraControlChannel> openCameraControls(const DeviceInfo &device) override
    {
        return VirtualControlSet::openChannel(hub_->cameraForKey(device.key));
    }

    std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &device) override
    {
        auto camera = hub_->cameraForKey(device.key);
        if (!camera || !camera->plugged())
            return nullptr;
        return std::make_unique<VirtualUvcChannel>(camera);
    }

private:
    VirtualCameraHub *hub_;
    std::unique_ptr<QObject> context_;
};

} // namespace

std::shared_ptr<VirtualCamera> VirtualCameraHub::plug(VirtualCamera::Model model,
                                                      VirtualCamera::Faults faults)
{
    std::shared_ptr<VirtualCamera> camera;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        camera = std::make_shared<VirtualCamera>(nextId_++, model, faults);
        cameras_.append(camera);
    }
    emit plugged(camera->deviceInfo());
    return camera;
}

bool VirtualCameraHub::unplug(int id)
{
    auto camera = this->camera(id);
    if (!camera || !camera->plugged())
        return false;
    camera->setPlugged(false);
    emit unplugged(camera->deviceInfo().key);
    return true;
}

std::shared_ptr<VirtualCamera> VirtualCameraHub::camera(int id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto &camera : cameras_) {
        if (camera->id() == id)
            return camera;
    }
    return nullptr;
}

VirtualCameraHub::CameraList VirtualCameraHub::cameras() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return cameras_;
}

std::shared_ptr<VirtualCamera> VirtualCameraHub::cameraForKey(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto &camera : cameras_) {
        if (camera->deviceInfo().key == key)
            return camera;
    }
    return nullptr;
}

std::unique_ptr<DeviceBackend> VirtualCameraHub::createBackend()
{
    return std::make_unique<VirtualBackend>(this);
}
