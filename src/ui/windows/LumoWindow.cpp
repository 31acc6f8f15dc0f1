#include "LumoWindow.h"

#include "core/LumoLog.h"

#include <QKeyEvent>

LumoWindow::LumoWindow(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags) {}

void LumoWindow::keyPressEvent(QKeyEvent *event)
{
    LumoWindowDelegate fallback;
    LumoWindowDelegate *d = delegate_ ? delegate_ : &fallback;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        d->enter();
        break;
    case Qt::Key_A:
        if (event->modifiers() & Qt::ControlModifier)
            d->selectAll();
        break;
    case Qt::Key_C:
        d->copyPhoto();
        break;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        d->zoomIn();
        break;
    case Qt::Key_Minus:
        d->zoomOut();
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        d->deleteSelection();
        break;
    case Qt::Key_Left:
        d->selectPrevious();
        break;
    case Qt::Key_Right:
        d->selectNext();
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LumoWindow::mousePressEvent(QMouseEvent *event)
{
    QMainWindow::mousePressEvent(event);
    LUMO_LOG("Mouse down");
}
