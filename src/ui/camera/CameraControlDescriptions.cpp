#include "CameraControlDescriptions.h"

#include "LumoCameraModeControls.h"
#include "ui/widgets/LumoExposureButton.h"

#include <QCoreApplication>

namespace {

// Translated with the toolbar's other texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(LumoCameraModeControls)
};

} // namespace

void describeCameraControls(const LumoCameraModeControls &controls)
{
    const std::pair<QWidget *, QString> descriptions[] = {
        {controls.zoomButton(), Text::tr("Enlarges part of the live picture")},
        {controls.exposureButton(), Text::tr("Makes the live picture brighter or darker")},
        {controls.exposureLockButton(),
         Text::tr("Lets the camera set the brightness itself, or keeps it where it is")},
        {controls.timerButton(), Text::tr("Waits a few seconds before a photo is taken")},
        {controls.resolutionButton(), Text::tr("Chooses how many pixels the camera sends")},
        {controls.mirrorButton(), Text::tr("Flips or turns the live picture")},
        {controls.photoZoomButton(), Text::tr("Enlarges the photo shown")},
    };
    for (const auto &[button, description] : descriptions)
        button->setAccessibleDescription(description);
}
