#pragma once

#include "CommandLine.h"

#include <QObject>

#include <memory>

class CaptureBackend;
class ControlServer;
class LumoActionController;
class LumoCamerasController;
class LumoMainWindowController;
class KeyboardShortcutsWindow;
class LumoPreferencesWindowController;
class PhotoSeries;
class QAction;
class Recorder;
class RecordingControls;
class FreezeControls;
class PanControls;
class RotationControls;
class SeriesControls;
class SingleInstance;
class VirtualCameraHub;
struct Notification;

// The root of the application: start-up in order (log, first-run defaults and library folder,
// the long-lived controllers, the notification wiring, the camera registry), the main menu, and
// reopening when Arvo is launched again. Main thread.
class LumoAppController : public QObject {
    Q_OBJECT
public:
    explicit LumoAppController(const CommandLineOptions &options, QObject *parent = nullptr);
    ~LumoAppController() override;

    // Start-up: everything up to the camera registry. `redirectLog` false keeps the standard
    // streams where they are (tests).
    void awakeFromNib(bool redirectLog = true);
    // After start-up: reopen handling, and the main window shown in camera mode a second later.
    void applicationWillFinishLaunching(SingleInstance *instance);

    // First-run defaults and the library folder. Returns a message for the user when the
    // library folder cannot be used, else an empty string.
    static QString setAppDefault();

    // Shows the main window for a later launch: un-minimized, raised and active.
    void reopen();
    // Ends the event loop; applicationWillTerminate() then handles what was still on its way,
    // and destruction waits for photos still being saved. The Quit menu and the termination
    // signals both end Arvo this way.
    void quit();
    // After the event loop ended: takes no more commands, and handles the camera presses already
    // on their way to the main thread, each with its photo (a snapshot waiting for its frame
    // included).
    void applicationWillTerminate();

    void setNotifications();
    void keepCameraSetDidChange(const Notification &notification);
    void onlineHelp();
    void openPreferences();
    void openAbout();
    void copy();
    // Help > Keyboard Shortcuts.
    void openKeyboardShortcuts();

    LumoMainWindowController *mainWindowController() const { return mainWindowController_.get(); }
    LumoActionController *actionController() const { return actionController_.get(); }
    // Null until the preferences are first opened.
    LumoPreferencesWindowController *preferencesController() const { return preferences_.get(); }
    VirtualCameraHub *virtualCameraHub() const { return hub_.get(); }
    // Photos at intervals, and their menu entries and toolbar button.
    PhotoSeries *photoSeries() const { return series_.get(); }
    SeriesControls *seriesControls() const { return seriesControls_.get(); }
    FreezeControls *freezeControls() const { return freezeControls_.get(); }
    RotationControls *rotationControls() const { return rotationControls_.get(); }
    PanControls *panControls() const { return panControls_.get(); }
    // The one recorder of the live picture, and its controls.
    Recorder *recorder() const { return recorder_.get(); }
    RecordingControls *recordingControls() const { return recordingControls_.get(); }

    // The "HelpBaseURL" entry of the "Server" strings table.
    static QString helpBaseUrl();

private:
    void initializeMode();
    void buildMainMenu();
    void connectRecorder();

    CommandLineOptions options_;
    std::unique_ptr<VirtualCameraHub> hub_;
    std::unique_ptr<CaptureBackend> captureBackend_;
    std::unique_ptr<LumoActionController> actionController_;
    std::unique_ptr<Recorder> recorder_;
    std::unique_ptr<LumoMainWindowController> mainWindowController_;
    std::unique_ptr<LumoCamerasController> cameras_;
    std::unique_ptr<ControlServer> controlServer_;
    std::unique_ptr<LumoPreferencesWindowController> preferences_;
    std::unique_ptr<PhotoSeries> series_;
    std::unique_ptr<SeriesControls> seriesControls_;
    std::unique_ptr<FreezeControls> freezeControls_;
    std::unique_ptr<RotationControls> rotationControls_;
    std::unique_ptr<PanControls> panControls_;
    std::unique_ptr<RecordingControls> recordingControls_;
    KeyboardShortcutsWindow *shortcutsWindow_ = nullptr; // a child of the main window
};
