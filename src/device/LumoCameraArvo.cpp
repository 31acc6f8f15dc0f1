#include "LumoCameraArvo.h"

#include "CameraIds.h"
#include "core/LumoLog.h"

LumoCameraArvo::LumoCameraArvo(QObject *parent) : LumoCamera(parent)
{
    productId_ = CameraIds::ArvoProductId;
}

int LumoCameraArvo::exposureIndexToValue(int index)
{
    switch (index) {
    case 0:
        return 9;
    case 1:
        return 7;
    case 2:
        return 5;
    case 3:
        return 4;
    case 4:
        return 3;
    default:
        return 5;
    }
}

bool LumoCameraArvo::setExposure(short level)
{
    if (uint16_t(level - 1) > 4) {
        LUMO_LOG("invalid value of setIris: %hu", uint16_t(level));
        return false;
    }
    if (velmarSetIris(short(exposureIndexToValue(level - 1))) != 0) {
        LUMO_LOG("velmarSetIris failed");
        return false;
    }
    return true;
}
