#pragma once

class LumoCameraModeControls;

// What each pop-up button of the camera toolbar does, as assistive technology reads it out
// after the button's title ("Zoom: 150%"). Their twins over the picture in project mode copy it.
void describeCameraControls(const LumoCameraModeControls &controls);
