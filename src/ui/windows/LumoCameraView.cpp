#include "LumoCameraView.h"

#include <QPaintEvent>
#include <QPainter>

LumoCameraView::LumoCameraView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LumoCameraView::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), Qt::black);
}
