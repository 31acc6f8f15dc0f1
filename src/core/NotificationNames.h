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

// Camera setting cache (object: the cache)
constexpr const char CamSettingWillRestore[] = "LumoCamSettingWillRestoreNotification";
constexpr const char CamSettingDidRestore[] = "LumoCamSettingDidRestoreNotification";
constexpr const char CamSettingDidSetToDefault[] = "LumoCamSettingDidSetToDefaultNotification";

// Capture and photos
constexpr const char WillDisplayImage[] = "LumoWillDisplayImage";
constexpr const char CaptureAutoFocusWillBegin[] = "LumoCaptureAutoFocusWillBeginNotification";
constexpr const char FileDidCreate[] = "LumoFileDidCreateNotification";
constexpr const char CaptureViewWillUpdateExposure[] = "LumoCaptureViewWillUpdateExposureNotification";
constexpr const char CaptureWillUpdateTimer[] = "LumoCaptureWillUpdateTimerNotification";
constexpr const char AppWillSnapshot[] = "LumoAppWillSnapshotNotification";
constexpr const char CaptureDidInvalidateTimer[] = "LumoCaptureDidInvalidateTimerNotification";
constexpr const char CaptureDidTriggleTimer[] = "LumoCaptureDidTriggleTimerNotification";
constexpr const char CaptureFocusWillBegin[] = "LumoCaptureFocusWillBeginNotification";
constexpr const char CaptureFocusWillEnd[] = "LumoCaptureFocusWillEndNotification";
constexpr const char CaptureFocusDidSetSingle[] = "LumoCaptureFocusDidSetSingleNotification";
constexpr const char CaptureFocusDidSetContinous[] = "LumoCaptureFocusDidSetContinousNotification";
constexpr const char CaptureWillDigitalZoom[] = "LumoCaptureWillDigitalZoomNotification";
constexpr const char CaptureWillMirror[] = "LumoCaptureWillMirrorNotification";
// A photo could not be written; user info "message" says why.
constexpr const char PhotoSaveDidFail[] = "LumoPhotoSaveDidFailNotification";

// Windows (no object)
constexpr const char MainWindowDoubleClicked[] = "LumoNotificationMainWindowDoubleClicked";
constexpr const char AppExitFullScreen[] = "LumoNotificationAppExitFullScreen";
constexpr const char CommandRestartCaptureView[] = "LumoNotificationCommandRestartCaptureView";

// Posted by the floating full-screen controls, with the twin pop-up that was worked as object
constexpr const char FullScreenSetZoom[] = "LumoFullScreenSetZoomNotification";
constexpr const char FullScreenSetTimer[] = "LumoFullScreenSetTimerNotification";
constexpr const char FullScreenSetResolution[] = "LumoFullScreenSetResolutionNotification";
constexpr const char FullScreenSetExposure[] = "LumoFullScreenSetExposureNotification";
constexpr const char FullScreenSetExposureLock[] = "LumoFullScreenSetExposureLockNotification";
constexpr const char FullScreenSetMirror[] = "LumoFullScreenSetMirrorNotification";

// Control state reported by the main window
constexpr const char DeviceCacheWillUpdateExposure[] = "LumoDeviceCacheWillUpdateExposureNotification";
constexpr const char DeviceCacheWillUpdateMirror[] = "LumoDeviceCacheWillUpdateMirrorNotification";
constexpr const char DeviceCacheWillUpdateZoomFactor[] = "LumoDeviceCacheWillUpdateZoomFactorNotification";
constexpr const char DeviceCacheWillUpdateTimer[] = "LumoDeviceCacheWillUpdateTimerNotification";

// User-info keys
namespace InfoKeys {
constexpr const char Image[] = "image";
constexpr const char FileURL[] = "FileURLKey";
constexpr const char Message[] = "message";
constexpr const char ZoomFactor[] = "DevZoomFactorValue";
constexpr const char Exposure[] = "DevExposureValue";
constexpr const char Timer[] = "DevTimerValue";
constexpr const char Horizontal[] = "DevHorizontalValue";
constexpr const char Vertical[] = "DevVerticalValue";
} // namespace InfoKeys

} // namespace NotificationNames
