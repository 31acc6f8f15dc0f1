#pragma once

#include "FrameTransform.h"

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QRect>
#include <QSize>

#include <chrono>
#include <functional>
#include <memory>

// One live frame as it is shown: the decoded pixels, the zoom, mirroring and turn to show them with,
// and, when only part of the frame or a reduced size was decoded, the camera's JPEG to decode it
// whole from. Transforms are mostly not applied to the pixels: the view paints the visible part
// with the mirroring, and render() makes the transformed picture only when a snapshot takes it.
// A whole frame shown at another size may instead carry its picture ready to paint (isPresented()):
// already scaled to the view's size and mirrored, from a quicker, approximate decode;
// photos are still decoded accurately from the JPEG.
//
// A value type that shares its data; immutable (but for the picture render() keeps), so any
// thread may read it.
class LiveFrame {
public:
    using Transform = FrameTransform::Settings;
    // Frames are timed on the monotonic clock; the pipeline and the snapshot controller take the
    // clock as a function, so tests can set the time.
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;
    static TimePoint steadyNow() { return std::chrono::steady_clock::now(); }

    LiveFrame() = default;
    // A frame decoded whole: `picture` is the full frame.
    LiveFrame(const QImage &picture, const Transform &transform);
    // A frame decoded in part: `picture` shows `region` of a `frameSize` frame, reduced by
    // `denominator`; `jpeg` is the whole frame.
    LiveFrame(const QImage &picture, const QRect &region, int denominator, const QSize &frameSize,
              const QByteArray &jpeg, const Transform &transform);
    // How the picture relates to the frame's pixels.
    enum class Picture {
        Exact,     // the decoded pixels themselves
        Presented, // the visible part scaled to the view and mirrored, from the fast DCT: a step
                   // or two off, never used for a photo
    };
    LiveFrame(const QImage &picture, const QRect &region, int denominator, const QSize &frameSize,
              const QByteArray &jpeg, const Transform &transform, Picture kind);

    bool isNull() const { return !d_; }
    QSize frameSize() const;
    Transform transform() const;
    QImage picture() const;
    QRect pictureRegion() const;
    int denominator() const;
    QByteArray jpeg() const;
    // The picture is the visible part already scaled to the view and mirrored: it is painted as
    // it is, while its size matches the view's.
    bool isPresented() const;

    // The size of the shown picture: the output size when zoomed, the frame's size otherwise,
    // turned as the transform turns it.
    QSize shownSize() const;
    // The part of the frame the zoom shows, in frame pixels.
    QRect visibleRect() const;
    // The visible part in picture pixels (the whole picture when it is presented).
    QRect visiblePictureRect() const;

    // The whole frame at full size, decoded from the JPEG when the picture is not that. Null
    // when the JPEG does not decode.
    QImage fullFrame() const;
    // The picture as shown, at full resolution: zoom and mirroring applied to fullFrame().
    // Made on the first call and kept with the frame for the next.
    QImage render() const;

    // The same frame with the time it was shown and the frame size the camera's settings ask
    // for (empty while a new camera's settings are not applied to the stream yet).
    LiveFrame stamped(TimePoint shownAt, const QSize &requestedSize) const;
    TimePoint shownAt() const { return shownAt_; }
    QSize requestedSize() const { return requestedSize_; }
    // The frame is of the size the settings ask for, so a photo of it has the chosen resolution.
    bool hasRequestedSize() const
    {
        return !isNull() && !requestedSize_.isEmpty() && frameSize() == requestedSize_;
    }

    bool operator==(const LiveFrame &other) const { return d_ == other.d_; }
    bool operator!=(const LiveFrame &other) const { return d_ != other.d_; }

private:
    struct Data;
    std::shared_ptr<const Data> d_;
    TimePoint shownAt_;
    QSize requestedSize_;
};

Q_DECLARE_METATYPE(LiveFrame)
