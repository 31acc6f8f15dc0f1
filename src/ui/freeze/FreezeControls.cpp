#include "FreezeControls.h"

#include "ui/LumoMainWindowController.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/fullscreen/FloaterGeometry.h"
#include "ui/widgets/LumoIcons.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int FloaterMargin = 16;
// From the right reference to the left edge of the snapshot button, with a gap.
constexpr float SnapshotClearance = 95 + 40 + 12;

} // namespace

FreezeControls::FreezeControls(LumoMainWindowController *main, QObject *parent)
    : QObject(parent), main_(main), capture_(main->captureController())
{
    freezeAction_ = new QAction(tr("&Freeze Picture"), this);
    freezeAction_->setObjectName(QStringLiteral("freezeAction"));
    freezeAction_->setCheckable(true);
    freezeAction_->setShortcut(QKeySequence(Qt::Key_F));
    freezeAction_->setToolTip(tr("Hold the picture still while you change the page; again to let it go (F)"));
    // The key works in whichever window shows the picture: the main window or the full-screen one.
    main_->cameraView()->addAction(freezeAction_);
    connect(freezeAction_, &QAction::triggered, this, &FreezeControls::toggle);
    main_->cameraModeToolbar()->addSeparator();
    main_->cameraModeToolbar()->addAction(freezeAction_);
    // A picture in the toolbar (the floater over the picture keeps its words).
    LumoIcons::setIcon(freezeAction_, QStringLiteral("media-playback-pause"), main_->cameraModeToolbar());

    floater_ = new QToolButton(main_->cameraView());
    floater_->setObjectName(QStringLiteral("freezeFloater"));
    floater_->setDefaultAction(freezeAction_);
    floater_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    floater_->setStyleSheet(QStringLiteral("QToolButton { color: white; background: rgba(0, 0, 0, 160); "
                                           "border: 1px solid rgba(255, 255, 255, 160);"
                                           " border-radius: 6px; padding: 6px 10px; }"
                                           " QToolButton:checked { background: rgba(30, 90, 200, 200); }"
                                           " QToolButton:focus { border: 2px solid palette(highlight); }"));
    main_->cameraView()->installEventFilter(this);

    connect(capture_->pictureFreeze(), &PictureFreeze::frozenChanged, this, &FreezeControls::update);
    // Queued: a mode button toggles before the window has changed its mode.
    for (QAction *mode : main_->modeActions())
        connect(mode, &QAction::toggled, this, &FreezeControls::update, Qt::QueuedConnection);
    update();
}

FreezeControls::~FreezeControls()
{
    if (QWidget *view = main_->cameraView())
        view->removeEventFilter(this);
}

void FreezeControls::toggle()
{
    // Without a picture on screen (review mode pauses it, no camera) there is nothing to hold,
    // and the action stays off.
    capture_->setFrozen(!capture_->isFrozen());
    update();
}

void FreezeControls::update()
{
    const bool frozen = capture_->isFrozen();
    const int mode = main_->mode();
    freezeAction_->setChecked(frozen);
    freezeAction_->setEnabled(mode == LumoMainWindowController::CameraMode
                              || mode == LumoMainWindowController::ProjectMode || frozen);
    freezeAction_->setText(frozen ? tr("Un&freeze Picture") : tr("&Freeze Picture"));
    freezeAction_->setIconText(frozen ? tr("Frozen") : tr("Freeze"));
    if (floater_) {
        floater_->setVisible(mode == LumoMainWindowController::ProjectMode);
        placeFloater();
    }
}

void FreezeControls::placeFloater()
{
    if (!floater_ || !floater_->isVisible())
        return;
    floater_->adjustSize();
    // Beside the snapshot button, on its left, at the picture's bottom edge (full screen too,
    // where the picture leaves bands beside it); the drawing tools take the bottom-left corner.
    // Geometry with the origin at the bottom left.
    const QWidget *view = floater_->parentWidget();
    const QSize frame = capture_->lastFrameSize();
    const QSizeF aspect = frame.isEmpty() ? QSizeF(4, 3) : QSizeF(frame);
    const bool fullScreen = main_->fullWindow() != nullptr;
    const QRectF area(view->rect());
    const QRectF picture = FloaterGeometry::pictureFrame(area, fullScreen, aspect).intersected(area);
    const float right = FloaterGeometry::rightReference(area, fullScreen, aspect) - SnapshotClearance;
    floater_->move(std::max(int(picture.left()) + FloaterMargin, int(right) - floater_->width()),
                   view->height() - int(picture.y()) - floater_->height() - FloaterMargin);
    floater_->raise();
}

bool FreezeControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ParentChange)
        placeFloater();
    return QObject::eventFilter(watched, event);
}
