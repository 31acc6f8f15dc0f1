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
// rate the camera's frame table gives for it, sped up with the application's time scale. A
// stalled camera sends nothing; an unplugged one ends the stream with "The camera was
// disconnected."
//
// Threads: the CaptureDevice methods run on the main thread; frames are painted and delivered on
// a frame thread, started by startRunning() and joined by stopRunning().
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
    // The time between two frames of `size`, under the current time scale.
    static std::chrono::microseconds frameInterval(const QSize &size);

private:
    void runFrameLoop();
    Error disconnectedError() const;

    const std::shared_ptr<VirtualCamera> camera_;
    bool open_ = false;

    mutable std::mutex mutex_; // guards frameSize_ and stopRequested_
    std::condition_variable wake_;
    QSize frameSize_{640, 480};
    bool stopRequested_ = false;

    std::atomic<bool> streaming_{false};
    std::thread thread_;
};
