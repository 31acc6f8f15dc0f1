#include "CaptureView.h"

#include <QPainter>

CaptureView::CaptureView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("captureView"));
}

void CaptureView::setFrame(const QImage &frame)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        frame_ = frame;
    }
    if (!repaintPending_.exchange(true))
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
}

QImage CaptureView::frame() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frame_;
}

void CaptureView::clear()
{
    setFrame(QImage());
}

QRect CaptureView::fittedRect(const QSize &frame, const QRect &area)
{
    if (frame.isEmpty() || area.isEmpty())
        return {};
    const QSize size = frame.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

void CaptureView::paintEvent(QPaintEvent *)
{
    repaintPending_ = false;
    const QImage image = frame();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fittedRect(image.size(), rect()), image);
}
