#include "LumoCameraView.h"

#include <QPaintEvent>
#include <QPainter>

LumoCameraView::LumoCameraView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the picture takes the keyboard back from a toolbar control.
    setFocusPolicy(Qt::ClickFocus);
}

// The picture takes the keyboard as it shows, so that Return takes a photo at once: otherwise a
// toolbar control would keep it from another mode and answer Return itself.
void LumoCameraView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    setFocus(Qt::OtherFocusReason);
}

void LumoCameraView::setPicture(QWidget *picture)
{
    picture_ = picture;
    picture->setParent(this);
    picture->setGeometry(rect());
    picture->lower();
    picture->show();
}

void LumoCameraView::setCover(QWidget *cover)
{
    cover_ = cover;
    cover->setParent(this);
    cover->setGeometry(rect());
    // Above the picture; floaters raise themselves above it whenever they show.
    cover->raise();
    cover->hide();
}

void LumoCameraView::setOverlay(QWidget *overlay)
{
    overlay_ = overlay;
    overlay->setParent(this);
    overlay->setGeometry(rect());
    if (cover_)
        overlay->stackUnder(cover_);
    else
        overlay->raise();
}

void LumoCameraView::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), Qt::black);
}

void LumoCameraView::resizeEvent(QResizeEvent *event)
{
    for (QWidget *child : {picture_.data(), cover_.data(), overlay_.data()})
        if (child)
            child->setGeometry(rect());
    QWidget::resizeEvent(event);
}
