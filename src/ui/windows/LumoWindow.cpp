#include "LumoWindow.h"

#include "core/LumoLog.h"

#include <QKeyEvent>

const QList<LumoWindow::Key> &LumoWindow::keys()
{
    static const QList<Key> table = {
        {Qt::Key_Return, false, &LumoWindowDelegate::enter, "Return", QT_TR_NOOP("Take a photo")},
        {Qt::Key_Enter, false, &LumoWindowDelegate::enter, "Enter", QT_TR_NOOP("Take a photo")},
        {Qt::Key_A, true, &LumoWindowDelegate::selectAll, "Ctrl+A", QT_TR_NOOP("Select all photos (review)")},
        {Qt::Key_C, false, &LumoWindowDelegate::copyPhoto, "C",
         QT_TR_NOOP("Copy the selected photo (review)")},
        {Qt::Key_Equal, false, &LumoWindowDelegate::zoomIn, "=", QT_TR_NOOP("Zoom in")},
        {Qt::Key_Plus, false, &LumoWindowDelegate::zoomIn, "+", QT_TR_NOOP("Zoom in")},
        {Qt::Key_Minus, false, &LumoWindowDelegate::zoomOut, "-", QT_TR_NOOP("Zoom out")},
        {Qt::Key_Delete, false, &LumoWindowDelegate::deleteSelection, "Del",
         QT_TR_NOOP("Delete the selected photos (review)")},
        {Qt::Key_Backspace, false, &LumoWindowDelegate::deleteSelection, "Backspace",
         QT_TR_NOOP("Delete the selected photos (review)")},
        {Qt::Key_Left, false, &LumoWindowDelegate::selectPrevious, "Left",
         QT_TR_NOOP("Previous photo (review)")},
        {Qt::Key_Right, false, &LumoWindowDelegate::selectNext, "Right", QT_TR_NOOP("Next photo (review)")},
        // Shortcuts of the main window, outside any menu.
        {Qt::Key_F11, false, nullptr, "F11", QT_TR_NOOP("Project mode")},
        {Qt::Key_Escape, false, nullptr, "Esc", QT_TR_NOOP("Leave project mode, or cancel the self-timer")},
    };
    return table;
}

LumoWindow::LumoWindow(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags) {}

void LumoWindow::keyPressEvent(QKeyEvent *event)
{
    LumoWindowDelegate fallback;
    LumoWindowDelegate *d = delegate_ ? delegate_ : &fallback;
    for (const Key &key : keys()) {
        if (key.key != event->key() || !key.operation)
            continue;
        // A alone does nothing, but is still taken.
        if (!key.withControl || (event->modifiers() & Qt::ControlModifier))
            (d->*key.operation)();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void LumoWindow::mousePressEvent(QMouseEvent *event)
{
    QMainWindow::mousePressEvent(event);
    LUMO_LOG("Mouse down");
}
