#pragma once

#include "PhotoWriter.h"
#include "capture/LiveFrame.h"
#include "device/LumoCamera.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class CameraSounds;
class QTimer;
class UserDefaults;
struct Notification;

// Turns the camera's buttons and the self-timer into photos: keeps the newest displayed frame,
// runs the countdown, plays the camera sounds, carries out the programmable button's function
// and saves photos through a PhotoWriter, announcing each step on the notification bus.
//
// A photo is of the page under the camera now, at the resolution the settings ask for: it takes
// the newest frame only if that was shown less than a second ago and has that size. Otherwise
// the snapshot waits for such a frame (a paused picture runs for it; a new camera's first frames
// come before its settings set the resolution) and is refused with a message saying why when
// none comes in time.
//
// Threads: main thread, except captureViewWillDisplayImage(), which the capture pipeline calls
// on its frame thread. Photos are written on the writer's save threads; the destructor waits for
// them, so quitting loses no photo.
class LumoActionController : public QObject {
    Q_OBJECT
public:
    enum ProgrammableKeyFunction {
        FocusAgain = 0,
        ZoomStep = 1,
        ExposureStep = 2,
        Mirror = 3,
        Freeze = 4,
        Record = 5,
    };

    // Answers the current camera, or null: the camera that focuses again, takes the exposure
    // step and names the model in a photo's metadata.
    using CameraProvider = std::function<CameraPtr()>;

    LumoActionController(UserDefaults *defaults, CameraProvider currentCamera, PhotoWriter::Clock clock = {},
                         QObject *parent = nullptr);
    ~LumoActionController() override;

    // The clock the frames' times are compared with; the steady clock unless a test sets another.
    void setFrameClock(LiveFrame::Clock clock) { frameClock_ = std::move(clock); }
    // Makes the photo to save of a frame's rendered picture (the drawing over it, when the user
    // wants it there). Main thread.
    using PhotoDecorator = std::function<QImage(const QImage &picture, const LiveFrame &frame)>;
    void setPhotoDecorator(PhotoDecorator decorator) { decorate_ = std::move(decorator); }
    // How long a snapshot waits for a frame it can take before it is refused.
    void setFrameWait(int ms) { frameWaitMs_ = ms; }

    void loadDefaults();

    // Camera buttons and focus.
    void velmarDidSnapshot(const Notification &);
    void velmarDidBeginFocus(const Notification &);
    void velmarDidEndFocus(const Notification &);
    void velmarWillBeginAutoFocus(const Notification &);
    void velmarDidSetToSingleFocus(const Notification &);
    void velmarDidSetToContinueFocus(const Notification &);
    void velmarDidPressCustomButton(const Notification &);

    // Preferences.
    void photoLibraryLocationDidChange(const Notification &);
    void photoNameFormatSelDidChange(const Notification &);
    void focusSoundEffectDidChange(const Notification &);
    void snapshotSoundEffectDidChange(const Notification &);
    void programKeyFunctionDidChange(const Notification &);

    // Frame thread: keeps the frame as the one a snapshot saves.
    void captureViewWillDisplayImage(const Notification &);

    // Takes a photo of the current frame, or of the first suitable frame to come.
    void snapshot();
    // One second of the countdown.
    void timerToSnapshot();
    // Ends a running countdown without a photo.
    void cancelCountdown();
    // Snapshots waiting for a frame, and a wait for them to end (quitting: they have at most the
    // frame wait left).
    int pendingSnapshots() const { return pendingSnapshots_; }
    void finishPendingSnapshots();

    // The newest frame, as shown; the picture a snapshot saves is its render(), at the full
    // resolution of the stream.
    LiveFrame currentFrame() const;
    void setCurrentFrame(const LiveFrame &frame);
    QImage currentImage() const;
    void setCurrentImage(const QImage &image);
    int count() const { return count_; }
    bool countdownRunning() const;
    int timerValue() const { return timerValue_; }
    float zoomFactor() const { return zoomFactor_; }
    int16_t exposure() const { return exposure_; }
    bool isAutoFocus() const { return isAutoFocus_; }

    CameraSounds *sounds() const { return sounds_; }
    PhotoWriter &photoWriter() { return *writer_; }
    // Blocks until every photo started so far is written.
    void waitForSaves();

signals:
    // The programmable button asks to hold the picture still, or to let it go.
    void freezeToggleRequested();
    // The programmable button asks to start a recording, or to stop the one running.
    void recordingToggleRequested();
    // A snapshot waits for a frame (true), or has its frame or gave up (false).
    void framesWanted(bool wanted);
    // No snapshot waits for a frame any more.
    void pendingSnapshotsEnded();

private:
    enum class FrameProblem { None, Missing, Stale, OtherSize };
    // Any thread.
    FrameProblem problemWith(const LiveFrame &frame) const;
    // Main thread: the snapshots waiting get the current frame if it suits them.
    bool takePendingSnapshots();
    void failPendingSnapshots(const QString &message);
    void endFrameWait();
    void save(const LiveFrame &frame);
    void refuse(const QString &message, int snapshots);
    void addDeviceCacheObservers();
    void applyPhotoSettings();
    void photoDidSave(const PhotoResult &result);
    CameraPtr currentCamera() const;

    UserDefaults *defaults_;
    CameraProvider currentCamera_;
    CameraSounds *sounds_;
    std::unique_ptr<PhotoWriter> writer_;

    bool shouldPlayShutterSound_ = true;
    bool shouldPlayFocusSound_ = true;
    int programmableKeyFunc_ = FocusAgain;
    int16_t exposure_ = 0;
    float zoomFactor_ = 1.0f;
    int timerValue_ = 0;
    bool shouldUseCustPrefix_ = false;
    QString custPrefix_;
    QString baseDir_;
    int count_ = 0;
    QTimer *snapshotTimer_ = nullptr;
    bool isAutoFocus_ = false;

    mutable std::mutex imageMutex_;
    LiveFrame currentFrame_;
    LiveFrame::Clock frameClock_ = LiveFrame::steadyNow;
    PhotoDecorator decorate_;

    int pendingSnapshots_ = 0;
    int frameWaitMs_;
    QTimer *frameWaitTimer_ = nullptr;
    bool framesWanted_ = false;
    // Read on the frame thread: a snapshot waits, and its completion is already queued.
    std::atomic<bool> waiting_{false};
    std::atomic<bool> completionQueued_{false};
};
