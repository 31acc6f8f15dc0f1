#pragma once

#include <QObject>
#include <QPointer>

class CamSettingController;
class LumoCameraModeControls;
class LumoCaptureViewController;
class LumoMainWindowController;
class LumoPopUpButton;
class QAction;
struct Notification;

// The controls that turn the picture by quarters: four entries (upright, 90°, 180°, 270°
// clockwise) after the flips of the mirror pop-up, so the full-screen twin of that pop-up has
// them too, and one action (Ctrl+Shift+R, a View menu entry) that turns a quarter further. The
// turn is kept per camera beside its mirroring. Main thread.
class RotationControls : public QObject {
    Q_OBJECT
public:
    RotationControls(LumoMainWindowController *main, CamSettingController *settings,
                     QObject *parent = nullptr);
    ~RotationControls() override;

    QAction *rotateAction() const { return rotateAction_; }
    // Turns the picture to `quarterTurns` clockwise quarters, shows and keeps it.
    void setQuarterTurns(int quarterTurns);

private:
    void choose(LumoPopUpButton *button);
    void fullScreenSetMirror(const Notification &notification);
    void restore(const Notification &);
    void showChecks();

    LumoCaptureViewController *capture_;
    CamSettingController *settings_;
    QPointer<LumoPopUpButton> mirror_;
    LumoCameraModeControls *controls_;
    int firstEntry_ = 0; // the mirror pop-up's index of the upright entry
    QAction *rotateAction_ = nullptr;
};
