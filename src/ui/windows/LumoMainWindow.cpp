#include "LumoMainWindow.h"

#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

#include <QMouseEvent>

LumoMainWindow::LumoMainWindow(QWidget *parent) : LumoWindow(parent) {}

void LumoMainWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    LumoWindow::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    NotificationCenter::defaultCenter()->post(
        QString::fromLatin1(NotificationNames::MainWindowDoubleClicked));
}
