#pragma once

#include <QObject>
#include <QPointer>
#include <QToolButton>

class LumoCaptureViewController;
class LumoMainWindowController;
class QAction;

// The controls that hold the picture still: one checkable action (F, a View menu entry and a
// toolbar button in camera mode) and a floating button over the picture in project mode. They follow the picture's freeze, which a camera change or
// an unplugged camera also ends. Main thread.
class FreezeControls : public QObject {
    Q_OBJECT
public:
    FreezeControls(LumoMainWindowController *main, QObject *parent = nullptr);
    ~FreezeControls() override;

    QAction *freezeAction() const { return freezeAction_; }
    QToolButton *floater() const { return floater_; }

    // Holds the picture still, or lets it go: the action, and the programmable button.
    void toggle();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void update();
    void placeFloater();

    LumoMainWindowController *main_;
    LumoCaptureViewController *capture_;
    QAction *freezeAction_ = nullptr;
    QPointer<QToolButton> floater_;
};
