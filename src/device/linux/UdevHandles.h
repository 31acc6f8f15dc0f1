#pragma once

#include <libudev.h>

#include <memory>

// Owning handles for libudev objects: each is unreferenced when its handle goes. Devices borrowed
// from another (a parent from udev_device_get_parent_*) are not owned and stay raw pointers.
struct UdevUnref {
    void operator()(udev *p) const { udev_unref(p); }
    void operator()(udev_device *p) const { udev_device_unref(p); }
    void operator()(udev_enumerate *p) const { udev_enumerate_unref(p); }
    void operator()(udev_monitor *p) const { udev_monitor_unref(p); }
};

template<typename T> using UdevPtr = std::unique_ptr<T, UdevUnref>;
