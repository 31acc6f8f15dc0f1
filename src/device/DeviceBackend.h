#pragma once

#include "ButtonInput.h"
#include "CameraControl.h"
#include "DeviceInfo.h"
#include "HidChannel.h"
#include "LumoCamera.h"
#include "UsbControlChannel.h"

#include <functional>
#include <memory>
#include <vector>

// Where cameras come from: discovery of the maker's HID devices, their arrival and removal, and
// the channels to talk to one. The Linux back end uses udev, hidraw and V4L2; the virtual back
// end simulates cameras in the process.
//
// Thread: created on any thread, then used only on the device thread.
class DeviceBackend {
public:
    struct Callbacks {
        std::function<void(const DeviceInfo &)> arrived;
        std::function<void(const QString &key)> removed;
    };

    virtual ~DeviceBackend() = default;

    // Starts watching for arrivals and removals, delivered through `callbacks` on the device
    // thread. False when watching is not possible; present devices can still be listed.
    virtual bool startMonitoring(Callbacks callbacks) = 0;
    // The maker's devices plugged in now (other vendors are filtered out).
    virtual std::vector<DeviceInfo> presentDevices() = 0;

    // Channels of one device; null when the device cannot be opened. The HID channel is created
    // on the calling (device) thread and delivers its events there.
    virtual std::unique_ptr<HidChannel> openHid(const DeviceInfo &device) = 0;
    virtual std::unique_ptr<UsbControlChannel> openVideoControl(const DeviceInfo &device) = 0;
    // The input device of a camera found as a video capture node, through which its own button
    // reaches the application; null when it has none. An input may also wait for a node that
    // appears later. Created on the device thread.
    virtual std::unique_ptr<ButtonInput> openButtonInput(const DeviceInfo &) { return nullptr; }
    // The sizes and rates a camera found as a video capture node streams, per pixel format.
    virtual QList<LumoCamera::FrameMode> frameModes(const DeviceInfo &) { return {}; }
    // The image controls of a camera found as a video capture node; null when it has none or
    // they cannot be reached.
    virtual std::unique_ptr<CameraControlChannel> openCameraControls(const DeviceInfo &) { return nullptr; }
};
