#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// One frame as a device delivers it: the camera's own payload (MJPEG or YUYV), or a picture for
// a device that has one already. The payload's bytes are valid during the frame callback only.
struct FramePayload {
    enum class Format { Mjpeg, Yuyv, Rgb32 };
    Format format = Format::Rgb32;
    const uint8_t *data = nullptr; // Mjpeg, Yuyv
    size_t length = 0;
    QSize size;           // Yuyv: the stream's frame size (a JPEG carries its own)
    int bytesPerLine = 0; // Yuyv
    QImage image;         // Rgb32
    QSize outputSize;     // the frame size the device was asked for; other sizes are scaled to it
};

// The video device of one camera, as the capture pipeline uses it: open it, ask for a frame size,
// run and stop the stream, and receive every frame.
//
// Threads: every method is called on the main thread. Frames arrive on a frame thread ("frames")
// that the device owns; the frame callback runs there and decodes the payload it is given
// (LiveFrameDecoder), so real and virtual cameras share one decoding path. stopRunning() and
// close() return only after the frame thread has left the callback, so the callback's captures
// stay valid until then.
class CaptureDevice {
public:
    struct Error {
        QString description;        // alert title, e.g. "The camera could not be opened."
        QString recoverySuggestion; // alert message: what the user can do about it
    };
    using FrameCallback = std::function<void(const FramePayload &payload)>;
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
    void deliverFrame(const FramePayload &payload)
    {
        if (frameCallback_)
            frameCallback_(payload);
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
