#pragma once

#include <QSizeF>

// Positions of the camera-mode controls (menu indexes) and the values they stand for. Every
// control that shows one of these settings converts through here, in both directions.

// Output resolutions 0..5: 1600x1200, 1280x960, 1024x768, 800x600, 640x480, 320x240; any other
// index gives 640x480.
QSizeF toPhotoOutputSize(int index);

// Zoom factors 0..5: 1.0, 1.25, 1.5, 2.0, 2.5, 3.0. A factor not in the table gives 6, one past
// the last index; an index not in the table gives 0.0.
int toZoomIndex(float factor);
float toZoomFactor(int index);

// Self-timer: 0 off, 1 three seconds, 2 ten seconds. Unknown indexes pass through unchanged;
// unknown seconds give index 0.
int toTimerValue(int index);
int toTimerIndex(int seconds);

// Auto brightness: index 0 on, 1 off.
bool toAutoBrightnessValue(int index);
int toAutoBrightnessIndex(bool on);
