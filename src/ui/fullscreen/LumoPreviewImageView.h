#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>

// The photo just taken, shown for a moment in place of the live picture: aspect-fitted and
// centred on black. With no image it is plain black, the shutter's blank frame. Main thread.
class LumoPreviewImageView : public QWidget {
    Q_OBJECT
public:
    explicit LumoPreviewImageView(QWidget *parent = nullptr);

    QImage image() const { return image_; }
    // The caller asks for a redraw (update()) after setting it.
    void setImage(const QImage &image) { image_ = image; }

    // Where an image of `imageSize` is drawn in `view`: full height, centred across, when the image
    // is relatively taller than the view; otherwise (equal aspects too) full width, centred up
    // and down.
    static QRectF targetRect(const QSizeF &imageSize, const QRectF &view);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
};
