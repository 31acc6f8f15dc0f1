#include "PanControls.h"

#include "PanGeometry.h"
#include "PanOverview.h"
#include "core/Delays.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/CaptureView.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/drawing/DrawingController.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

// How long the overview stays after the part stopped moving.
constexpr Delays::Ms OverviewRest{1500};
// A key moves the shown part by this share of the view.
constexpr qreal KeyStep = 0.125;
constexpr int OverviewLongest = 120;
constexpr int OverviewMargin = 12;

} // namespace

PanControls::PanControls(LumoMainWindowController *main, QObject *parent)
    : QObject(parent), main_(main), capture_(main->captureController()), cameraView_(main->cameraView()),
      overlay_(main->drawing() ? main->drawing()->overlay() : nullptr), overviewRest_(new QTimer(this))
{
    struct Direction {
        const char *text;
        const char *tip;
        Qt::Key key;
        QPointF towards;
    };
    const Direction directions[] = {
        {QT_TR_NOOP("Pan &Left"),
         QT_TR_NOOP("Show more of the page's left side when zoomed in (Alt+Left)"),
         Qt::Key_Left,
         {-1, 0}},
        {QT_TR_NOOP("Pan Ri&ght"),
         QT_TR_NOOP("Show more of the page's right side when zoomed in (Alt+Right)"),
         Qt::Key_Right,
         {1, 0}},
        {QT_TR_NOOP("Pan &Up"),
         QT_TR_NOOP("Show more of the page's top when zoomed in (Alt+Up)"),
         Qt::Key_Up,
         {0, -1}},
        {QT_TR_NOOP("Pan &Down"),
         QT_TR_NOOP("Show more of the page's bottom when zoomed in (Alt+Down)"),
         Qt::Key_Down,
         {0, 1}},
    };
    for (const Direction &d : directions) {
        auto *action = new QAction(tr(d.text), this);
        action->setShortcut(QKeySequence(Qt::ALT | d.key));
        action->setToolTip(tr(d.tip));
        const QPointF towards = d.towards;
        connect(action, &QAction::triggered, this, [this, towards] { step(towards); });
        // The keys work in whichever window shows the picture: the main window or the full-screen one.
        cameraView_->addAction(action);
        actions_ << action;
    }

    overview_ = new PanOverview(cameraView_);
    overviewRest_->setSingleShot(true);
    connect(overviewRest_, &QTimer::timeout, overview_.data(), &QWidget::hide);

    cameraView_->installEventFilter(this);
    if (overlay_)
        overlay_->installEventFilter(this);
}

PanControls::~PanControls()
{
    if (cameraView_)
        cameraView_->removeEventFilter(this);
    if (overlay_)
        overlay_->removeEventFilter(this);
}

PanOverview *PanControls::overview() const
{
    return overview_;
}

bool PanControls::canPan() const
{
    const int mode = main_->mode();
    const CaptureView *view = capture_->captureView();
    return (mode == LumoMainWindowController::CameraMode || mode == LumoMainWindowController::ProjectMode)
           && view && !view->frame().isNull() && capture_->zoom() > 1.0f
           && (!overlay_ || overlay_->tool() == DrawingTool::None);
}

bool PanControls::drag(const QPointF &from, const QPointF &to)
{
    CaptureView *view = capture_->captureView();
    if (!view)
        return false;
    const LiveFrame frame = view->frame();
    if (frame.isNull() || !FrameTransform::zooms(frame.transform()))
        return false;
    // The frame on screen carries the centre it was shown with; the newest setting counts.
    FrameTransform::Settings transform = frame.transform();
    transform.pan = capture_->pan();
    capture_->setPan(PanGeometry::dragged(frame.frameSize(), transform, view->rect(), from, to));
    showOverview();
    return true;
}

void PanControls::step(const QPointF &towards)
{
    const CaptureView *view = capture_->captureView();
    if (!canPan() || !view)
        return;
    // Showing more of the left side moves the page to the right under the view.
    const QPointF centre = QRectF(view->rect()).center();
    const QPointF by(-towards.x() * view->width() * KeyStep, -towards.y() * view->height() * KeyStep);
    drag(centre, centre + by);
}

void PanControls::showOverview()
{
    const CaptureView *view = capture_->captureView();
    if (!overview_ || !view || !cameraView_)
        return;
    FrameTransform::Settings transform = view->frame().transform();
    transform.pan = capture_->pan();
    const QSize frameSize = view->frame().frameSize();
    const QSize box =
        PanGeometry::overviewSize(FrameTransform::turned(frameSize, transform.quarterTurns), OverviewLongest)
            .toSize();
    if (box.isEmpty())
        return;
    // In the top-left corner of the picture as it lies in the view, clear of the project mode's
    // close button and control strip.
    const QRect picture =
        CaptureView::fittedRect(FrameTransform::shownSize(frameSize, transform), cameraView_->rect());
    overview_->setGeometry(picture.left() + OverviewMargin, picture.top() + OverviewMargin, box.width(),
                           box.height());
    overview_->setShownPart(PanGeometry::shownPart(frameSize, transform, QRectF(QPointF(0, 0), QSizeF(box))));
    overview_->show();
    overview_->raise();
    overviewRest_->start(Delays::scaled(OverviewRest));
}

bool PanControls::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        // Seen by the drawing and again by the view below it: one gesture.
        if (pressed_ && mouse->globalPosition() == pressedAt_)
            return true;
        const bool press = event->type() == QEvent::MouseButtonPress;
        // Qt makes the second press soon after a drag a double click: it starts the next drag.
        if (!canPan() || (!press && !lastWasDrag_)) {
            lastWasDrag_ = false;
            break;
        }
        pressed_ = true;
        dragging_ = false;
        lastWasDrag_ = false;
        pressedAt_ = mouse->globalPosition();
        pressedPan_ = capture_->pan();
        pressModifiers_ = mouse->modifiers();
        // Held back until the release tells a click from a drag: a click in project mode shows
        // or hides the controls, a drag must not.
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!pressed_ || !(mouse->buttons() & Qt::LeftButton))
            break;
        if (!dragging_
            && (mouse->globalPosition() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
            return true;
        dragging_ = true;
        CaptureView *view = capture_->captureView();
        if (!view)
            return true;
        // From where the gesture began, so a move seen twice moves the part once.
        capture_->setPan(pressedPan_);
        drag(view->mapFromGlobal(pressedAt_), view->mapFromGlobal(mouse->globalPosition()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !pressed_)
            break;
        const bool dragged = dragging_;
        pressed_ = dragging_ = false;
        lastWasDrag_ = dragged;
        if (dragged)
            return true;
        // A click after all: the window above the picture gets the press it was kept from,
        // then this release.
        if (QWidget *above = cameraView_ ? cameraView_->parentWidget() : nullptr) {
            QMouseEvent click(QEvent::MouseButtonPress, above->mapFromGlobal(pressedAt_), pressedAt_,
                              Qt::LeftButton, Qt::LeftButton, pressModifiers_);
            QApplication::sendEvent(above, &click);
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
