#include "ToolbarFit.h"

#include <QEvent>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

ToolbarFit::ToolbarFit(QWidget *window, int baseWidth, QObject *parent)
    : QObject(parent), window_(window), baseWidth_(baseWidth)
{}

void ToolbarFit::watch(QToolBar *toolbar)
{
    toolbars_ << toolbar;
    toolbar->installEventFilter(this);
}

int ToolbarFit::minimumWidth() const
{
    int width = baseWidth_;
    for (const QPointer<QToolBar> &toolbar : toolbars_) {
        // The layout's hint is the width of every visible control in one row, margins included.
        if (toolbar && window_ && toolbar->isVisibleTo(window_))
            width = std::max(width, toolbar->sizeHint().width());
    }
    return width;
}

void ToolbarFit::update()
{
    updateQueued_ = false;
    if (window_)
        window_->setMinimumWidth(minimumWidth());
}

bool ToolbarFit::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
    case QEvent::LayoutRequest:
    case QEvent::Show:
        // Once the toolbar has laid out the change.
        if (!updateQueued_) {
            updateQueued_ = true;
            QTimer::singleShot(0, this, &ToolbarFit::update);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
