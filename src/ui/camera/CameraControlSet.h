#pragma once

#include "device/LumoCamera.h"

// Which camera controls the interface offers for a camera, worked out from what the camera says
// it can do (never from which model it is). The toolbar, the floating controls and the
// preferences each show what this answers and nothing else. Without a camera it is the set of
// a camera that can do nothing. Pure: no widgets, any thread.
struct CameraControlSet {
    // The face of the exposure control: none at all, the menu of five signed steps, or a slider
    // of exposureLevels levels.
    enum class Exposure { None, Steps, Slider };

    Exposure exposure = Exposure::None;
    // The levels the control offers (1 to exposureLevels) and the one a camera starts at.
    int exposureLevels = 0;
    int defaultExposureLevel = 0;
    // The "AE" pop-up that switches automatic exposure.
    bool autoExposure = false;
    // The focus ring around the snapshot button and the focus cross over the picture: for a
    // camera that focuses when asked.
    bool focus = false;
    // The programmable button's function: for a camera with buttons of its own.
    bool programmableButton = false;
    // The controls that work through vendor commands (image reset, focus mode).
    bool vendorCommands = false;

    static CameraControlSet forCamera(const LumoCamera *camera);

    // The exposure entry to show for a level saved earlier: the level itself when the control
    // offers it, else the camera's starting level (a damaged or foreign value, or one saved
    // before the camera said what it offers). 0 when the camera has no exposure control.
    int exposureEntry(int savedLevel) const;
};
