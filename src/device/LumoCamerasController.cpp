#include "LumoCamerasController.h"

#include "DeviceBackend.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/MainThread.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>

// The part of the registry that lives on the device thread: watching, arrival and preparation.
class DeviceWorker : public QObject {
public:
    DeviceWorker(LumoCamerasController *controller, std::unique_ptr<DeviceBackend> backend)
        : controller_(controller), backend_(std::move(backend))
    {}

    void start()
    {
        QTimer::singleShot(Delays::scaled(Delays::DeviceThreadStart), this,
                           [this] { setupHidPlugInOutNotifier(); });
    }

private:
    void setupHidPlugInOutNotifier()
    {
        DeviceBackend::Callbacks callbacks;
        callbacks.arrived = [this](const DeviceInfo &device) { deviceAttached({device}); };
        callbacks.removed = [this](const QString &key) { deviceDetached(key); };
        if (!backend_->startMonitoring(std::move(callbacks)))
            LUMO_LOG("IOServiceAddMatchingNotification failed: camera arrivals are not watched");
        deviceAttached(backend_->presentDevices());
    }

    // Each arrival is prepared after the settle delay; one unplugged meanwhile is forgotten.
    void deviceAttached(const std::vector<DeviceInfo> &devices)
    {
        std::vector<DeviceInfo> fresh;
        for (const DeviceInfo &device : devices) {
            if (pending_.contains(device.key) || prepared_.contains(device.key))
                continue;
            pending_.insert(device.key);
            fresh.push_back(device);
        }
        if (fresh.empty())
            return;
        QTimer::singleShot(Delays::scaled(Delays::DeviceArrivalSettle), this, [this, fresh] {
            for (const DeviceInfo &device : fresh) {
                if (pending_.remove(device.key))
                    prepare(device);
            }
        });
    }

    void prepare(const DeviceInfo &device)
    {
        LUMO_LOG("Got a device: vendor 0x%04x, product 0x%04x, location 0x%04x", device.vendorId,
                 device.productId, device.locationId);
        CameraPtr camera = LumoCamera::create(device);
        if (!camera)
            return;
        camera->prepareToWorkWithDevice(device, *backend_);
        prepared_.insert(device.key);
        // From here on the camera belongs to the main thread (its timers, its deletion).
        camera->moveToThread(QCoreApplication::instance()->thread());
        QPointer<LumoCamerasController> controller = controller_;
        queueOnMainThread([controller, camera] {
            if (controller)
                controller->addCamera(camera);
        });
    }

    void deviceDetached(const QString &key)
    {
        pending_.remove(key);
        if (!prepared_.remove(key))
            return;
        QPointer<LumoCamerasController> controller = controller_;
        queueOnMainThread([controller, key] {
            if (controller)
                controller->deviceRemoved(key);
        });
    }

    QPointer<LumoCamerasController> controller_;
    std::unique_ptr<DeviceBackend> backend_;
    QSet<QString> pending_;
    QSet<QString> prepared_;
};

namespace {
std::mutex gSharedMutex;
LumoCamerasController *gShared = nullptr;
} // namespace

LumoCamerasController *LumoCamerasController::sharedController()
{
    std::lock_guard<std::mutex> lock(gSharedMutex);
    return gShared;
}

std::unique_ptr<LumoCamerasController> LumoCamerasController::createShared(
    std::unique_ptr<DeviceBackend> backend)
{
    std::lock_guard<std::mutex> lock(gSharedMutex);
    if (gShared)
        return nullptr;
    auto controller = std::make_unique<LumoCamerasController>(std::move(backend));
    gShared = controller.get();
    return controller;
}

LumoCamerasController::LumoCamerasController(std::unique_ptr<DeviceBackend> backend, QObject *parent)
    : QObject(parent), deviceThread_(new QThread(this))
{
    deviceThread_->setObjectName(QStringLiteral("device"));
    worker_ = new DeviceWorker(this, std::move(backend));
    worker_->moveToThread(deviceThread_);
    deviceThread_->start();
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { w->start(); }, Qt::QueuedConnection);
}

LumoCamerasController::~LumoCamerasController()
{
    {
        std::lock_guard<std::mutex> lock(gSharedMutex);
        if (gShared == this)
            gShared = nullptr;
    }
    for (const CameraPtr &camera : std::as_const(availableCameras_)) {
        camera->setActive(false);
        camera->prepareToDetatch();
    }
    {
        std::lock_guard<std::mutex> lock(currentMutex_);
        currentCamera_.reset();
    }
    availableCameras_.clear();
    // The worker, the back end and the cameras' channels live on the device thread and are
    // deleted there before it ends.
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_] {
            delete w;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
        Qt::BlockingQueuedConnection);
    deviceThread_->quit();
    deviceThread_->wait();
}

void LumoCamerasController::flushDeviceEvents()
{
    QMetaObject::invokeMethod(
        worker_, [] {}, Qt::BlockingQueuedConnection);
}

CameraPtr LumoCamerasController::currentCamera() const
{
    std::lock_guard<std::mutex> lock(currentMutex_);
    return currentCamera_;
}

void LumoCamerasController::setCurrentCamera(const CameraPtr &camera)
{
    if (!isMainThread()) {
        QPointer<LumoCamerasController> self = this;
        queueOnMainThread([self, camera] {
            if (self)
                self->setCurrentCamera(camera);
        });
        return;
    }
    CameraPtr old = currentCamera();
    if (old == camera)
        return;
    notifyOnMainThread(NotificationNames::CameraWillChange);
    if (old)
        old->setActive(false);
    {
        std::lock_guard<std::mutex> lock(currentMutex_);
        currentCamera_ = camera;
    }
    if (camera)
        camera->setActive(true);
    notifyOnMainThread(NotificationNames::CameraDidChange);
}

void LumoCamerasController::removeCamera(const CameraPtr &camera)
{
    if (!isMainThread()) {
        QPointer<LumoCamerasController> self = this;
        queueOnMainThread([self, camera] {
            if (self)
                self->removeCamera(camera);
        });
        return;
    }
    if (!camera || !availableCameras_.contains(camera))
        return;
    camera->setActive(false);
    camera->prepareToDetatch();
    if (currentCamera() == camera)
        setCurrentCamera(nullptr);
    availableCameras_.removeAll(camera);
    if (!currentCamera() && !availableCameras_.isEmpty())
        setCurrentCamera(availableCameras_.first());
}

void LumoCamerasController::notifyOnMainThread(const QString &name)
{
    NotificationCenter::defaultCenter()->postOnMainThread(name);
}

void LumoCamerasController::addCamera(const CameraPtr &camera)
{
    availableCameras_.append(camera);
    if (availableCameras_.size() == 1)
        setCurrentCamera(camera);
}

void LumoCamerasController::deviceRemoved(const QString &key)
{
    for (const CameraPtr &camera : std::as_const(availableCameras_)) {
        if (camera->deviceKey() == key) {
            LUMO_LOG("%s removed", qPrintable(camera->model()));
            removeCamera(camera);
            return;
        }
    }
}
