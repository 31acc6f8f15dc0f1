#include "CaptureView.h"

#include "core/LumoLog.h"

#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

#include <cmath>
#include <utility>

CaptureView::CaptureView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("captureView"));
}

void CaptureView::setFrame(const LiveFrame &frame)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        frame_ = frame;
    }
    stalled_ = false;
    if (!repaintPending_.exchange(true))
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
}

LiveFrame CaptureView::frame() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frame_;
}

void CaptureView::setStalled(bool stalled)
{
    if (stalled_.exchange(stalled) != stalled)
        update();
}

void CaptureView::setFrozen(bool frozen)
{
    if (std::exchange(frozen_, frozen) != frozen)
        update();
}

void CaptureView::clear()
{
    setFrame(LiveFrame());
}

QSize CaptureView::areaSize() const
{
    const uint32_t packed = areaSize_;
    return QSize(int(packed >> 16), int(packed & 0xffff));
}

void CaptureView::resizeEvent(QResizeEvent *event)
{
    const QSize pixels = event->size() * devicePixelRatioF();
    areaSize_ = uint32_t(pixels.width() & 0xffff) << 16 | uint32_t(pixels.height() & 0xffff);
    QWidget::resizeEvent(event);
}

QRect CaptureView::fittedRect(const QSize &frame, const QRect &area)
{
    if (frame.isEmpty() || area.isEmpty())
        return {};
    const QSize size = frame.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

bool CaptureView::renderPicture(const LiveFrame &frame, QImage &out, QImage &scratch)
{
    // Already mirrored and turned: only a view resized since the frame was made scales it.
    if (frame.isPresented())
        return FrameTransform::scaleAndMirror(frame.picture(), frame.picture().rect(), false, false, out,
                                              scratch);
    return FrameTransform::render(frame.picture(), frame.visiblePictureRect(), frame.transform(), out,
                                  scratch);
}

void CaptureView::paintEvent(QPaintEvent *)
{
    repaintPending_ = false;
    const LiveFrame shown = frame();
    QPainter painter(this);
    const QRect target = shown.isNull() ? QRect() : fittedRect(shown.shownSize(), rect());
    for (const QRect &bar : QRegion(rect()).subtracted(target))
        painter.fillRect(bar, Qt::black);
    if (target.isEmpty())
        return;

    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(target.width() * ratio)), int(std::lround(target.height() * ratio)));
    if (shown.isPresented() && ratio == 1.0 && shown.picture().size() == pixels) {
        painter.drawImage(target.topLeft(), shown.picture());
    } else {
        if (presented_.size() != pixels || !presented_.isDetached())
            presented_ = QImage(pixels, QImage::Format_RGB32);
        if (!renderPicture(shown, presented_, scratch_)) {
            painter.fillRect(target, Qt::black);
            return;
        }
        presented_.setDevicePixelRatio(ratio);
        painter.drawImage(target.topLeft(), presented_);
    }
    // With the frame thread's "first frame decoded", the time the user waited for the picture.
    if (!std::exchange(paintedPicture_, true))
        LUMO_LOG("first picture painted: %dx%d", shown.shownSize().width(), shown.shownSize().height());
    if (frozen_ && !stalled_)
        paintFrozenPlate(painter, target);
    if (stalled_) {
        painter.fillRect(target, QColor(0, 0, 0, 160));
        QFont font = painter.font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        painter.setFont(font);
        // On a plate of its own, so that the page's own print beneath never runs through it.
        const QString notice = tr("The camera stopped sending pictures.");
        const QRect area = target.adjusted(24, 24, -24, -24);
        const QRect text =
            painter.fontMetrics().boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, notice);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 190));
        painter.drawRoundedRect(text.adjusted(-16, -10, 16, 10), 8, 8);
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, notice);
    }
}

void CaptureView::paintFrozenPlate(QPainter &painter, const QRect &target)
{
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    painter.setFont(font);
    const QString label = tr("Frozen");
    // Centred near the bottom edge, where no floating control stays; white on a dark plate with
    // a light rim, clear on a white page and on a dark one alike.
    const QRect text = painter.fontMetrics().boundingRect(label);
    QRect plate(0, 0, text.width() + 28, text.height() + 12);
    plate.moveBottomLeft(QPoint(target.center().x() - plate.width() / 2, target.bottom() - 16));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    painter.setBrush(QColor(0, 0, 0, 180));
    painter.drawRoundedRect(plate, 8, 8);
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, label);
    painter.restore();
}
