#pragma once

#include <QPixmap>
#include <QSizeF>
#include <QWidget>

// A picture that acts as a button: the exit image normally, the enter image while the pointer is
// inside (or permanently while it is "up", as the selected mode button is). It has no background
// of its own, so whatever lies behind it shows around and through the picture. With the keyboard
// focus (Tab, when its owner gives it a tab focus policy) it draws a ring in the palette's
// highlight colour and Space or Return press it. Main thread.
class LumoButtonView : public QWidget {
    Q_OBJECT
public:
    explicit LumoButtonView(QWidget *parent = nullptr);

    QPixmap enterImage() const { return enterImage_; }
    void setEnterImage(const QPixmap &image);
    QPixmap exitImage() const { return exitImage_; }
    // Also records the image's size as the source size.
    void setExitImage(const QPixmap &image);
    // The size of the exit image when it was set (device-independent pixels).
    QSizeF srcSize() const { return srcSize_; }

    bool shouldResponse() const { return shouldResponse_; }
    // A view that should not respond ignores clicks but still shows its hover image.
    void setShouldResponse(bool respond) { shouldResponse_ = respond; }
    // Responds and has a receiver for its clicks: a button rather than a picture.
    bool isPressable() const;
    // A click from the keyboard (Space, Return) or assistive technology: as a press would.
    void click();
    bool isUp() const { return isUp_; }
    void setIsUp(bool up);
    bool isEnter() const { return isEnter_; }

    // The picture the view shows now: null when there is none to draw.
    QPixmap currentImage() const;

signals:
    // A press while the view responds; the receiver may use sender() to tell views apart.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap enterImage_;
    QPixmap exitImage_;
    QSizeF srcSize_;
    bool shouldResponse_ = true;
    bool isUp_ = false;
    bool isEnter_ = false;
};
