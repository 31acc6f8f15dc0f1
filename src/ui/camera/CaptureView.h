#pragma once

#include <QImage>
#include <QWidget>

#include <atomic>
#include <mutex>

// Shows the live picture: the newest frame, aspect-fitted on black.
//
// setFrame() may be called from the frame thread: it keeps only the newest frame and asks for
// one repaint, so a slow paint never holds up the stream (newest wins).
class CaptureView : public QWidget {
    Q_OBJECT
public:
    explicit CaptureView(QWidget *parent = nullptr);

    void setFrame(const QImage &frame);
    QImage frame() const;
    void clear();

    // The rectangle a `frame`-sized picture takes in `area`, keeping its aspect ratio, centred.
    static QRect fittedRect(const QSize &frame, const QRect &area);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    mutable std::mutex mutex_;
    QImage frame_;
    std::atomic<bool> repaintPending_{false};
};
