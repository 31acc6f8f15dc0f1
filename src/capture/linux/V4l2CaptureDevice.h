#pragma once

#include "V4l2CaptureMode.h"
#include "V4l2Io.h"
#include "capture/CaptureDevice.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>
#include <vector>

// The video node of a real camera, streamed through V4L2 with mmap buffers. The camera's own
// mode nearest to the requested frame size is streamed (chooseCaptureMode()); its MJPEG or YUYV
// payloads are delivered as they are, straight from the mapped buffers, with the requested size
// for the decoder to scale to when the camera lacks it.
//
// Threads: the CaptureDevice methods run on the main thread. The frame thread ("frames"),
// started by startRunning() and joined by stopRunning(), polls the node, dequeues and delivers
// frames, and reports a device that fails or goes away (the stream then ends by itself and
// isRunning() turns false).
class V4l2CaptureDevice : public CaptureDevice {
    Q_DECLARE_TR_FUNCTIONS(V4l2CaptureDevice)
public:
    static constexpr int BufferCount = 4;
    // How long the frame thread waits on the node before looking at a stop request again.
    static constexpr int PollIntervalMs = 50;

    explicit V4l2CaptureDevice(const QString &node, V4l2Io &io = V4l2Io::system());
    ~V4l2CaptureDevice() override;

    bool open(Error *error) override;
    void close() override;

    // Restarts a running stream, in the mode for the new size; a failed restart is reported
    // through the error callback (on the main thread). The same size restarts it too, which is
    // how a stalled stream is kicked.
    void setFrameSize(const QSize &size) override;
    QSize frameSize() const override { return frameSize_; }

    bool startRunning(Error *error) override;
    void stopRunning() override;
    bool isRunning() const override { return streaming_; }

    QString node() const { return node_; }
    // The mode the driver granted to the current stream (none when stopped).
    V4l2CaptureMode streamMode() const { return mode_; }

private:
    struct MappedBuffer {
        void *start = nullptr;
        size_t length = 0;
    };

    bool startStream(Error *error);
    void stopStream();
    void releaseBuffers();
    void runFrameLoop();
    void failStream(int errorNumber);
    Error systemError(const QString &description, const QString &suggestion, int errorNumber) const;

    const QString node_;
    V4l2Io &io_;
    int fd_ = -1;
    QSize frameSize_{640, 480};

    // Set up by startStream() before the frame thread starts, read-only while it runs.
    V4l2CaptureMode mode_;
    QSize outputSize_;
    int bytesPerLine_ = 0;
    std::vector<MappedBuffer> buffers_;

    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> streaming_{false};
};
