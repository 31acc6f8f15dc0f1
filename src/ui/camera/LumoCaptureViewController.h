#pragma once

#include "capture/CaptureDevice.h"
#include "capture/LiveFrameDecoder.h"
#include "capture/PictureFreeze.h"
#include "device/LumoCamera.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class CaptureView;
class QTimer;
class QWidget;
struct Notification;

// Runs the live picture of the current camera: opens its video device, shows the frames in a
// capture view inside the window's container, gives every frame the digital zoom and mirroring
// to show it with and publishes each shown frame (a LiveFrame) as "LumoWillDisplayImage". It
// follows the current camera (stops on "LumoCameraWillChange", starts on "LumoCameraDidChange"),
// and a watchdog re-applies the resolution while the stream is stalled.
//
// A frozen picture (setFrozen) shows the frame held at that moment while the stream runs on:
// every frame the camera sends still counts, times the picture and is published, but as the
// held frame with the zoom and mirroring of the moment, so the watchdog sees a running stream
// and a snapshot saves the held frame. Stopping the stream (camera change, unplug) lets go.
//
// Each published frame carries the time it was shown and, once the camera's settings have set
// the resolution, the frame size they ask for; until then a new camera streams at whatever size
// the last one had. A snapshot takes only a frame that is recent and of that size.
//
// Threads: everything runs on the main thread except the frame callback, which runs on the
// device's frame thread; zoom, flips and resolution are atomics it reads per frame.
class LumoCaptureViewController : public QObject {
    Q_OBJECT
public:
    using ErrorPresenter = std::function<void(const CaptureDevice::Error &)>;
    // Answers the current camera, or null; asked afresh on every start and resolution change.
    using CameraProvider = std::function<CameraPtr()>;

    LumoCaptureViewController(CaptureBackend *backend, CameraProvider currentCamera,
                              QObject *parent = nullptr);
    ~LumoCaptureViewController() override;

    void setCaptureViewContainer(QWidget *container);
    QWidget *captureViewContainer() const { return container_; }
    CaptureView *captureView() const;

    // How device errors reach the user (the window that holds the picture shows them); without
    // one they are only logged.
    void setErrorPresenter(ErrorPresenter presenter) { presentError_ = std::move(presenter); }

    // The clock that times the frames; the steady clock unless a test sets another.
    void setClock(LiveFrame::Clock clock) { clock_ = std::move(clock); }

    void start();
    void stop();
    // A paused stream withdraws its last frame: it is not the page under the camera any more.
    void pause();
    void resume();
    void restart();
    bool isRunning() const;
    // A snapshot waits for a frame: a paused stream runs until it is no longer wanted.
    void setFramesWanted(bool wanted);
    // Every frame is also wanted at full size (a recording runs): see LiveFrameDecoder.
    void setWholeFramesKept(bool kept) { decoder_.setWholePictureKept(kept); }

    // The size the camera's settings ask for: frames are of it from now on.
    void setResolution(const QSize &size);
    QSize resolution() const;
    float zoom() const { return zoom_; }
    // A zoom change keeps the pan centre inside the frame; no zoom puts it back in the middle.
    void setZoom(float zoom);
    // The centre of the zoomed part, in fractions of the frame (FrameTransform::Settings::pan).
    // Kept inside the frame at the zoom of the moment; a camera change centres it again.
    QPointF pan() const;
    void setPan(const QPointF &pan);
    bool hFlipped() const { return hFlipped_; }
    void setHFlipped(bool on) { hFlipped_ = on; }
    bool vFlipped() const { return vFlipped_; }
    void setVFlipped(bool on) { vFlipped_ = on; }
    // Clockwise quarter turns of the picture, 0 to 3 (others are taken modulo 4).
    int quarterTurns() const { return quarterTurns_; }
    void setQuarterTurns(int turns);

    // Holds the picture shown now still (true), or lets it go. Freezing fails (and answers
    // false) while no picture is shown.
    bool setFrozen(bool frozen);
    bool isFrozen() const { return freeze_.isFrozen(); }
    PictureFreeze *pictureFreeze() { return &freeze_; }

    // Frames shown so far (wraps), and the size of the latest one as shown.
    uint32_t frameCount() const { return frameCount_; }
    QSize lastFrameSize() const;

    void watchdogProc();
    bool watchdogArmed() const;

    // Whether the running stream has sent nothing for more than a second (since it started or
    // since its last frame); a stalled picture says so over itself until the next frame.
    bool checkStall();

signals:
    // The first frame of a stream that started or resumed is on its way to the screen. Emitted
    // on the frame thread.
    void firstFrameShown();
    // The chosen frame size or the picture's turn changed: the picture, of `size` as shown, may
    // have another shape.
    void resolutionChanged(const QSize &size);

private:
    void deviceWillChange(const Notification &);
    void deviceDidChange(const Notification &);
    // Frame thread.
    void willDisplayImage(const FramePayload &payload);
    void presentError(const CaptureDevice::Error &error);
    CameraPtr currentCamera() const;
    void applyFrameSize(const QSize &size);
    void runStream();
    // Stops the stream and withdraws the frame it showed last.
    void haltStream();
    int64_t now() const;

    CaptureBackend *backend_;
    CameraProvider currentCamera_;
    std::unique_ptr<CaptureDevice> device_;
    QPointer<QWidget> container_;
    QPointer<CaptureView> captureView_;
    // The same view for the frame thread: set before the stream starts, cleared after it
    // stopped and before the view goes.
    std::atomic<CaptureView *> frameView_{nullptr};
    QTimer *watchdogTimer_ = nullptr;
    ErrorPresenter presentError_;

    std::atomic<bool> hFlipped_{false};
    std::atomic<bool> vFlipped_{false};
    std::atomic<int> quarterTurns_{0};
    std::atomic<float> zoom_{1.0f};
    std::atomic<uint64_t> pan_{0};     // two floats, x in the low half
    std::atomic<uint32_t> resolution_; // width << 16 | height
    std::atomic<uint32_t> frameCount_{0};
    uint32_t watchedFrameCount_ = 0;
    std::atomic<uint32_t> lastFrameSize_{0};
    LiveFrame::Clock clock_ = LiveFrame::steadyNow;
    // The resolution was set by the camera's settings since the camera became current.
    std::atomic<bool> sizeSettled_{false};
    // When the stream started or resumed, and when it showed its last frame (clock ticks).
    std::atomic<int64_t> streamStartedAt_{0};
    std::atomic<int64_t> lastFrameAt_{0};
    std::atomic<bool> awaitingFirstFrame_{false};
    bool paused_ = false;
    bool framesWanted_ = false;

    LiveFrameDecoder decoder_; // used on the frame thread only
    PictureFreeze freeze_;
};
