#include "ui/review/LumoImageBrowserScroller.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>

LumoImageBrowserScroller::LumoImageBrowserScroller(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("browserScroller"));
    setFixedHeight(Thickness);
}

QRect LumoImageBrowserScroller::knobRect() const
{
    if (maximum() <= minimum())
        return {};
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void LumoImageBrowserScroller::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    const QRect knob = knobRect();
    if (knob.isEmpty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(isSliderDown() ? QPalette::Light : QPalette::Mid));
    const QRectF shape = QRectF(knob).adjusted(1, 2, -1, -2);
    painter.drawRoundedRect(shape, shape.height() / 2, shape.height() / 2);
}
