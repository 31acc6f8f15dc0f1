#pragma once

#include "LumoWindow.h"

// The borderless window of full-screen mode. A single click asks the delegate to show or hide
// the floating controls (toggleControl); a double click or Escape posts
// "LumoNotificationAppExitFullScreen" (no object); Return is the delegate's enter; other keys
// are handled as in every LumoWindow. Closing it from the desktop (the window manager's close
// key) leaves full screen the same way, so the main window comes back instead of the program
// going on with no window shown. Main thread.
class LumoFullWindow : public LumoWindow {
    Q_OBJECT
public:
    explicit LumoFullWindow(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
