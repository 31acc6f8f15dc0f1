#pragma once

#include <chrono>

// Every delay the application waits for, named once. Tests may run them all faster through one
// time scale; the shipped scale is 1.0.
namespace Delays {

using Ms = std::chrono::milliseconds;

constexpr Ms DeviceThreadStart{1000};   // device thread start to watching for cameras
constexpr Ms DeviceArrivalSettle{3000}; // camera arrival to preparation
constexpr Ms FocusDoneTimeout{5000};    // forced focus to giving up on its "focus done"
constexpr Ms ExposureReportInterval{500};
constexpr Ms CaptureWatchdog{2000};
constexpr Ms CaptureRestart{1000};
constexpr Ms ImageAdjustmentPause{200};
constexpr Ms AutoExposurePause{200}; // auto exposure switched off, then the next request
constexpr Ms InitializeMode{1000};
constexpr Ms SelfTimerTick{1000};
constexpr Ms CameraRequestInterval{33}; // one frame at 30 fps: how often a slider may drive the camera
constexpr Ms LibraryChangeSettle{300};  // a change to the library folder to relisting it
constexpr Ms WorkerShutdown{1000};      // how long a closing view waits for its decoders
constexpr Ms SnapshotFrameWait{3000};   // a snapshot without a frame to take to giving up on one
constexpr Ms SeriesTick{1000};          // how often a series' time to its next photo is shown again
constexpr Ms SettingsWriteGather{900};  // a settings change to the write that takes it and those after it

// The feedback over the picture.
constexpr Ms AutoFocus{1000};       // a mode, resolution or camera change to its automatic focus
constexpr Ms ShutterBlank{500};     // the black frame after a snapshot, before its preview
constexpr Ms FocusCrossRest{2000};  // the end of a focus to the cross disappearing
constexpr Ms ExposureReadout{3000}; // how long a new exposure step shows over the picture

// Multiplies every delay; must be set before the delays are used.
void setTimeScale(double scale);
double timeScale();

// The delay after scaling, in whole milliseconds (at least 0).
int scaled(Ms delay);

} // namespace Delays
