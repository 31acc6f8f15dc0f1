#include "LumoPreviewImageView.h"

#include <QPaintEvent>
#include <QPainter>

LumoPreviewImageView::LumoPreviewImageView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRectF LumoPreviewImageView::targetRect(const QSizeF &imageSize, const QRectF &view)
{
    if (imageSize.isEmpty() || view.isEmpty())
        return {};
    const qreal imageAspect = imageSize.height() / imageSize.width();
    const qreal viewAspect = view.height() / view.width();
    if (imageAspect > viewAspect) {
        const qreal width = view.height() / imageAspect;
        return {view.x() + (view.width() - width) * 0.5, view.y(), width, view.height()};
    }
    const qreal height = imageAspect * view.width();
    return {view.x(), view.y() + (view.height() - height) * 0.5, view.width(), height};
}

void LumoPreviewImageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    if (image_.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(targetRect(image_.size(), rect()), image_);
}
