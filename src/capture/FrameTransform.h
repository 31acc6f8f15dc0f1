#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

// Digital zoom and mirroring of live frames.
//
// Zoom scales the frame by the factor and keeps the centre at the output size: the part of the
// frame that stays visible is the centred rectangle of output size / zoom, scaled up to the
// output size. Mirroring follows zoom, so a mirrored zoom mirrors the zoomed centre. Both flips
// together turn the picture by 180 degrees.
//
// Thread: the frame thread; an instance keeps scratch buffers from one frame to the next, so use
// one instance per frame thread.
class FrameTransform {
public:
    struct Settings {
        float zoom = 1.0f;     // above 1.0 zooms in
        bool hFlipped = false; // left-right
        bool vFlipped = false; // top-bottom
        QSize outputSize;      // the requested frame size, also the size of the zoom crop
    };

    // The part of a `frame`-sized picture that a zoom by `zoom` keeps at `output` size, in frame
    // pixels (clipped to the frame).
    static QRectF zoomSourceRect(const QSize &frame, const QSize &output, float zoom);

    // Replaces `frame` by the transformed frame; leaves it untouched when there is nothing to do.
    void apply(QImage &frame, const Settings &settings);

private:
    QImage zoomed_;
    QImage mirrored_;
};
