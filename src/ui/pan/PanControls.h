#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class DrawingOverlay;
class LumoCaptureViewController;
class LumoMainWindowController;
class PanOverview;
class QAction;
class QTimer;
class QWidget;

// Moves the zoomed part over the page: a drag on the picture (camera mode and project mode) and
// four actions with Alt+arrow keys in the View menu. A drag is not a click, so a double click
// keeps its meaning; a chosen drawing tool takes the pointer instead. While the part moves, and
// for a moment after, a small overview in the picture's top-left corner shows where it lies on
// the page. Main thread.
class PanControls : public QObject {
    Q_OBJECT
public:
    PanControls(LumoMainWindowController *main, QObject *parent = nullptr);
    ~PanControls() override;

    // Left, right, up, down: each moves the shown part that way over the page as shown.
    QList<QAction *> actions() const { return actions_; }
    PanOverview *overview() const;

    // Moves the shown part as a drag on the view from `from` to `to` (view coordinates of the
    // picture) would; false when there is no zoomed picture to move.
    bool drag(const QPointF &from, const QPointF &to);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool canPan() const;
    void step(const QPointF &direction);
    void showOverview();

    LumoMainWindowController *main_;
    LumoCaptureViewController *capture_;
    QPointer<QWidget> cameraView_;
    QPointer<DrawingOverlay> overlay_;
    QPointer<PanOverview> overview_;
    QTimer *overviewRest_;
    QList<QAction *> actions_;

    // The pointer gesture on a zoomed picture: where the left button went down, the centre then,
    // and whether it has moved far enough to be a drag (then neither its press, its release nor
    // a double click right after it is a click on the picture).
    bool pressed_ = false;
    bool dragging_ = false;
    bool lastWasDrag_ = false;
    QPointF pressedAt_; // global
    QPointF pressedPan_;
    Qt::KeyboardModifiers pressModifiers_;
};
