#pragma once

#include <QColor>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

// What a pointer does over the picture. None leaves the picture its own clicks.
enum class DrawingTool { None, Pen, Highlighter, Arrow, Rectangle, Ellipse, Text, Eraser };

// One mark drawn over the picture, in picture coordinates: the camera frame's pixels, as the
// frame comes before zoom and mirroring. A value type.
struct Stroke {
    DrawingTool tool = DrawingTool::Pen;
    QColor color = Qt::red;
    // The line's width (a text's height is a multiple of it), in picture pixels.
    qreal width = 4;
    // The pen's and highlighter's path; a shape's two corners (an arrow's tail, then its head);
    // a text's start on its baseline.
    QPolygonF points;
    // A tablet pen's pressure (0..1) at each point; empty when drawn without pressure.
    QVector<qreal> pressures;
    QString text;

    // The pixel size of a text stroke's font, in picture pixels.
    qreal textSize() const { return width * 6; }
    // Whether a point lies on the mark, within `radius` picture pixels.
    bool hits(const QPointF &point, qreal radius) const;
};
