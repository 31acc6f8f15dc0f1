#include "WidgetGeometry.h"

#include <QGraphicsOpacityEffect>
#include <QWidget>

void setWidgetAlpha(QWidget *widget, qreal alpha)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(widget->graphicsEffect());
    if (!effect) {
        if (alpha >= 1.0)
            return;
        effect = new QGraphicsOpacityEffect(widget);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha);
}

qreal widgetAlpha(const QWidget *widget)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(widget->graphicsEffect());
    return effect ? effect->opacity() : 1.0;
}
