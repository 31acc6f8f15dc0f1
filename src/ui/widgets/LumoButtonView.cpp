#include "LumoButtonView.h"

#include <QMouseEvent>
#include <QPainter>

LumoButtonView::LumoButtonView(QWidget *parent) : QWidget(parent)
{
    // Enter and leave events arrive without mouse tracking; nothing else is needed for hovering.
    setAttribute(Qt::WA_Hover);
}

void LumoButtonView::setEnterImage(const QPixmap &image)
{
    enterImage_ = image;
    update();
}

void LumoButtonView::setExitImage(const QPixmap &image)
{
    exitImage_ = image;
    srcSize_ = image.isNull() ? QSizeF() : image.deviceIndependentSize();
    update();
}

void LumoButtonView::setIsUp(bool up)
{
    isUp_ = up;
    update();
}

QPixmap LumoButtonView::currentImage() const
{
    if (isEnter_)
        return enterImage_.isNull() ? exitImage_ : enterImage_;
    return isUp_ ? enterImage_ : exitImage_;
}

void LumoButtonView::enterEvent(QEnterEvent *event)
{
    isEnter_ = true;
    update();
    QWidget::enterEvent(event);
}

void LumoButtonView::leaveEvent(QEvent *event)
{
    isEnter_ = false;
    update();
    QWidget::leaveEvent(event);
}

void LumoButtonView::mousePressEvent(QMouseEvent *event)
{
    if (shouldResponse_ && event->button() == Qt::LeftButton)
        emit clicked();
    event->accept();
}

void LumoButtonView::paintEvent(QPaintEvent *)
{
    const QPixmap image = currentImage();
    if (image.isNull())
        return;
    // Pictures sit at the bottom-left corner, where the layout's geometry has its origin.
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, height() - image.deviceIndependentSize().height()), image);
}
