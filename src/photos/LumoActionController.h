#pragma once

#include "PhotoWriter.h"
#include "capture/LiveFrame.h"
#include "device/LumoCamera.h"

#include <QImage>
#include <QObject>
#include <QString>

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
// Threads: main thread, except captureViewWillDisplayImage(), which the capture pipeline calls
// on its frame thread. Photos are written on the writer's save threads; the destructor waits for
// them, so quitting loses no photo.
class LumoActionController : public QObject {
    Q_OBJECT
public:
    enum ProgrammableKeyFunction { FocusAgain = 0, ZoomStep = 1, ExposureStep = 2, Mirror = 3 };

    // Answers the current camera, or null: the camera that focuses again, takes the exposure
    // step and names the model in a photo's metadata.
    using CameraProvider = std::function<CameraPtr()>;

    LumoActionController(UserDefaults *defaults, CameraProvider currentCamera, PhotoWriter::Clock clock = {},
                         QObject *parent = nullptr);
    ~LumoActionController() override;

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

    // Takes a photo of the current frame now.
    void snapshot();
    // One second of the countdown.
    void timerToSnapshot();

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

private:
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
    bool verticalFlipped_ = false;
    bool horizontalFlipped_ = false;
    bool shouldUseCustPrefix_ = false;
    QString custPrefix_;
    QString baseDir_;
    int count_ = 0;
    QTimer *snapshotTimer_ = nullptr;
    bool isAutoFocus_ = false;

    mutable std::mutex imageMutex_;
    LiveFrame currentFrame_;
};
