#include "StrokePainter.h"

#include "DrawingGeometry.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A highlighter lets the page show through and marks more broadly than a pen of its width.
constexpr int HighlighterAlpha = 96;
constexpr qreal HighlighterWidthFactor = 3.0;
// A pen pressed lightly still leaves a line.
constexpr qreal MinimumPressure = 0.15;

QPen strokePen(const Stroke &stroke)
{
    QColor color = stroke.color;
    qreal width = stroke.width;
    Qt::PenCapStyle cap = Qt::RoundCap;
    if (stroke.tool == DrawingTool::Highlighter) {
        color.setAlpha(HighlighterAlpha);
        width *= HighlighterWidthFactor;
        cap = Qt::FlatCap;
    }
    return QPen(color, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

} // namespace

QPolygonF StrokePainter::arrowHead(const QPointF &tail, const QPointF &head, qreal width)
{
    const QLineF shaft(head, tail);
    const qreal length = std::max(width * 4, 8.0);
    QLineF left = QLineF::fromPolar(length, shaft.angle() + 28).translated(head);
    QLineF right = QLineF::fromPolar(length, shaft.angle() - 28).translated(head);
    return QPolygonF({left.p2(), head, right.p2()});
}

void StrokePainter::paint(QPainter &painter, const Stroke &stroke, const QTransform &toTarget)
{
    if (stroke.points.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (stroke.tool == DrawingTool::Text) {
        // Placed by the mapping, upright and unmirrored at its scale.
        const qreal scale = DrawingGeometry::lengthScale(toTarget);
        QFont font = painter.font();
        font.setPixelSize(std::max(1, int(std::lround(stroke.textSize() * scale))));
        painter.setFont(font);
        painter.setPen(stroke.color);
        painter.drawText(toTarget.map(stroke.points.first()), stroke.text);
        painter.restore();
        return;
    }
    painter.setTransform(toTarget, true);
    QPen pen = strokePen(stroke);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPolygonF &p = stroke.points;
    switch (stroke.tool) {
    case DrawingTool::Pen:
    case DrawingTool::Highlighter:
        if (p.size() == 1) {
            painter.drawPoint(p.first());
        } else if (stroke.pressures.size() == p.size()) {
            // Each piece as wide as the pressure at its ends.
            for (int i = 1; i < p.size(); ++i) {
                const qreal pressure =
                    std::max(MinimumPressure, (stroke.pressures[i - 1] + stroke.pressures[i]) / 2);
                pen.setWidthF(strokePen(stroke).widthF() * pressure);
                painter.setPen(pen);
                painter.drawLine(p[i - 1], p[i]);
            }
        } else {
            painter.drawPolyline(p);
        }
        break;
    case DrawingTool::Arrow:
        if (p.size() >= 2) {
            painter.drawLine(p[0], p[1]);
            painter.drawPolyline(arrowHead(p[0], p[1], stroke.width));
        }
        break;
    case DrawingTool::Rectangle:
        if (p.size() >= 2)
            painter.drawRect(QRectF(p[0], p[1]).normalized());
        break;
    case DrawingTool::Ellipse:
        if (p.size() >= 2)
            painter.drawEllipse(QRectF(p[0], p[1]).normalized());
        break;
    default:
        break;
    }
    painter.restore();
}

void StrokePainter::paint(QPainter &painter, const QVector<Stroke> &strokes, const QTransform &toTarget)
{
    for (const Stroke &stroke : strokes)
        paint(painter, stroke, toTarget);
}

// --- Stroke ------------------------------------------------------------------------------------

namespace {

qreal distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const qreal length2 = QPointF::dotProduct(ab, ab);
    const qreal t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

qreal distanceToPolyline(const QPointF &p, const QPolygonF &line)
{
    if (line.size() == 1)
        return std::hypot(p.x() - line[0].x(), p.y() - line[0].y());
    qreal best = std::numeric_limits<qreal>::max();
    for (int i = 1; i < line.size(); ++i)
        best = std::min(best, distanceToSegment(p, line[i - 1], line[i]));
    return best;
}

} // namespace

bool Stroke::hits(const QPointF &point, qreal radius) const
{
    if (points.isEmpty())
        return false;
    const qreal reach = radius + width / 2;
    const QPointF a = points.first();
    const QPointF b = points.size() > 1 ? points[1] : a;
    switch (tool) {
    case DrawingTool::Pen:
        return distanceToPolyline(point, points) <= reach;
    case DrawingTool::Highlighter:
        return distanceToPolyline(point, points) <= radius + width * 1.5;
    case DrawingTool::Arrow:
        return distanceToSegment(point, a, b) <= reach
               || distanceToPolyline(point, StrokePainter::arrowHead(a, b, width)) <= reach;
    case DrawingTool::Rectangle: {
        const QRectF r = QRectF(a, b).normalized();
        return distanceToPolyline(point, QPolygonF(r) << r.topLeft()) <= reach;
    }
    case DrawingTool::Ellipse: {
        const QRectF r = QRectF(a, b).normalized();
        QPainterPath path;
        path.addEllipse(r);
        return distanceToPolyline(point, path.toFillPolygon()) <= reach;
    }
    case DrawingTool::Text: {
        // The text's box, judged from its length: the same in any font the desktop has.
        const QRectF box(a.x(), a.y() - textSize(), textSize() * 0.6 * text.size(), textSize() * 1.2);
        return box.adjusted(-radius, -radius, radius, radius).contains(point);
    }
    default:
        return false;
    }
}
