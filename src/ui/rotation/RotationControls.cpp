#include "RotationControls.h"

#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "settings/CamSettingController.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/widgets/LumoPopUpButton.h"

#include <QAction>
#include <QWidget>

namespace {

constexpr int TurnEntries = 4;

} // namespace

RotationControls::RotationControls(LumoMainWindowController *main, CamSettingController *settings,
                                   QObject *parent)
    : QObject(parent), capture_(main->captureController()), settings_(settings),
      mirror_(main->cameraControls()->mirrorButton()), controls_(main->cameraControls())
{
    firstEntry_ = mirror_->numberOfItems();
    mirror_->addItem(tr("Upright"));
    for (int degrees : {90, 180, 270})
        mirror_->addItem(tr("Turned %1°").arg(degrees));
    connect(mirror_, &LumoPopUpButton::activated, this, [this] { choose(mirror_); });

    rotateAction_ = new QAction(tr("&Rotate Picture"), this);
    rotateAction_->setObjectName(QStringLiteral("rotateAction"));
    rotateAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    rotateAction_->setToolTip(
        tr("Turn the picture a quarter clockwise, for a camera facing you or a page lying sideways "
           "(Ctrl+Shift+R)"));
    // The key works in whichever window shows the picture: the main window or the full-screen one.
    main->cameraView()->addAction(rotateAction_);
    connect(rotateAction_, &QAction::triggered, this,
            [this] { setQuarterTurns(capture_->quarterTurns() + 1); });

    using namespace NotificationNames;
    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, FullScreenSetMirror,
                        [this](const Notification &notification) { fullScreenSetMirror(notification); });
    for (const char *name : {CamSettingDidRestore, CamSettingDidSetToDefault})
        center->addObserver(this, name, [this](const Notification &notification) { restore(notification); });
    // The full-screen twin of the pop-up comes with project mode. Queued: a mode button toggles
    // before the window has changed its mode.
    for (QAction *mode : main->modeActions())
        connect(mode, &QAction::toggled, this, &RotationControls::showChecks, Qt::QueuedConnection);
    showChecks();
}

RotationControls::~RotationControls()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
}

void RotationControls::setQuarterTurns(int quarterTurns)
{
    capture_->setQuarterTurns(quarterTurns);
    settings_->setQuarterTurns(capture_->quarterTurns());
    showChecks();
}

void RotationControls::choose(LumoPopUpButton *button)
{
    const int turns = button->indexOfSelectedItem() - firstEntry_;
    if (turns >= 0 && turns < TurnEntries)
        setQuarterTurns(turns);
    else
        showChecks(); // a flip: the pop-up's own checks stay as the turn has them
}

void RotationControls::fullScreenSetMirror(const Notification &notification)
{
    if (auto *button = qobject_cast<LumoPopUpButton *>(notification.object.data()))
        choose(button);
}

void RotationControls::restore(const Notification &)
{
    // Each camera shows its own turn; a new one does not inherit the last one's.
    capture_->setQuarterTurns(settings_->quarterTurns());
    showChecks();
}

void RotationControls::showChecks()
{
    const LumoCameraModeControls::Twins *twins = controls_->twins();
    for (LumoPopUpButton *button : {mirror_.data(), twins ? twins->mirror : nullptr}) {
        if (!button)
            continue;
        for (int turns = 0; turns < TurnEntries; ++turns)
            if (QAction *item = button->itemAtIndex(firstEntry_ + turns))
                item->setChecked(turns == capture_->quarterTurns());
    }
    controls_->setMirrorTitles();
}
