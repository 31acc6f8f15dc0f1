#include "LumoControlController.h"

#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

LumoControlController::LumoControlController(CameraProvider currentCamera, QObject *parent)
    : QObject(parent), currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); })
{}

void LumoControlController::fullScreenClose()
{
    NotificationCenter::defaultCenter()->post(NotificationNames::AppExitFullScreen);
}

void LumoControlController::focus()
{
    const CameraPtr camera = currentCamera_();
    if (!camera || !camera->focusAgain())
        LUMO_LOG("focus: no camera to focus");
}

void LumoControlController::snapshot()
{
    NotificationCenter::defaultCenter()->post(NotificationNames::Snapshot);
}
