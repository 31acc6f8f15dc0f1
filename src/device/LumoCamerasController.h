#pragma once

#include "LumoCamera.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

class DeviceBackend;
class DeviceWorker;
class QThread;

// The camera registry: finds the plugged-in cameras through a DeviceBackend, keeps the list of
// them and the current one, and lets go of a camera when it is unplugged.
//
// It runs a device thread of its own (a QThread with its own event loop): 1.0 s after start it
// watches for the maker's devices; each arrival is prepared 3.0 s after it was seen (the camera
// needs that long to settle), and a camera's button events are drained there. The list and the
// current camera change on the main thread only; currentCamera() may be read from any thread.
class LumoCamerasController : public QObject {
    Q_OBJECT
public:
    // The application's registry, made by createShared(); null before and after.
    static LumoCamerasController *sharedController();
    // Creates the application's registry with `backend` and starts its device thread. The
    // caller owns the result and deletes it before the application object goes away.
    static std::unique_ptr<LumoCamerasController> createShared(std::unique_ptr<DeviceBackend> backend);

    explicit LumoCamerasController(std::unique_ptr<DeviceBackend> backend, QObject *parent = nullptr);
    ~LumoCamerasController() override;

    // Main thread.
    QList<CameraPtr> availableCameras() const { return availableCameras_; }
    // Any thread.
    CameraPtr currentCamera() const;

    // Makes `camera` (may be null) the current camera, with "LumoCameraWillChange" before and
    // "LumoCameraDidChange" after; nothing when it is current already. Called from another
    // thread, the change is queued to the main thread.
    void setCurrentCamera(const CameraPtr &camera);
    // Detaches `camera` and drops it from the list; the first remaining camera becomes current
    // when the current one went. Called from another thread, it is queued to the main thread.
    void removeCamera(const CameraPtr &camera);

    // Posts `name` with no object on the main thread (at once when already there).
    void notifyOnMainThread(const QString &name);

    QThread *deviceThread() const { return deviceThread_; }
    // Returns once the device thread has handled everything queued to it so far: the camera
    // events it had by then are on their way to the main thread. Main thread.
    void flushDeviceEvents();

private:
    void addCamera(const CameraPtr &camera); // main thread
    void deviceRemoved(const QString &key);  // main thread

    QList<CameraPtr> availableCameras_;
    mutable std::mutex currentMutex_;
    CameraPtr currentCamera_;
    QThread *deviceThread_ = nullptr;
    DeviceWorker *worker_ = nullptr;

    friend class DeviceWorker;
};
