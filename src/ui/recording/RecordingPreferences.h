#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class UserDefaults;

// The recording choices of the General preferences: whether to record sound, from which
// microphone (the sound system's list, read each time the preferences open), and the video
// quality. Each is stored under its defaults key as it is chosen; the recorder reads them when a
// recording starts, so nothing is announced. Main thread.
//
//   [x] Record sound   [ Default microphone      v ]
//   Video quality:  ( ) Low   (*) Standard   ( ) High
class RecordingPreferences : public QWidget {
    Q_OBJECT
public:
    explicit RecordingPreferences(UserDefaults *defaults, QWidget *parent = nullptr);

    // Fills the controls from the stored values, with the microphones listed now (the owner
    // calls it as the preferences open: listing the microphones asks the sound system).
    void loadDefaults();

    QCheckBox *soundSwitch() const { return sound_; }
    QComboBox *microphonePopUp() const { return microphone_; }
    QButtonGroup *qualityMatrix() const { return quality_; }

private:
    void fillMicrophones();

    UserDefaults *defaults_;
    QCheckBox *sound_ = nullptr;
    QComboBox *microphone_ = nullptr;
    QButtonGroup *quality_ = nullptr;
};
