#pragma once

#include "LumoWindow.h"

// The main window. A double click on its background posts
// "LumoNotificationMainWindowDoubleClicked" (no object), which takes camera mode to full
// screen. Main thread.
class LumoMainWindow : public LumoWindow {
    Q_OBJECT
public:
    explicit LumoMainWindow(QWidget *parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
