#include "DrawingGeometry.h"

#include "ui/camera/CaptureView.h"

#include <cmath>

bool DrawingGeometry::pictureToView(const QSize &frameSize, const FrameTransform::Settings &transform,
                                    const QRect &area, QTransform *toView)
{
    if (frameSize.isEmpty() || area.isEmpty())
        return false;
    const QRect visible = FrameTransform::visibleRect(frameSize, transform);
    const QSize shown = FrameTransform::zooms(transform) ? transform.outputSize : frameSize;
    const QRect target = CaptureView::fittedRect(shown, area);
    if (visible.isEmpty() || target.isEmpty())
        return false;
    // The visible part of the frame stretched over the target, turned over along an axis the
    // frame is mirrored on.
    const qreal sx = qreal(target.width()) / visible.width();
    const qreal sy = qreal(target.height()) / visible.height();
    const qreal m11 = transform.hFlipped ? -sx : sx;
    const qreal m22 = transform.vFlipped ? -sy : sy;
    const qreal dx =
        transform.hFlipped ? target.x() + target.width() + visible.x() * sx : target.x() - visible.x() * sx;
    const qreal dy =
        transform.vFlipped ? target.y() + target.height() + visible.y() * sy : target.y() - visible.y() * sy;
    *toView = QTransform(m11, 0, 0, m22, dx, dy);
    return true;
}

QTransform DrawingGeometry::drawnToFrame(const QSize &drawnOn, const QSize &frameSize)
{
    if (drawnOn.isEmpty() || frameSize.isEmpty() || drawnOn == frameSize)
        return {};
    return QTransform::fromScale(qreal(frameSize.width()) / drawnOn.width(),
                                 qreal(frameSize.height()) / drawnOn.height());
}

qreal DrawingGeometry::lengthScale(const QTransform &transform)
{
    return std::sqrt(std::abs(transform.determinant()));
}
