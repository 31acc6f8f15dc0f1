#include "CameraControlDescriptions.h"

#include "LumoCameraModeControls.h"
#include "ui/widgets/LumoExposureButton.h"

#include <QCoreApplication>

void describeCameraControls(const LumoCameraModeControls &controls)
{
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("LumoCameraModeControls", text);
    };
    const std::pair<QWidget *, QString> descriptions[] = {
        {controls.zoomButton(), tr("Enlarges part of the live picture")},
        {controls.exposureButton(), tr("Makes the live picture brighter or darker")},
        {controls.exposureLockButton(),
         tr("Lets the camera set the brightness itself, or keeps it where it is")},
        {controls.timerButton(), tr("Waits a few seconds before a photo is taken")},
        {controls.resolutionButton(), tr("Chooses how many pixels the camera sends")},
        {controls.mirrorButton(), tr("Flips or turns the live picture")},
        {controls.photoZoomButton(), tr("Enlarges the photo shown")},
    };
    for (const auto &[button, description] : descriptions)
        button->setAccessibleDescription(description);
}
