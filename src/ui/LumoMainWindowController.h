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
    // "LumoInstantPreviewDidChangeNotification": how long a new photo is shown.
    void instantPreviewDidChange(const Notification &notification);
    // "LumoPhotoLibraryLocationDidChangeNotification": the folder the photos are in.
    void photoLibraryLocationDidChange(const Notification &notification);
    // "LumoCaptureViewWillUpdateExposureNotification": the camera button stepped the exposure.
    void captureViewWillUpdateExposure(const Notification &notification);
    // "LumoCaptureWillMirrorNotification": the camera button turns the picture left-right.
    void captureWillMirror(const Notification &notification);
    // "LumoCaptureWillDigitalZoomNotification": the camera button chose a zoom factor.
    void captureWillDigitalZoom(const Notification &notification);

    // 0: off, 1: 2 seconds, 2: 4 seconds; other values change nothing.
    void setInstantPreview(int value);
    int instantPreviewSeconds() const { return instantPreviewSeconds_; }
    QString baseDir() const { return baseDir_; }
    // The exposure step the camera button chose last (-2 to +2).
    int exposureStep() const { return exposureStep_; }

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
    // The setting cache restored or defaulted the camera-mode settings: the picture and the
    // snapshot controller follow them.
    void syncCameraModeSettings(const Notification &notification);
    // Applies a zoom factor to the picture and the setting cache, and announces it.
    void applyZoom(float factor);

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
    int instantPreviewSeconds_ = 2;
    QString baseDir_;
    int exposureStep_ = 0;
};
