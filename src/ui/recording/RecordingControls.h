#pragma once

#include "RecordButton.h"

#include <QObject>
#include <QPointer>
#include <QString>

class LumoMainWindowController;
class QAction;
class QLabel;
class QTimer;
class Recorder;
class UserDefaults;

// The controls of a recording of the live picture: one action that starts it and stops it (R,
// a File menu entry and a toolbar button in camera mode), a round button over the picture in
// project mode that is red while recording with the time beside it, and the time and the file's
// size in the status line. How a recording ended, or why none started, shows in the message
// line and, in project mode, beside the round button for a few seconds. The controls follow the
// recorder's signals, so a recording ended by the recorder itself (unplugged camera, full disk)
// shows as one ended from here. Main thread.
class RecordingControls : public QObject {
    Q_OBJECT
public:
    RecordingControls(Recorder *recorder, LumoMainWindowController *main, UserDefaults *defaults,
                      QObject *parent = nullptr);
    ~RecordingControls() override;

    QAction *recordAction() const { return recordAction_; }
    QLabel *statusLabel() const { return statusLabel_; }
    RecordButton *floater() const { return floater_; }
    bool isRecording() const { return recording_; }

    // Starts a recording, or stops the one running: the action, the round button and the
    // programmable button.
    void toggle();

    // The time recorded: "0:42", "12:05", "1:02:03".
    static QString elapsedText(qint64 ms);
    // The status line while recording: "Recording 0:42 · 12.3 MB".
    static QString statusText(qint64 ms, qint64 bytes);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void started(bool withSound);
    void ended(const QString &message);
    void update();
    void placeFloater();

    Recorder *recorder_;
    LumoMainWindowController *main_;
    UserDefaults *defaults_;
    QAction *recordAction_ = nullptr;
    QLabel *statusLabel_ = nullptr;
    QPointer<RecordButton> floater_;
    QTimer *endShown_ = nullptr;
    QString endMessage_;
    bool recording_ = false;
    qint64 elapsedMs_ = 0;
    qint64 bytes_ = 0;
};
