#include "LumoFullWindow.h"

#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

static void postExitFullScreen()
{
    NotificationCenter::defaultCenter()->post(QString::fromLatin1(NotificationNames::AppExitFullScreen));
}

LumoFullWindow::LumoFullWindow(QWidget *parent) : LumoWindow(parent, Qt::FramelessWindowHint)
{
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::black));
}

void LumoFullWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        postExitFullScreen();
        event->accept();
        return;
    }
    // Return and Enter reach the delegate's enter through the common key map.
    LumoWindow::keyPressEvent(event);
}

void LumoFullWindow::mousePressEvent(QMouseEvent *event)
{
    LumoWindow::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && delegate())
        delegate()->toggleControl();
}

// Qt reports the second press of a double click here rather than as a press.
void LumoFullWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    LumoWindow::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        postExitFullScreen();
}

// The program hides and deletes this window itself; a close comes from the desktop.
void LumoFullWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    postExitFullScreen();
}
