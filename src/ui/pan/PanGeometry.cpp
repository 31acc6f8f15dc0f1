#include "PanGeometry.h"

#include "ui/drawing/DrawingGeometry.h"

#include <QPolygonF>
#include <QTransform>

QPointF PanGeometry::dragged(const QSize &frameSize, const FrameTransform::Settings &transform,
                             const QRect &area, const QPointF &from, const QPointF &to)
{
    const QPointF pan =
        FrameTransform::clampedPan(frameSize, transform.outputSize, transform.zoom, transform.pan);
    QTransform toView;
    bool invertible = false;
    if (!FrameTransform::zooms(transform)
        || !DrawingGeometry::pictureToView(frameSize, transform, area, &toView))
        return pan;
    const QTransform toPicture = toView.inverted(&invertible);
    if (!invertible)
        return pan;
    // The page moves with the pointer, so the centre moves the other way.
    const QPointF moved = toPicture.map(to) - toPicture.map(from);
    const QPointF wanted(pan.x() - moved.x() / frameSize.width(), pan.y() - moved.y() / frameSize.height());
    return FrameTransform::clampedPan(frameSize, transform.outputSize, transform.zoom, wanted);
}

QSizeF PanGeometry::overviewSize(const QSize &shownPage, qreal longest)
{
    if (shownPage.isEmpty() || longest <= 0)
        return {};
    return QSizeF(shownPage).scaled(QSizeF(longest, longest), Qt::KeepAspectRatio);
}

QRectF PanGeometry::shownPart(const QSize &frameSize, const FrameTransform::Settings &transform,
                              const QRectF &overview)
{
    if (frameSize.isEmpty() || overview.isEmpty())
        return {};
    const QRectF visible =
        FrameTransform::zooms(transform)
            ? FrameTransform::zoomSourceRect(frameSize, transform.outputSize, transform.zoom, transform.pan)
            : QRectF(QPointF(0, 0), QSizeF(frameSize));
    // Frame pixels to the unit page, mirrored, then turned clockwise as the picture is.
    QTransform page = QTransform::fromScale(1.0 / frameSize.width(), 1.0 / frameSize.height());
    if (transform.hFlipped)
        page *= QTransform(-1, 0, 0, 1, 1, 0);
    if (transform.vFlipped)
        page *= QTransform(1, 0, 0, -1, 0, 1);
    const int turns = ((transform.quarterTurns % 4) + 4) % 4;
    if (turns == 1)
        page *= QTransform(0, 1, -1, 0, 1, 0); // (u, v) -> (1 - v, u)
    else if (turns == 2)
        page *= QTransform(-1, 0, 0, -1, 1, 1);
    else if (turns == 3)
        page *= QTransform(0, -1, 1, 0, 0, 1); // (u, v) -> (v, 1 - u)
    page *= QTransform(overview.width(), 0, 0, overview.height(), overview.x(), overview.y());
    return page.map(QPolygonF(visible)).boundingRect();
}
