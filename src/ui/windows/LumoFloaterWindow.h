#pragma once

#include <QPointer>
#include <QRectF>
#include <QWidget>

// The base of the floating controls over the picture (focus cross, snapshot and focus buttons,
// countdown, exposure read-out, the full-screen strip and close button). Despite the name it is
// not a window of its own but an overlay child of the widget that shows the picture, so it
// moves, hides and stacks with it on every desktop.
//
// Its frame is kept in the container's coordinates with the origin at the bottom left, y up;
// the conversion to Qt's geometry happens here only, and again whenever the container resizes,
// so a floater placed near the bottom stays there. Main thread.
class LumoFloaterWindow : public QWidget {
    Q_OBJECT
public:
    explicit LumoFloaterWindow(QWidget *container);

    // Moves the floater over another container, at the same frame.
    void setContainer(QWidget *container);

    // The frame it was loaded with; zooming scales this size.
    void loadFrame(const QRectF &frame);
    QRectF srcFrame() const { return srcFrame_; }

    QRectF frame() const { return frame_; }
    void setFrame(const QRectF &frame);
    void setFrameOrigin(const QPointF &origin);

    // Shows the content widget over the whole floater; the floater owns it.
    void setContentWidget(QWidget *content);
    QWidget *contentWidget() const { return content_; }

    qreal opacity() const { return opacity_; }
    void setOpacity(qreal opacity);

    // The loaded size times the factor, at the same origin.
    qreal zoomFactor() const { return zoomFactor_; }
    void setZoomFactor(qreal factor);

    // Shown on top of its siblings (the picture and other floaters shown before).
    void showFloater();
    void hideFloater() { hide(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Taken here: a click on a floater never reaches the window below it.
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyFrame();

    QRectF srcFrame_;
    QRectF frame_;
    QPointer<QWidget> content_;
    qreal opacity_ = 1.0;
    qreal zoomFactor_ = 1.0;
};
