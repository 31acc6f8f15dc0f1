#pragma once

#include "VirtualCamera.h"

#include <QList>
#include <QObject>

#include <memory>
#include <mutex>

class DeviceBackend;

// The virtual cameras of this process: plugged in and unplugged like real ones, numbered 1, 2,
// 3... in the order they were plugged (numbers are never reused). Plugging and unplugging are
// announced to the back end created by createBackend(). Thread-safe.
class VirtualCameraHub : public QObject {
    Q_OBJECT
public:
    using CameraList = QList<std::shared_ptr<VirtualCamera>>;

    using QObject::QObject;

    std::shared_ptr<VirtualCamera> plug(VirtualCamera::Model model, VirtualCamera::Faults faults = {});
    bool unplug(int id);
    std::shared_ptr<VirtualCamera> camera(int id) const;
    // Every camera plugged so far, unplugged ones included, in order of id.
    CameraList cameras() const;
    std::shared_ptr<VirtualCamera> cameraForKey(const QString &key) const;

    // A device back end over this hub's cameras. The hub must outlive it.
    std::unique_ptr<DeviceBackend> createBackend();

signals:
    void plugged(const DeviceInfo &device);
    void unplugged(const QString &key);

private:
    mutable std::mutex mutex_;
    CameraList cameras_;
    int nextId_ = 1;
};
