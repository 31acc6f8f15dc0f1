#include "LumoWindowController.h"

#include "ui/WindowGeometry.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLayout>
#include <QMainWindow>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QScreen>
#include <QToolBar>

namespace {

constexpr int SwapDurationMs = 200;
bool gAnimationsEnabled = true;

// Fades `view` between two opacities through an effect that is removed again at the end.
QPropertyAnimation *fade(QWidget *view, qreal from, qreal to)
{
    auto *effect = new QGraphicsOpacityEffect(view);
    effect->setOpacity(from);
    view->setGraphicsEffect(effect);
    auto *animation = new QPropertyAnimation(effect, "opacity");
    animation->setDuration(SwapDurationMs);
    animation->setStartValue(from);
    animation->setEndValue(to);
    return animation;
}

} // namespace

LumoWindowController::LumoWindowController(QObject *parent) : QObject(parent) {}

LumoWindowController::~LumoWindowController() = default;

void LumoWindowController::setAnimationsEnabled(bool enabled)
{
    gAnimationsEnabled = enabled;
}

bool LumoWindowController::animationsEnabled()
{
    return gAnimationsEnabled;
}

float LumoWindowController::toolbarHeight() const
{
    if (!window_ || !windowToolbar_ || !windowToolbar_->isVisibleTo(window_)
        || windowToolbar_->orientation() != Qt::Horizontal)
        return 0;
    // Before the window is first shown the toolbar has not been laid out yet.
    return float(window_->isVisible() ? windowToolbar_->height() : windowToolbar_->sizeHint().height());
}

void LumoWindowController::placeOverActiveWindow(QWidget *window)
{
    QWidget *opener = QApplication::activeWindow();
    if (opener == window)
        opener = nullptr;
    QScreen *screen = opener ? opener->screen() : window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // move() places a window by its frame, as frameGeometry() reports it.
    const QRectF over =
        WindowGeometry::toScreen(QRectF(opener ? opener->frameGeometry() : available), available);
    const QRectF placed = WindowGeometry::frameOverOpener(over, QSizeF(window->frameGeometry().size()),
                                                          WindowGeometry::visibleFrame(available));
    window->move(WindowGeometry::toQt(placed, available).toRect().topLeft());
}

QWidget *LumoWindowController::content() const
{
    if (auto *main = qobject_cast<QMainWindow *>(window_.data()); main && main->centralWidget())
        return main->centralWidget();
    return window_;
}

QSizeF LumoWindowController::chromeSize() const
{
    if (!window_)
        return {};
    if (window_->layout())
        window_->layout()->activate();
    const QSize frame = window_->frameGeometry().size();
    const QSize inner = content()->size();
    return {qreal(frame.width() - inner.width()), qreal(frame.height() - inner.height()) - toolbarHeight()};
}

QRect LumoWindowController::rectForContentSize(const QSize &contentSize) const
{
    if (!window_)
        return {};
    const QScreen *screen = window_->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QSizeF chrome = chromeSize();
    const QRectF frame = WindowGeometry::toScreen(QRectF(window_->frameGeometry()), available);
    const QRectF result = WindowGeometry::frameForContent(
        frame, QSizeF(contentSize.width() + chrome.width(), contentSize.height()), toolbarHeight(),
        float(chrome.height()));
    return WindowGeometry::toQt(result, available).toRect();
}

QRect LumoWindowController::rectForView(const QWidget *view) const
{
    return view ? rectForContentSize(view->size()) : QRect();
}

QRect LumoWindowController::clientRectForFrame(const QRect &frame) const
{
    // Qt places a top-level window by its client area; the decorations keep their size.
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    return frame.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                          inner.right() - outer.right(), inner.bottom() - outer.bottom());
}

void LumoWindowController::changeView(QWidget *oldView, QWidget *newView, const QRect &frame)
{
    if (!window_)
        return;
    if (animation_) // a swap still under way jumps to its end first
        animation_->setCurrentTime(animation_->totalDuration());

    const QRect client = clientRectForFrame(frame);
    QPointer<QWidget> window = window_, oldPane = oldView, newPane = newView;
    // The end state. The old view goes before the frame is set, and pending layout requests are
    // served, so that the window's minimum size no longer counts the old view.
    const auto finish = [window, oldPane, newPane, client] {
        if (oldPane && oldPane != newPane) {
            oldPane->hide();
            oldPane->setGraphicsEffect(nullptr);
        }
        if (newPane) {
            newPane->setGraphicsEffect(nullptr);
            newPane->show();
        }
        if (!window)
            return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (window->layout())
            window->layout()->activate();
        window->setGeometry(client);
    };
    if (!gAnimationsEnabled) {
        finish();
        return;
    }

    auto *group = new QParallelAnimationGroup(this);
    auto *move = new QPropertyAnimation(window_, "geometry");
    move->setDuration(SwapDurationMs);
    move->setStartValue(window_->geometry());
    move->setEndValue(client);
    group->addAnimation(move);
    if (newView) {
        group->addAnimation(fade(newView, 0, 1));
        newView->show();
    }
    if (oldView && oldView != newView)
        group->addAnimation(fade(oldView, 1, 0));
    connect(group, &QAbstractAnimation::finished, this, finish);
    animation_ = group;
    group->start(QAbstractAnimation::DeleteWhenStopped);
}
