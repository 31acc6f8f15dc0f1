#include "LumoFloaterWindow.h"

#include "core/LumoLog.h"
#include "ui/widgets/WidgetGeometry.h"

#include <QEvent>
#include <QMouseEvent>

LumoFloaterWindow::LumoFloaterWindow(QWidget *container) : QWidget(container)
{
    // Never takes the keyboard from the window below.
    setFocusPolicy(Qt::NoFocus);
    container->installEventFilter(this);
    hide();
}

void LumoFloaterWindow::setContainer(QWidget *container)
{
    if (container == parentWidget())
        return;
    const bool visible = isVisible();
    if (QWidget *old = parentWidget())
        old->removeEventFilter(this);
    setParent(container);
    if (container)
        container->installEventFilter(this);
    applyFrame();
    setVisible(visible);
}

void LumoFloaterWindow::loadFrame(const QRectF &frame)
{
    srcFrame_ = frame;
    setFrame(frame);
}

void LumoFloaterWindow::setFrame(const QRectF &frame)
{
    frame_ = frame;
    applyFrame();
}

void LumoFloaterWindow::setFrameOrigin(const QPointF &origin)
{
    frame_.moveTopLeft(origin);
    applyFrame();
}

void LumoFloaterWindow::setContentWidget(QWidget *content)
{
    delete content_;
    content_ = content;
    if (content) {
        content->setParent(this);
        content->setGeometry(rect());
        content->show();
    }
}

void LumoFloaterWindow::setOpacity(qreal opacity)
{
    opacity_ = opacity;
    setWidgetAlpha(this, opacity);
}

void LumoFloaterWindow::setZoomFactor(qreal factor)
{
    zoomFactor_ = factor;
    setFrame(QRectF(frame_.topLeft(), srcFrame_.size() * factor));
}

void LumoFloaterWindow::showFloater()
{
    show();
    raise();
}

void LumoFloaterWindow::applyFrame()
{
    // QRectF's "top left" is the bottom-left corner here, as the frame counts y upwards.
    if (QWidget *container = parentWidget())
        setGeometry(flippedRect(frame_, container->height()).toRect());
}

bool LumoFloaterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        applyFrame();
    return QWidget::eventFilter(watched, event);
}

void LumoFloaterWindow::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    LUMO_LOG("Mouse down");
}

void LumoFloaterWindow::resizeEvent(QResizeEvent *event)
{
    if (content_)
        content_->setGeometry(rect());
    QWidget::resizeEvent(event);
}
