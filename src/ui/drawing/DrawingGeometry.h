#pragma once

#include "capture/FrameTransform.h"

#include <QRect>
#include <QSize>
#include <QTransform>

// Where the picture's pixels land on screen and in a photo: the one mapping the drawing uses,
// built from the same geometry the capture view shows a frame with (the zoom's visible part of
// the frame, mirrored and turned as the frame is, fitted into the view with its aspect kept and centred).
// Free of state; any thread.
class DrawingGeometry {
public:
    // Maps a `frameSize` frame shown with `transform` into `area` as the capture view shows it.
    // False when nothing would show (no frame or an empty area).
    static bool pictureToView(const QSize &frameSize, const FrameTransform::Settings &transform,
                              const QRect &area, QTransform *toView);
    // Strokes drawn on a `drawnOn` frame kept on the same page spot of a `frameSize` frame (the
    // camera's resolution changed since they were drawn).
    static QTransform drawnToFrame(const QSize &drawnOn, const QSize &frameSize);
    // The scale a mapping applies to lengths (a stroke's width).
    static qreal lengthScale(const QTransform &transform);
};
