#pragma once

#include "device/LumoCamera.h"

#include <QObject>

#include <functional>

// What the floating buttons do: close leaves full screen, focus has the current camera focus
// again (the focus indicator then reacts as to any focus the user started), snapshot asks for a
// photo exactly as the camera's own snapshot button does, a click on the countdown asks to end
// it. Main thread.
class LumoControlController : public QObject {
    Q_OBJECT
public:
    using CameraProvider = std::function<CameraPtr()>;

    explicit LumoControlController(CameraProvider currentCamera, QObject *parent = nullptr);

    // Posts "LumoNotificationAppExitFullScreen".
    void fullScreenClose();
    void focus();
    // Posts "LumoNotificationSnapshot" (no object).
    void snapshot();

signals:
    void countdownCancelRequested();

private:
    CameraProvider currentCamera_;
};
