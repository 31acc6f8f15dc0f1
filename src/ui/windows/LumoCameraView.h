#pragma once

#include <QPointer>
#include <QWidget>

// The view that carries the live picture, on black, from the main window to the full-screen
// window and back. Its picture and its cover (the instant preview) both fill it, the cover
// above the picture; the floating controls are further children above both. Main thread.
class LumoCameraView : public QWidget {
    Q_OBJECT
public:
    explicit LumoCameraView(QWidget *parent = nullptr);

    // Each is owned by the view and kept at its full size. The cover starts hidden.
    void setPicture(QWidget *picture);
    void setCover(QWidget *cover);
    // The drawing over the picture: kept at full size above the picture and beneath the cover.
    // It shows and hides itself.
    void setOverlay(QWidget *overlay);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<QWidget> picture_;
    QPointer<QWidget> cover_;
    QPointer<QWidget> overlay_;
};
