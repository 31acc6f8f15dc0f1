#pragma once

#include "device/CameraControl.h"

#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class VirtualCamera;

// The image controls of the virtual camera of another maker, as its video node lists them:
// limits unlike the two models' (a negative minimum, a step of 10), a power-line menu, automatic
// exposure as a menu with holes beside an absolute exposure, automatic focus beside an absolute
// focus, gain and backlight compensation. A control whose automatic counterpart is on is
// inactive and refuses a value, as are values off the limits, off the steps or not in the menu.
//
// Thread-safe: the application's channels and the control socket use it from different threads.
class VirtualControlSet {
public:
    VirtualControlSet();

    QList<CameraControl> controls() const;
    std::optional<CameraControl> control(uint32_t id) const;
    std::optional<int> value(uint32_t id) const;
    bool setValue(uint32_t id, int value);
    void resetToDefaults();

    // A control by the short name describe() shows ("brightness", "exposure-absolute").
    std::optional<int> value(const QString &key) const;
    std::optional<uint32_t> idOf(const QString &key) const;
    // One line per control: "brightness 64".
    QStringList describe() const;

    // A channel to these controls; once the camera is unplugged every call fails.
    static std::unique_ptr<CameraControlChannel> openChannel(std::shared_ptr<VirtualCamera> camera);

private:
    struct Entry {
        const char *key;
        CameraControl control;
        int current;
    };

    const Entry *find(uint32_t id) const;
    // The control with its flags as they are now.
    CameraControl withFlags(const Entry &entry) const;

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};
