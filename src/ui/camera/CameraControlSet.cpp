#include "CameraControlSet.h"

#include <algorithm>

namespace {

// The menu face lists five steps, however many levels a stepped camera counts.
constexpr int MenuSteps = 5;

} // namespace

CameraControlSet CameraControlSet::forCamera(const LumoCamera *camera)
{
    CameraControlSet set;
    if (!camera)
        return set;
    using Kind = LumoCamera::ExposureKind;
    switch (camera->exposureKind()) {
    case Kind::FiveSteps:
        set.exposure = Exposure::Steps;
        set.exposureLevels = MenuSteps;
        break;
    case Kind::FifteenLevels:
    case Kind::Range:
        // A camera that names no levels cannot be set: it gets no control rather than an
        // empty slider.
        if (camera->exposureLevels() > 0) {
            set.exposure = Exposure::Slider;
            set.exposureLevels = camera->exposureLevels();
        }
        break;
    case Kind::None:
        break;
    }
    if (set.exposure != Exposure::None) {
        const int start = camera->defaultExposureLevel();
        set.defaultExposureLevel =
            start >= 1 && start <= set.exposureLevels ? start : (set.exposureLevels + 1) / 2;
    }
    set.autoExposure = camera->hasAutoExposure();
    const LumoCamera::FocusKind focus = camera->focusKind();
    set.focus = focus == LumoCamera::FocusKind::VendorCommand || focus == LumoCamera::FocusKind::OneShot;
    set.programmableButton = camera->hasButtons();
    set.vendorCommands = camera->hasVendorCommands();
    return set;
}

int CameraControlSet::exposureEntry(int savedLevel) const
{
    if (exposure == Exposure::None)
        return 0;
    return savedLevel >= 1 && savedLevel <= exposureLevels ? savedLevel : defaultExposureLevel;
}
