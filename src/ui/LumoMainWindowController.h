#pragma once

#include "capture/CaptureDevice.h"
#include "device/LumoCamera.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class CaptureBackend;
class LumoCaptureViewController;
class QLabel;
class QMainWindow;
class QStackedWidget;
class QTimer;
class QWidget;
struct Notification;

// The main window: the live camera view and a status line, in one of three modes.
//
//   +------------------------------------------+
//   | menu bar                                  |
//   +------------------------------------------+
//   |                                          |
//   |          camera view container           |
//   |   (the live picture, or what is missing) |
//   |                                          |
//   +------------------------------------------+
//   | messages               camera · size · fps |
//   +------------------------------------------+
//
// It owns the capture pipeline, follows camera changes (the setting cache re-applies the saved
// settings), and takes a snapshot on Return. Main thread.
class LumoMainWindowController : public QObject {
    Q_OBJECT
public:
    enum Mode { CameraMode = 0, ProjectMode = 1, ReviewMode = 2 };

    // Answers the current camera, or null; handed on to the capture pipeline.
    using CameraProvider = std::function<CameraPtr()>;

    LumoMainWindowController(CaptureBackend *captureBackend, CameraProvider currentCamera,
                             QObject *parent = nullptr);
    ~LumoMainWindowController() override;

    QMainWindow *window() const;
    QWidget *captureViewContainer() const { return captureViewContainer_; }
    LumoCaptureViewController *captureController() const { return captureController_.get(); }

    void showWindow();
    void setMode(int mode);
    int mode() const { return mode_; }
    void initAttachController();
    void enterFullScreenMode();
    void exitFullScreenMode();
    void copy();

    // "LumoCameraDidChange": shows the new camera and has its saved settings applied.
    void velmarCameraDidChange(const Notification &notification);
    // "LumoFileDidCreateNotification": a photo was saved.
    void fileDidCreate(const Notification &notification);

    // Tells the user about a lasting problem: in the status line, and once in a message box
    // when the window is shown.
    void reportProblem(const QString &message);
    // A passing message in the status line.
    void showMessage(const QString &message);

    QString statusText() const;
    QString messageText() const;

private:
    // A capture device error, as a window-modal alert with "OK".
    void presentCaptureError(const CaptureDevice::Error &error);
    void updateCameraStatus();
    void syncCameraModeSettings();

    CameraProvider currentCamera_;
    QPointer<QMainWindow> window_;
    QStackedWidget *stack_ = nullptr;
    QWidget *captureViewContainer_ = nullptr;
    QLabel *placeholder_ = nullptr;
    QLabel *status_ = nullptr;
    QLabel *message_ = nullptr;
    QTimer *statusTimer_ = nullptr;
    QTimer *messageTimer_ = nullptr;
    std::unique_ptr<LumoCaptureViewController> captureController_;
    uint32_t lastFrameCount_ = 0;
    double framesPerSecond_ = 0;
    QString problem_;
    bool problemShown_ = false;
    int mode_ = CameraMode;
};
