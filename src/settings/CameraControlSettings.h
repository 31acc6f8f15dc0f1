#pragma once

#include "device/LumoCamera.h"

#include <QString>

class CamSettingController;

// The values chosen for the image controls a camera lists, kept in the camera's own record under
// "LumoDevices" (a "Controls" group, by control id) and set again when the camera comes back.
// The exposure controls are the exposure setting's (its level and automatic exposure), which the
// camera-mode settings keep and restore; they are not kept twice. Main thread.
class CameraControlSettings {
public:
    explicit CameraControlSettings(CamSettingController &settings) : settings_(settings) {}

    // Sets `value` (made to fit the control) on `camera`, the current camera, and keeps it.
    // False when the camera refused it; nothing is kept then.
    bool setValue(LumoCamera &camera, const CameraControl &control, int value);
    // Sets the kept values again, each made to fit the control's limits as the camera lists
    // them now: the switches and menus first, so that a value whose automatic counterpart is
    // switched off is taken; a control still inactive keeps the camera's own value.
    void applySaved(LumoCamera &camera);
    // Sets every control back to the camera's default and forgets the kept values.
    void restoreDefaults(LumoCamera &camera);

    // The key of a control in the record's "Controls" group ("0098091a").
    static QString keyOf(uint32_t id);

private:
    CamSettingController &settings_;
};
