#pragma once

#include "LumoCamera.h"

// The maker's cameras; the models derive from it.
class LumoCameraVelmar : public LumoCamera {
    Q_OBJECT
public:
    using LumoCamera::LumoCamera;
};
