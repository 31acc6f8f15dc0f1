#include "LumoHyperLinkButton.h"

#include <QPainter>

LumoHyperLinkButton::LumoHyperLinkButton(QWidget *parent) : QPushButton(parent)
{
    setFlat(true);
    setCursor(linkCursor());
}

QCursor LumoHyperLinkButton::linkCursor() const
{
    return cursor_.value_or(QCursor(Qt::PointingHandCursor));
}

void LumoHyperLinkButton::setLinkCursor(const QCursor &cursor)
{
    cursor_ = cursor;
    setCursor(cursor);
}

void LumoHyperLinkButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    painter.setFont(linkFont);
    painter.setPen(QColor(0x1f, 0x5f, 0xd0));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
