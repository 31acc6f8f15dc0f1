#pragma once

// The keys of the user-defaults store, named once.
namespace DefaultsKeys {

constexpr const char PhotoLibraryLocation[] = "LumoPhotoLibraryLocationKey";
constexpr const char FocusSoundEffectSwitch[] = "FocusSoundEffectSwitchKey";
constexpr const char SnapshotSoundEffectSwitch[] = "SnapshotSoundEffectSwitchKey";
constexpr const char ProgramKeyFunction[] = "ProgramKeyFunctionKey";
constexpr const char PhotoNameFormatSel[] = "PhotoNameFormatSelKey";
constexpr const char PhotoNameFormatSelPrefix[] = "PhotoNameFormatSelPrefixKey";
constexpr const char CapturedNumber[] = "LumoCapturedNumber";
constexpr const char PreviousDate[] = "LumoPrivousDate";
constexpr const char KeepCameraSet[] = "KeepCameraSetKey";
constexpr const char Devices[] = "LumoDevices";
constexpr const char InstantPreview[] = "InstantPreviewKey";
// Photos hold the drawing over the picture (true) or only the picture.
constexpr const char PhotoWithDrawing[] = "PhotoWithDrawingKey";
constexpr const char PreferencesItemSaved[] = "PreferencesItemSaved";
// The last series of photos at intervals: seconds between photos, and photos (0: until stopped).
constexpr const char SeriesInterval[] = "SeriesIntervalKey";
constexpr const char SeriesPhotos[] = "SeriesPhotosKey";
// Recordings: with sound (bool), the microphone's id (empty: the default one), and the video
// quality (0 low, 1 standard, 2 high).
constexpr const char RecordWithSound[] = "RecordWithSoundKey";
constexpr const char RecordingMicrophone[] = "RecordingMicrophoneKey";
constexpr const char RecordingQuality[] = "RecordingQualityKey";

// The main window's client area at the last quit, "x,y,width,height" in screen pixels.
constexpr const char MainWindowFrame[] = "MainWindowFrameKey";

} // namespace DefaultsKeys
