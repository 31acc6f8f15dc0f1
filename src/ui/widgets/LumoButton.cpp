#include "LumoButton.h"

#include "WidgetGeometry.h"

LumoButton::LumoButton(QWidget *parent) : QPushButton(parent) {}

void LumoButton::resetTrack()
{
    setWidgetAlpha(this, 1.0);
}

void LumoButton::enterEvent(QEnterEvent *event)
{
    setWidgetAlpha(this, 0.5);
    QPushButton::enterEvent(event);
}

void LumoButton::leaveEvent(QEvent *event)
{
    setWidgetAlpha(this, 1.0);
    QPushButton::leaveEvent(event);
}
