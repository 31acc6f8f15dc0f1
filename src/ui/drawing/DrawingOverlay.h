#pragma once

#include "Stroke.h"
#include "capture/LiveFrame.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <optional>

class DrawingModel;
class QTabletEvent;

// Lies over the live picture at its full size and paints the drawing there; with a tool chosen
// it takes the pointer (mouse or tablet pen) and draws, otherwise clicks and double clicks go
// through to the picture below. It paints in picture coordinates mapped by DrawingGeometry
// from the frame on screen, so the strokes stay on their spot of the page whatever the zoom or
// the window's size.
//
// The picture below repaints with every frame, and this overlay with it: the drawing is kept
// rendered at the view's size and only the parts of that image with something drawn in them
// are laid over the picture, redrawn only when the drawing or the mapping changes. Hidden while
// there is nothing to draw and no tool. Main thread.
class DrawingOverlay : public QWidget {
    Q_OBJECT
public:
    using FrameProvider = std::function<LiveFrame()>;

    DrawingOverlay(DrawingModel *model, FrameProvider frames, QWidget *parent = nullptr);

    DrawingTool tool() const { return tool_; }
    void setTool(DrawingTool tool);
    void setColor(const QColor &color) { color_ = color; }
    QColor color() const { return color_; }
    // The line width in view pixels, at the zoom of the moment it is drawn.
    void setLineWidth(qreal width) { lineWidth_ = width; }
    qreal lineWidth() const { return lineWidth_; }

    // The mapping from picture to view of the frame on screen; false while none shows.
    bool pictureToView(QTransform *toView) const;

    // Asks for the words of a text stroke; a dialog unless a test sets another.
    using TextPrompt = std::function<std::optional<QString>(QWidget *parent)>;
    void setTextPrompt(TextPrompt prompt) { prompt_ = std::move(prompt); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void tabletEvent(QTabletEvent *event) override;

private:
    // Pointer input in view coordinates; `pressure` is empty for a mouse.
    void press(const QPointF &at, std::optional<qreal> pressure);
    void move(const QPointF &at, std::optional<qreal> pressure);
    void release();
    void eraseAt(const QPointF &picturePoint, qreal viewRadius);
    void updateVisibility();
    void renderCache(const QTransform &toView);

    DrawingModel *model_;
    FrameProvider frames_;
    TextPrompt prompt_;
    DrawingTool tool_ = DrawingTool::None;
    QColor color_ = Qt::red;
    qreal lineWidth_ = 5;

    // The stroke being drawn, in picture coordinates, and the mapping it is drawn through.
    std::optional<Stroke> current_;
    QTransform toView_;
    QTransform toPicture_; // its inverse, for the moves of the same stroke
    bool erasing_ = false;

    // The drawing rendered at the view's size, what it was rendered for, and where it has
    // anything (in view pixels).
    QImage cache_;
    QTransform cacheTransform_;
    quint64 cacheRevision_ = ~quint64(0);
    QRegion cacheUsed_;
};
