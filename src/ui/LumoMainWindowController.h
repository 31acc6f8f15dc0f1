#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QMainWindow;
class QWidget;
struct Notification;

// The main window: the live camera view and a status line, in one of three modes.
//
//   +------------------------------------------+
//   | menu bar                                  |
//   +------------------------------------------+
//   |                                          |
//   |          camera view container           |
//   |        (black; the live picture)         |
//   |                                          |
//   +------------------------------------------+
//   | status line: camera, or what went wrong  |
//   +------------------------------------------+
class LumoMainWindowController : public QObject {
    Q_OBJECT
public:
    enum Mode { CameraMode = 0, ProjectMode = 1, ReviewMode = 2 };

    explicit LumoMainWindowController(QObject *parent = nullptr);
    ~LumoMainWindowController() override;

    QMainWindow *window() const;
    QWidget *captureViewContainer() const { return captureViewContainer_; }

    void showWindow();
    void setMode(int mode);
    int mode() const { return mode_; }
    void initAttachController();
    void enterFullScreenMode();
    void exitFullScreenMode();
    void copy();

    // "LumoCameraDidChange": shows the new current camera.
    void velmarCameraDidChange(const Notification &notification);

    // Tells the user about a problem once: in the status line, and in a message box when the
    // window is first shown.
    void reportProblem(const QString &message);

    QString statusText() const;

private:
    void updateCameraStatus();

    QPointer<QMainWindow> window_;
    QWidget *captureViewContainer_ = nullptr;
    QLabel *placeholder_ = nullptr;
    QLabel *status_ = nullptr;
    QString problem_;
    bool problemShown_ = false;
    int mode_ = CameraMode;
};
