#pragma once

// Names of the notifications on the bus, named once.
namespace NotificationNames {

// Camera registry
constexpr const char CameraWillChange[] = "LumoCameraWillChange";
constexpr const char CameraDidChange[] = "LumoCameraDidChange";

// Camera buttons and focus (object: the camera)
constexpr const char Snapshot[] = "LumoNotificationSnapshot";
constexpr const char CameraWillFocus[] = "LumoNotificationCameraWillFocus";
constexpr const char CameraDidFocus[] = "LumoNotificationCameraDidFocus";
constexpr const char CameraSetToSingleFocus[] = "LumoNotificationCameraSetToSingleFocus";
constexpr const char CameraSetToContinueFocus[] = "LumoNotificationCameraSetToContinueFocus";
constexpr const char CameraCustomButton[] = "LumoNotificationCameraCustomButton";
constexpr const char ReportExposure[] = "LumoNotificationReportExposure";

// Preferences
constexpr const char KeepCameraSetDidChange[] = "LumoKeepCameraSetDidChangeNotification";
constexpr const char PhotoLibraryLocationDidChange[] = "LumoPhotoLibraryLocationDidChangeNotification";
constexpr const char PhotoNameFormatSelDidChange[] = "LumoPhotoNameFormatSelDidChangeNotification";
constexpr const char FocusSoundEffectDidChange[] = "LumoFocusSoundEffectDidChangeNotification";
constexpr const char SnapshotSoundEffectDidChange[] = "LumoSnapshotSoundEffectDidChangeNotification";
constexpr const char ProgramKeyFunctionDidChange[] = "LumoProgramKeyFunctionDidChangeNotification";
constexpr const char InstantPreviewDidChange[] = "LumoInstantPreviewDidChangeNotification";

// Capture and photos
constexpr const char WillDisplayImage[] = "LumoWillDisplayImage";
constexpr const char CaptureAutoFocusWillBegin[] = "LumoCaptureAutoFocusWillBeginNotification";
constexpr const char FileDidCreate[] = "LumoFileDidCreateNotification";
constexpr const char CaptureViewWillUpdateExposure[] = "LumoCaptureViewWillUpdateExposureNotification";
constexpr const char CaptureWillUpdateTimer[] = "LumoCaptureWillUpdateTimerNotification";
constexpr const char AppWillSnapshot[] = "LumoAppWillSnapshotNotification";

} // namespace NotificationNames
