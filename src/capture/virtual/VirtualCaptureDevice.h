#pragma once

#include "capture/CaptureDevice.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class VirtualCamera;

// The video of a virtual camera: a synthetic page (SyntheticPage) at the requested size, at the
// rate the camera's frame table gives for it, sped up with the application's time scale. It
// sends what a real camera sends: MJPEG above 640 x 480, YUYV up to that size, so the frames
// take the same decoding path as a real camera's. A stalled camera sends nothing; an unplugged
// one ends the stream with "The camera was disconnected."
//
// Threads: the CaptureDevice methods run on the main thread. The camera's side, painting and
// encoding ("vcam-frames"), fills one buffer while the frame thread ("frames") delivers
// another, as a camera fills its buffers while the driver hands out full ones; a frame that
// was not taken in time is replaced by the next. Both start with startRunning() and are joined
// by stopRunning().
class VirtualCaptureDevice : public CaptureDevice {
    Q_DECLARE_TR_FUNCTIONS(VirtualCaptureDevice)
public:
    // However fast the time scale, frames come no closer together than this, so that a test run
    // with a tiny scale does not spend a whole core painting pages.
    static constexpr std::chrono::microseconds MinFrameInterval{5000};

    explicit VirtualCaptureDevice(std::shared_ptr<VirtualCamera> camera);
    ~VirtualCaptureDevice() override;

    bool open(Error *error) override;
    void close() override;

    // Takes effect from the next frame; the stream keeps running.
    void setFrameSize(const QSize &size) override;
    QSize frameSize() const override;

    bool startRunning(Error *error) override;
    void stopRunning() override;
    bool isRunning() const override { return streaming_; }

    // The camera's rate for frames of `size`: 30 per second up to 640 x 480, 15 above.
    static int framesPerSecond(const QSize &size);
    // Whether frames of `size` are sent as MJPEG (above 640 x 480) rather than YUYV.
    static bool sendsMjpeg(const QSize &size);
    // The time between two frames of `size`, under the current time scale.
    static std::chrono::microseconds frameInterval(const QSize &size);

private:
    struct Buffer {
        // Left uninitialised: only the bytes a frame fills are ever touched (and resident).
        std::unique_ptr<uint8_t[]> bytes;
        size_t capacity = 0;
        size_t length = 0;
        FramePayload::Format format = FramePayload::Format::Yuyv;
        QSize size;
    };

    void runCameraLoop();
    void runFrameLoop();
    Error disconnectedError() const;

    const std::shared_ptr<VirtualCamera> camera_;
    bool open_ = false;

    mutable std::mutex mutex_; // guards frameSize_, stopRequested_, ready_ and readyFilled_
    std::condition_variable wake_;
    std::condition_variable frameReady_;
    QSize frameSize_{640, 480};
    bool stopRequested_ = false;
    // The newest full buffer, waiting for the frame thread; each thread owns one more.
    Buffer ready_;
    bool readyFilled_ = false;

    // The page goes on moving while the stream is stopped, as the world under a real camera
    // does: a stream started again shows the frame of now, not the one after the last it sent.
    // The camera's side keeps them; the main thread starts it only after joining it.
    uint64_t nextFrameNumber_ = 0;
    std::chrono::steady_clock::time_point stoppedAt_;

    std::atomic<bool> streaming_{false};
    std::thread cameraThread_;
    std::thread frameThread_;
};
