#include "LumoButtonView.h"

#include "AccessibleWidgets.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

bool isPressKey(const QKeyEvent *event)
{
    return event->modifiers() == Qt::NoModifier
           && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
               || event->key() == Qt::Key_Enter);
}

} // namespace

LumoButtonView::LumoButtonView(QWidget *parent) : QWidget(parent)
{
    // Enter and leave events arrive without mouse tracking; nothing else is needed for hovering.
    setAttribute(Qt::WA_Hover);
    // A picture by default; its owner lets the buttons among them take the focus.
    setFocusPolicy(Qt::NoFocus);
    installAccessibleWidgets();
}

bool LumoButtonView::isPressable() const
{
    return shouldResponse_ && isSignalConnected(QMetaMethod::fromSignal(&LumoButtonView::clicked));
}

void LumoButtonView::click()
{
    if (shouldResponse_)
        emit clicked();
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

// Return and Enter would otherwise reach the window's shortcut (a photo) before the focused
// button sees them.
bool LumoButtonView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isPressKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void LumoButtonView::keyPressEvent(QKeyEvent *event)
{
    if (isPressKey(event) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LumoButtonView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap image = currentImage();
    // Pictures sit at the bottom-left corner, where the layout's geometry has its origin.
    if (!image.isNull())
        painter.drawPixmap(QPointF(0, height() - image.deviceIndependentSize().height()), image);
    if (hasFocus()) {
        // The floating buttons are round: a ring just inside the edge, in the palette's colour.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
}
