#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QToolBar>

class QAbstractAnimation;
class QWidget;

// Base of the window controllers whose window carries a toolbar and swaps whole panes: it
// measures the toolbar, computes the window frame that fits a pane, and runs the swap.
//
// The window is not owned. Its "content" is the central widget of a QMainWindow, or the window
// itself otherwise; everything around the content (title bar, menu bar, toolbar, status bar)
// is the window's chrome and is kept when the content changes size. Main thread.
class LumoWindowController : public QObject {
    Q_OBJECT
public:
    explicit LumoWindowController(QObject *parent = nullptr);
    ~LumoWindowController() override;

    QWidget *window() const { return window_; }
    void setWindow(QWidget *window) { window_ = window; }
    QToolBar *windowToolbar() const { return windowToolbar_; }
    void setWindowToolbar(QToolBar *toolbar) { windowToolbar_ = toolbar; }

    // The height the toolbar takes while it is shown, else 0.
    float toolbarHeight() const;

    // The chrome around the content: title bar and bars, without the toolbar (its height) and
    // the window's side borders (its width).
    QSizeF chromeSize() const;

    // The window frame, in Qt coordinates, that shows content of `contentSize` as the whole
    // content, keeping the frame's top-left corner.
    QRect rectForContentSize(const QSize &contentSize) const;
    // The same for a view at its current size (give a pane its size before asking).
    QRect rectForView(const QWidget *view) const;

    // Moves the window to the frame `frame` (as from rectForView()) while `newView` fades in and
    // `oldView` fades out; returns at once. Either view may be null; for the fade to read well
    // both share one place (a QStackedLayout in StackAll mode). At the end the new view is shown,
    // the old one hidden and the window has the frame; removing the old view is left to the
    // caller.
    void changeView(QWidget *oldView, QWidget *newView, const QRect &frame);

    // Moves `window` over the window it is opened from (the active window, unless that is
    // `window` itself), or over the middle of the screen when there is none; inside the screen
    // either way. For a window about to be shown, at the size it will have.
    static void placeOverActiveWindow(QWidget *window);

    // Animations on (the default) or off: off, changeView() reaches its end state at once.
    static void setAnimationsEnabled(bool enabled);
    static bool animationsEnabled();

private:
    QWidget *content() const;
    QRect clientRectForFrame(const QRect &frame) const;

    QPointer<QWidget> window_;
    QPointer<QToolBar> windowToolbar_;
    QPointer<QAbstractAnimation> animation_;
};
