#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

// The video device of one camera, as the capture pipeline uses it: open it, ask for a frame size,
// run and stop the stream, and receive every frame.
//
// Threads: every method is called on the main thread. Frames arrive on a frame thread that the
// device owns; the frame callback runs there and may replace the frame in place (the pipeline
// applies zoom and mirroring that way). stopRunning() and close() return only after the frame
// thread has left the callback, so the callback's captures stay valid until then.
class CaptureDevice {
public:
    struct Error {
        QString description;        // alert title, e.g. "The camera could not be opened."
        QString recoverySuggestion; // alert message: what the user can do about it
    };
    using FrameCallback = std::function<void(QImage &frame)>;
    // A stream that ended by itself: the camera was unplugged or failed. Called once, on the
    // frame thread (or on the main thread when a restart for a new frame size fails); no frames
    // follow and isRunning() is false until the stream is started again.
    using ErrorCallback = std::function<void(const Error &error)>;

    virtual ~CaptureDevice() = default;

    virtual bool open(Error *error) = 0;
    virtual void close() = 0;

    // The size frames are delivered in. Applied to a running stream at once (the device may
    // restart its stream for it); a size the camera lacks is produced by scaling.
    virtual void setFrameSize(const QSize &size) = 0;
    virtual QSize frameSize() const = 0;

    virtual bool startRunning(Error *error) = 0;
    virtual void stopRunning() = 0;
    virtual bool isRunning() const = 0;

    void setFrameCallback(FrameCallback callback) { frameCallback_ = std::move(callback); }
    void setErrorCallback(ErrorCallback callback) { errorCallback_ = std::move(callback); }

protected:
    // For implementations, on the frame thread.
    void deliverFrame(QImage &frame)
    {
        if (frameCallback_)
            frameCallback_(frame);
    }
    void reportError(const Error &error)
    {
        if (errorCallback_)
            errorCallback_(error);
    }

private:
    FrameCallback frameCallback_;
    ErrorCallback errorCallback_;
};

// Looks capture devices up by the unique id of their camera ("0x%x%04x%04x" of location, vendor
// and product; see LumoCamera::captureDeviceLocationId). Main thread.
class CaptureBackend {
public:
    virtual ~CaptureBackend() = default;
    virtual std::unique_ptr<CaptureDevice> deviceWithUniqueID(const QString &uniqueId) = 0;
};
