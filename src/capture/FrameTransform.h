#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

// Digital zoom, mirroring and turning of live frames.
//
// Zoom scales the frame by the factor and keeps the output size: the part of the frame that stays
// visible is a rectangle of output size / zoom, scaled up to the output size. It lies around the
// pan centre (the frame's centre unless the user moved the zoomed part), always inside the frame. Mirroring follows zoom, so a mirrored zoom mirrors the zoomed centre. Both flips
// together turn the picture by 180 degrees. The turn by quarters (clockwise) comes last: it turns
// the picture as shown, so a turn by 90 or 270 degrees gives a picture of the output size with
// width and height swapped.
//
// Thread: the thread that owns the instance; it keeps scratch buffers from one call to the
// next. The static functions are free of state.
class FrameTransform {
public:
    struct Settings {
        float zoom = 1.0f;     // above 1.0 zooms in
        bool hFlipped = false; // left-right
        bool vFlipped = false; // top-bottom
        QSize outputSize;      // the requested frame size, also the size of the zoom crop
        int quarterTurns = 0;  // clockwise, 0 to 3
        // The centre of the zoomed part, as fractions of the frame's width and height (so it
        // stays on its page spot when the resolution changes); kept inside the frame on use.
        QPointF pan{0.5, 0.5};
    };

    // `size` turned by `quarterTurns` clockwise quarters: width and height swap on an odd count.
    static QSize turned(const QSize &size, int quarterTurns)
    {
        return quarterTurns % 2 ? size.transposed() : size;
    }
    // The size of the picture as shown: the output size when zoomed, the frame's otherwise, turned.
    static QSize shownSize(const QSize &frame, const Settings &settings)
    {
        return turned(zooms(settings) ? settings.outputSize : frame, settings.quarterTurns);
    }

    // The part of a `frame`-sized picture that a zoom by `zoom` keeps at `output` size, in frame
    // pixels, around the pan centre `pan` (clipped to the frame).
    static QRectF zoomSourceRect(const QSize &frame, const QSize &output, float zoom,
                                 const QPointF &pan = {0.5, 0.5});
    // `pan` moved the least so that the zoomed part around it lies inside the frame: the centre
    // when the zoomed part is as wide (or high) as the frame, or when nothing is zoomed.
    static QPointF clampedPan(const QSize &frame, const QSize &output, float zoom, const QPointF &pan);
    // The whole pixels that zoomSourceRect() touches: what apply() scales up. The whole frame
    // when there is no zoom.
    static QRect visibleRect(const QSize &frame, const Settings &settings);
    static bool zooms(const Settings &settings)
    {
        return settings.zoom > 1.0f && settings.outputSize.isValid();
    }

    // Scales `source` of `in` to the size of `out` and mirrors it as the flips say, through
    // `scratch` when it has to both scale and mirror. `out` must be an unshared 32-bit image;
    // `in` 32-bit. Up-scaling is bilinear, as apply() zooms; down-scaling averages (box).
    static bool scaleAndMirror(const QImage &in, const QRect &source, bool hFlipped, bool vFlipped,
                               QImage &out, QImage &scratch);

    // As scaleAndMirror(), then turns the result by `quarterTurns` clockwise quarters; `out` has
    // the turned size.
    static bool render(const QImage &in, const QRect &source, const Settings &settings, QImage &out,
                       QImage &scratch);

    // Replaces `frame` by the transformed frame; leaves it untouched when there is nothing to do.
    void apply(QImage &frame, const Settings &settings);

private:
    QImage result_;
    QImage scratch_;
};
