#pragma once

#include "Stroke.h"

#include <QTransform>
#include <QVector>

class QPainter;

// Paints strokes kept in picture coordinates through a picture-to-target mapping: the overlay
// over the live picture and the photo with the drawing use this same code, so what the photo
// holds is what was on screen. Lines and shapes follow the mapping (zoom makes them thicker,
// mirroring turns them over); text is placed by it but always reads the right way round.
// Free of state; any thread with its own painter.
class StrokePainter {
public:
    static void paint(QPainter &painter, const Stroke &stroke, const QTransform &toTarget);
    static void paint(QPainter &painter, const QVector<Stroke> &strokes, const QTransform &toTarget);
    // The two strokes of an arrow's head, for a shaft from `tail` to `head` of `width`.
    static QPolygonF arrowHead(const QPointF &tail, const QPointF &head, qreal width);
};
