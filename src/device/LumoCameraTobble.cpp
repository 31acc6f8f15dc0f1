#include "LumoCameraTobble.h"

#include "CameraIds.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationNames.h"

#include <QThread>
#include <QTimer>

LumoCameraTobble::LumoCameraTobble(QObject *parent)
    : LumoCamera(parent), autoGetExposureTimer_(new QTimer(this))
{
    productId_ = CameraIds::TobbleProductId;
    connect(autoGetExposureTimer_, &QTimer::timeout, this, &LumoCameraTobble::timerToAutoGetExposure);
}

bool LumoCameraTobble::setExposure(short level)
{
    if (uint16_t(level - 1) > 14) {
        LUMO_LOG("invalid value of setIris: %hu", uint16_t(level));
        return false;
    }
    if (velmarSetIris(level) != 0) {
        LUMO_LOG("velmarSetIris failed");
        return false;
    }
    return true;
}

void LumoCameraTobble::setActive(bool active)
{
    LumoCamera::setActive(active);
    // The timer belongs to the camera's thread (the main thread once the camera is in the
    // registry); activation from another thread is forwarded there.
    QTimer *timer = autoGetExposureTimer_;
    const int interval = Delays::scaled(Delays::ExposureReportInterval);
    auto apply = [timer, active, interval] {
        if (active)
            timer->start(interval);
        else
            timer->stop();
    };
    if (QThread::currentThread() == thread())
        apply();
    else
        QMetaObject::invokeMethod(timer, apply, Qt::QueuedConnection);
}

bool LumoCameraTobble::exposureTimerRunning() const
{
    return autoGetExposureTimer_->isActive();
}

void LumoCameraTobble::timerToAutoGetExposure()
{
    if (active())
        notifyOnMainThread(NotificationNames::ReportExposure);
}
