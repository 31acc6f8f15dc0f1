#pragma once

#include "LumoWindowController.h"
#include "capture/CaptureDevice.h"
#include "device/LumoCamera.h"
#include "ui/windows/LumoWindow.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class CaptureBackend;
class DrawingController;
class LumoAttachController;
class LumoCameraView;
class LumoFullWindow;
class LumoPreviewImageView;
class LumoCameraModeControls;
class LumoCaptureViewController;
class LumoElidedLabel;
class LumoMainWindow;
class LumoReviewController;
class QAction;
class QActionGroup;
class QLabel;
class QMainWindow;
class QToolBar;
class ToolbarFit;
class QStackedWidget;
class QTimer;
class QWidget;
struct Notification;

// The main window, in one of three modes: camera (the live picture, the camera toolbar and the
// status line), project (the live picture full screen) and review (the photo library).
//
//   +------------------------------------------------+
//   | menu bar                                       |
//   +------------------------------------------------+
//   | [camera][project][review] | mode's controls    |
//   +------------------------------------------------+
//   |                                                |
//   |   camera mode: the camera view container       |
//   |   (the live picture, or what is missing)       |
//   |   review mode: the album                       |
//   |                                                |
//   +------------------------------------------------+
//   | messages                 camera · size · fps   |  camera mode only
//   +------------------------------------------------+
//
// It owns the capture pipeline, follows camera changes (the setting cache re-applies the saved
// settings), sizes the window so that the picture keeps 4:3, and takes a snapshot on Return.
// The window's keys arrive as delegate operations. Main thread.
class LumoMainWindowController : public LumoWindowController, private LumoWindowDelegate {
    Q_OBJECT
public:
    // NoMode only before the first setMode().
    enum Mode { CameraMode = 0, ProjectMode = 1, ReviewMode = 2, NoMode = 3 };

    // Answers the current camera, or null; handed on to the capture pipeline.
    using CameraProvider = std::function<CameraPtr()>;

    LumoMainWindowController(CaptureBackend *captureBackend, CameraProvider currentCamera,
                             QObject *parent = nullptr);
    ~LumoMainWindowController() override;

    QMainWindow *window() const;
    // The three modes as one exclusive group of checkable actions (Ctrl+1, Ctrl+2, Ctrl+3), for
    // the Mode menu and the toolbars' mode buttons.
    QList<QAction *> modeActions() const;
    // Takes a photo, as Return does (camera and project mode only); for the File menu.
    QAction *takePhotoAction() const { return takePhotoAction_; }
    QToolBar *cameraModeToolbar() const { return cameraModeToolbar_; }
    QToolBar *reviewModeToolbar() const { return reviewModeToolbar_; }
    QWidget *captureViewContainer() const { return captureViewContainer_; }
    LumoCaptureViewController *captureController() const { return captureController_.get(); }
    // The drawing over the picture, in camera and project mode.
    DrawingController *drawing() const { return drawing_; }
    // Review mode: the photo list, the album and the photo operations.
    LumoReviewController *reviewController() const { return review_; }

    void showWindow();
    // The window's place and size from the last run, kept on the screens there are now (a
    // damaged record is ignored), and stored for the next one.
    void restoreWindowFrame();
    void saveWindowFrame() const;
    // The mode state machine: camera mode resumes the picture, review mode pauses it, project
    // mode passes through camera mode and then goes full screen. The same mode again changes
    // nothing; a value that is no mode is only stored.
    void setMode(int mode);
    int mode() const { return mode_; }
    // The main window was double-clicked: camera mode goes full screen.
    void doubleClickMainWindow();
    // C and the Edit menu's Copy: in review mode, the selected photo goes to the clipboard.
    void copyPhoto() override;

    // "LumoCameraDidChange": shows the new camera and has its saved settings applied.
    void velmarCameraDidChange(const Notification &notification);
    // "LumoFileDidCreateNotification": a photo was saved.
    void fileDidCreate(const Notification &notification);
    // "LumoInstantPreviewDidChangeNotification": how long a new photo is shown.
    void instantPreviewDidChange(const Notification &notification);
    // "LumoPhotoLibraryLocationDidChangeNotification": the folder the photos are in.
    void photoLibraryLocationDidChange(const Notification &notification);

    // 0: off, 1: 2 seconds, 2: 4 seconds; other values change nothing.
    void setInstantPreview(int value);
    int instantPreviewSeconds() const { return instantPreviewSeconds_; }
    QString baseDir() const { return baseDir_; }
    // The camera toolbar's controls.
    LumoCameraModeControls *cameraControls() const { return cameraControls_; }
    // Disables (true) or enables the camera controls and the mode switcher, as while the
    // self-timer counts down.
    void lockToolbar(bool lock);

    // --- Project mode and the feedback over the picture ---------------------------------
    // The floating controls over the picture; made once, before the first mode is set.
    void initAttachController();
    LumoAttachController *attachController() const { return attachController_.get(); }
    // The camera view (the picture and its floaters) moves into a window that covers the main
    // window's screen, and the main window hides. Nothing happens when that window exists.
    void enterFullScreenMode();
    // The camera view comes back into the main window, shown again with a picture 800 wide.
    // Nothing happens when there is no full-screen window.
    void exitFullScreenMode();
    QWidget *fullWindow() const;
    QWidget *cameraView() const;
    LumoPreviewImageView *previewImageView() const { return previewImageView_; }
    // Escape, a double click or the close button: back to camera mode, if full screen.
    void appEscapeFromFullScreen();
    // "LumoAppWillSnapshotNotification": the picture goes black for a moment, then shows the
    // photo for the instant-preview time, then the live picture returns.
    void appWillSnapshot(const Notification &notification);
    // The focus cross: red while a focus the user started runs, green when it ends, gone two
    // seconds later. Automatic focus runs leave it alone.
    void captureFocusWillBegin(const Notification &notification);
    void captureFocusWillEnd(const Notification &notification);
    void captureFocusDidSetSingle(const Notification &notification);
    void captureFocusDidSetContinous(const Notification &notification);
    void velmarWillBeginAutoFocus(const Notification &notification);
    bool isAutoFocus() const { return isAutoFocus_; }
    // The self-timer: the controls of both windows are locked from its start to its end or
    // cancellation, and the seconds left show over the picture.
    void captureFocusDidTriggleTimer(const Notification &notification);
    void captureFocusWillUpdateTimer(const Notification &notification);
    void captureFocusDidInvalidateTimer(const Notification &notification);
    // Has the current camera focus one second from now; any thread. Requests within that
    // second make one focus run.
    void doAutoFocusInMainThread();
    void doAutoFocus();

signals:
    // Escape, a way out of full screen or a click on the countdown while the self-timer runs.
    void countdownCancelRequested();

public:
    // Tells the user about a lasting problem: in the status line, and once in a message box
    // when the window is shown.
    void reportProblem(const QString &message);
    // A passing message in the status line.
    void showMessage(const QString &message);

    QString statusText() const;
    QString messageText() const;

private:
    // Window keys (LumoWindowDelegate).
    void enter() override;
    void zoomIn() override;
    void zoomOut() override;
    void toggleControl() override;

    // Project mode and feedback (LumoMainWindowFullScreen.cpp).
    void setUpFullScreen();
    void tearDownFullScreen();
    void showFloaters(bool visible);
    // The new camera's focus mode shows on the snapshot button; a camera in single focus is
    // focused once.
    void focusForNewCamera(const CameraPtr &camera);
    void timerToPreview();
    void timerToResume();
    // Review mode only: the album's selection and operations.
    void selectAll() override;
    void deleteSelection() override;
    void selectPrevious() override;
    void selectNext() override;

    void runCameraModeSequence();
    void runReviewModeSequence();
    void setupToolbar(int mode);
    // What surrounds the picture, measured as the window is now.
    struct Chrome {
        float titleBar = 0; // with the menu bar
        float toolbar = 0;
        float band = 0;    // under the picture
        QSize decorations; // the window manager's frame around the client area
    };
    Chrome chrome(int mode) const;
    void setScreenFrame(const QRectF &screenFrame, const QRect &available, const Chrome &chrome);
    // Resizes the window for a page after a mode change, so that the picture keeps its aspect
    // at the page's width, and sets the smallest window that keeps a 480 x 360 picture.
    void sizeWindowForMode(int mode);
    // The window's zoom: as tall as the screen allows with the picture in its aspect, moved left
    // where it would pass the screen's right edge.
    void zoomWindow();
    // The camera's frame size changed: a picture of another shape resizes the window (in camera
    // mode) and moves the full-screen floaters onto it.
    void followPictureShape(const QSize &frameSize);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void checkModeAction(int mode);
    QToolBar *makeToolbar(const QString &name);
    // A capture device error, as a window-modal alert with "OK".
    void presentCaptureError(const CaptureDevice::Error &error);
    void updateCameraStatus();

    CameraProvider currentCamera_;
    QPointer<LumoMainWindow> window_;
    QStackedWidget *pages_ = nullptr; // the camera view or the album
    QWidget *albumView_ = nullptr;
    LumoReviewController *review_ = nullptr;
    QStackedWidget *stack_ = nullptr; // the camera view: the picture or what is missing
    QActionGroup *modeGroup_ = nullptr;
    QAction *takePhotoAction_ = nullptr;
    QToolBar *cameraModeToolbar_ = nullptr;
    ToolbarFit *toolbarFit_ = nullptr;
    DrawingController *drawing_ = nullptr;
    QToolBar *reviewModeToolbar_ = nullptr;
    LumoCameraModeControls *cameraControls_ = nullptr;
    QWidget *captureViewContainer_ = nullptr;
    QLabel *placeholder_ = nullptr;
    QLabel *status_ = nullptr;
    LumoElidedLabel *message_ = nullptr;
    QTimer *statusTimer_ = nullptr;
    QTimer *messageTimer_ = nullptr;
    std::unique_ptr<LumoCaptureViewController> captureController_;
    uint32_t lastFrameCount_ = 0;
    double framesPerSecond_ = 0;
    QString problem_;
    bool problemShown_ = false;
    int mode_ = NoMode;
    // The shape (width : height) the window keeps the picture in: the chosen frame size's.
    QSizeF pictureAspect_{4, 3};
    int instantPreviewSeconds_ = 2;
    LumoCameraView *cameraView_ = nullptr;
    LumoPreviewImageView *previewImageView_ = nullptr;
    QPointer<LumoFullWindow> fullWindow_;
    std::unique_ptr<LumoAttachController> attachController_;
    QTimer *previewTimer_ = nullptr;
    QTimer *focusCrossTimer_ = nullptr;
    QTimer *autoFocusTimer_ = nullptr;
    QImage previewPhoto_;
    bool previewShowsPhoto_ = false;
    bool isAutoFocus_ = false;
    bool countingDown_ = false;
    QString baseDir_;
};
