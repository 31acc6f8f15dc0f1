#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordingPreferences;
class LumoCamerasController;
class UserDefaults;
struct PhotoSettings;

// The General pane of the preferences: the programmable button's function, whether a camera
// gets its last settings back, photo names, the library folder, the instant preview and the
// sounds. Each control stores its value under its defaults key and then announces it, with
// the new value in the user info under that same key (the recording choices, read when a
// recording starts, are only stored); the snapshot controller, the application
// controller and the main window apply it from there. The programmable button's function can
// be chosen while no camera is attached or the current one has buttons; for a camera without
// them it is disabled and says so, in its place, so the pane keeps its layout. Main thread.
class GeneralPreferencesPane : public QWidget {
    Q_OBJECT
public:
    // `cameras` (may be null) tells which camera is current.
    explicit GeneralPreferencesPane(UserDefaults *defaults, LumoCamerasController *cameras = nullptr,
                                    QWidget *parent = nullptr);
    ~GeneralPreferencesPane() override;

    // Fills every control from the stored values.
    void loadDefaults();

    // The control actions, also for tests (a user reaches them through the controls).
    void setFunction(int index);
    void setKeepCameraSet(int column);
    // The name format chosen (0 date, 1 custom prefix), with the prefix as typed.
    void setPhotoNameFormat(int row);
    // The prefix as typed, with the stored name format: on Return, and when the window closes,
    // so that a prefix typed but not confirmed is kept.
    void setPhotoNameFormatFromField();
    // Stores and announces `folder` as the library folder, unless photos cannot be written
    // there: then a message says so, and the folder in use stays. Returns whether it was taken.
    bool setPhotoLibraryLocation(const QString &folder);
    void setInstantTimer(int column);
    void toggleSnapshotSoundEffect(bool on);
    void toggleFocusSoundEffect(bool on);

    // Opens the folder chooser on the preferences window; a chosen folder goes to
    // setPhotoLibraryLocation().
    void choosePhotoLibraryLocation();

    // The name the next photo taken at `now` gets with `settings`: "Lecture_0040.jpg", or by
    // date, its number from the stored counter and the photos already in the folder.
    static QString examplePhotoName(const PhotoSettings &settings, UserDefaults *defaults,
                                    const QDateTime &now);
    // Whether a file can be created in `folder`: tried for real, since permissions alone do
    // not tell about read-only mounts, and tell nothing for root.
    static bool isWritableFolder(const QString &folder);
    // The help text of the programmable button's function `index` (0 to 5), else empty.
    static QString functionDescription(int index);

    QComboBox *functionPopUp() const { return functionPopUp_; }
    QLabel *descriptField() const { return descriptField_; }
    QButtonGroup *keepCameraSetMatrix() const { return keepCameraSet_; }
    QButtonGroup *photoNameFormatMatrix() const { return nameFormat_; }
    QLineEdit *prefixField() const { return prefixField_; }
    QLabel *examplePhotoNameField() const { return exampleName_; }
    QLineEdit *pathField() const { return pathField_; }
    QPushButton *chooseFolderButton() const { return chooseFolder_; }
    QButtonGroup *instantPreviewMatrix() const { return instantPreview_; }
    QCheckBox *snapshotSoundSwitch() const { return snapshotSound_; }
    QCheckBox *focusSoundSwitch() const { return focusSound_; }
    QCheckBox *photoDrawingSwitch() const { return photoDrawing_; }
    RecordingPreferences *recordingPreferences() const { return recording_; }

private:
    void updateExampleName();
    // The programmable button's controls follow the current camera.
    void cameraDidChange();
    void postPhotoNameFormat(int selection, const QString &prefix);

    UserDefaults *defaults_;
    LumoCamerasController *cameras_;
    QComboBox *functionPopUp_ = nullptr;
    QLabel *descriptField_ = nullptr;
    QButtonGroup *keepCameraSet_ = nullptr;
    QButtonGroup *nameFormat_ = nullptr;
    QLineEdit *prefixField_ = nullptr;
    QLabel *exampleName_ = nullptr;
    QLineEdit *pathField_ = nullptr;
    QPushButton *chooseFolder_ = nullptr;
    QButtonGroup *instantPreview_ = nullptr;
    QCheckBox *snapshotSound_ = nullptr;
    QCheckBox *focusSound_ = nullptr;
    QCheckBox *photoDrawing_ = nullptr;
    RecordingPreferences *recording_ = nullptr;
};
