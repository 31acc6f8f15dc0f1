#pragma once

#include <QPointF>
#include <QRectF>

class QWidget;

// The controls' and floaters' geometry is worked out with the origin at the bottom left and y
// growing upwards; these turn it into Qt's top-left coordinates inside a container of the given
// height, and back. The conversion is its own inverse.
inline QRectF flippedRect(const QRectF &rect, qreal containerHeight)
{
    return QRectF(rect.x(), containerHeight - rect.y() - rect.height(), rect.width(), rect.height());
}

inline QPointF flippedPoint(const QPointF &point, qreal containerHeight)
{
    return QPointF(point.x(), containerHeight - point.y());
}

// Hover dimming and overlay opacity through a graphics effect, made on first use. Alpha 1.0
// removes nothing but the dimming: the effect stays and paints at full opacity.
void setWidgetAlpha(QWidget *widget, qreal alpha);
qreal widgetAlpha(const QWidget *widget);
