#include "DrawingGeometry.h"

#include "ui/camera/CaptureView.h"

#include <cmath>

bool DrawingGeometry::pictureToView(const QSize &frameSize, const FrameTransform::Settings &transform,
                                    const QRect &area, QTransform *toView)
{
    if (frameSize.isEmpty() || area.isEmpty())
        return false;
    const QRect visible = FrameTransform::visibleRect(frameSize, transform);
    const QRect shownTarget = CaptureView::fittedRect(FrameTransform::shownSize(frameSize, transform), area);
    if (visible.isEmpty() || shownTarget.isEmpty())
        return false;
    // The picture is laid out unturned at the origin, then turned clockwise into its place.
    const int turns = ((transform.quarterTurns % 4) + 4) % 4;
    const QRect target(QPoint(0, 0), FrameTransform::turned(shownTarget.size(), turns));
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
    const qreal w = target.width(), h = target.height();
    QTransform turn;
    if (turns == 1)
        turn = QTransform(0, 1, -1, 0, h, 0); // (x, y) -> (h - y, x)
    else if (turns == 2)
        turn = QTransform(-1, 0, 0, -1, w, h);
    else if (turns == 3)
        turn = QTransform(0, -1, 1, 0, 0, w); // (x, y) -> (y, w - x)
    *toView = QTransform(m11, 0, 0, m22, dx, dy) * turn
              * QTransform::fromTranslate(shownTarget.x(), shownTarget.y());
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
