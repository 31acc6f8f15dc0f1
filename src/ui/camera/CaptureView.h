#pragma once

#include "capture/LiveFrame.h"

#include <QImage>
#include <QWidget>

#include <atomic>
#include <mutex>

class QPainter;

// Shows the live picture: the newest frame, aspect-fitted on black.
//
// setFrame() may be called from the frame thread: it keeps only the newest frame and asks for
// one repaint, so a slow paint never holds up the stream (newest wins). Painting applies the
// frame's zoom and mirroring while it scales the visible part to the size on screen, once, into
// a buffer of the screen's size that is then drawn unscaled; only the letterbox bars around the
// picture are filled. A frame that comes ready to paint (LiveFrame::isPresented()) at the size
// on screen is drawn as it is.
class CaptureView : public QWidget {
    Q_OBJECT
public:
    explicit CaptureView(QWidget *parent = nullptr);

    void setFrame(const LiveFrame &frame);
    LiveFrame frame() const;
    void clear();

    // The camera stopped sending: the picture is dimmed under a notice that says so, until the
    // next frame comes. Main thread.
    void setStalled(bool stalled);
    bool isStalled() const { return stalled_; }

    // The picture is held still: a "Frozen" plate says so over it, on any page. Main thread.
    void setFrozen(bool frozen);
    bool isFrozen() const { return frozen_; }

    // The view's size in device pixels, for the frame thread to decode no more than it shows.
    // Empty until the view has been laid out.
    QSize areaSize() const;

    // The rectangle a `frame`-sized picture takes in `area`, keeping its aspect ratio, centred.
    static QRect fittedRect(const QSize &frame, const QRect &area);
    // Renders what a view shows of `frame` into `out` (an unshared 32-bit image of the size on
    // screen): the visible part, scaled, mirrored and turned (a presented picture only scaled);
    // `scratch` is kept between calls.
    static bool renderPicture(const LiveFrame &frame, QImage &out, QImage &scratch);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintFrozenPlate(QPainter &painter, const QRect &target);

    mutable std::mutex mutex_;
    LiveFrame frame_;
    std::atomic<bool> repaintPending_{false};
    std::atomic<bool> stalled_{false};
    bool frozen_ = false;
    bool paintedPicture_ = false;       // main thread
    std::atomic<uint32_t> areaSize_{0}; // width << 16 | height, device pixels
    // Main thread: the picture as last painted, and the scaling step before mirroring.
    QImage presented_;
    QImage scratch_;
};
