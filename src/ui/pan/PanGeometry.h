#pragma once

#include "capture/FrameTransform.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// Moving the zoomed part over the page: where a drag on the view takes the pan centre, and where
// the shown part lies on the small overview of the whole page. The page on the overview is shown
// as the picture is, mirrored and turned. Free of state; any thread.
class PanGeometry {
public:
    // The pan centre after the picture, shown in `area` as the capture view shows a `frameSize`
    // frame with `transform`, was dragged from `from` to `to` (view coordinates): the page
    // point under the pointer stays under it, as far as the frame's edges allow.
    static QPointF dragged(const QSize &frameSize, const FrameTransform::Settings &transform,
                           const QRect &area, const QPointF &from, const QPointF &to);
    // The overview box for a page of `shownPage` size (the frame as shown, turned), at most
    // `longest` pixels on its longer side.
    static QSizeF overviewSize(const QSize &shownPage, qreal longest);
    // The part the zoom shows, inside `overview` (the whole page as shown).
    static QRectF shownPart(const QSize &frameSize, const FrameTransform::Settings &transform,
                            const QRectF &overview);
};
