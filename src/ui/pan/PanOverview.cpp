#include "PanOverview.h"

#include <QPainter>

PanOverview::PanOverview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panOverview"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void PanOverview::setShownPart(const QRectF &part)
{
    if (part == part_)
        return;
    part_ = part;
    update();
}

void PanOverview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), QColor(0, 0, 0, 150));
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
    painter.drawRect(page);
    if (part_.isEmpty())
        return;
    painter.fillRect(part_, QColor(255, 210, 0, 60));
    painter.setPen(QPen(QColor(255, 210, 0), 2));
    painter.drawRect(part_.intersected(page).adjusted(1, 1, -1, -1));
}
