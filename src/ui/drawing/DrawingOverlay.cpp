#include "DrawingOverlay.h"

#include "DrawingGeometry.h"
#include "DrawingModel.h"
#include "StrokePainter.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace {

// The drawing image is laid over the picture in tiles of this many pixels; empty tiles are
// skipped, so a few strokes cost little more than none.
constexpr int Tile = 16;
// The eraser reaches this many times the line width around the pointer.
constexpr qreal EraserReach = 1.5;
// A shape smaller than this (view pixels) was a click, not a shape.
constexpr qreal MinimumShape = 3;

std::optional<QString> askForText(QWidget *parent)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, DrawingOverlay::tr("Text"),
                                               DrawingOverlay::tr("Text to write on the picture:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok || text.trimmed().isEmpty())
        return std::nullopt;
    return text;
}

// The tiles of `image` with any pixel that is not fully transparent, in rows of runs.
QRegion usedTiles(const QImage &image, qreal ratio)
{
    QVector<QRect> rects;
    for (int y = 0; y < image.height(); y += Tile) {
        const int h = std::min(Tile, image.height() - y);
        int runStart = -1;
        for (int x = 0; x <= image.width(); x += Tile) {
            bool used = false;
            if (x < image.width()) {
                const int w = std::min(Tile, image.width() - x);
                for (int row = y; row < y + h && !used; ++row) {
                    const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(row)) + x;
                    for (int i = 0; i < w; ++i)
                        if (qAlpha(line[i])) {
                            used = true;
                            break;
                        }
                }
            }
            if (used && runStart < 0)
                runStart = x;
            if (!used && runStart >= 0) {
                const QRectF device(runStart, y, x - runStart, h);
                rects.append(QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect());
                runStart = -1;
            }
        }
    }
    QRegion region;
    for (const QRect &rect : rects)
        region += rect;
    return region;
}

} // namespace

DrawingOverlay::DrawingOverlay(DrawingModel *model, FrameProvider frames, QWidget *parent)
    : QWidget(parent), model_(model), frames_(std::move(frames)), prompt_(askForText)
{
    setObjectName(QStringLiteral("drawingOverlay"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TabletTracking, false);
    connect(model_, &DrawingModel::changed, this, [this] {
        updateVisibility();
        update();
    });
    updateVisibility();
}

void DrawingOverlay::setTool(DrawingTool tool)
{
    if (tool_ == tool)
        return;
    if (current_ || erasing_)
        release();
    tool_ = tool;
    updateVisibility();
}

void DrawingOverlay::updateVisibility()
{
    const bool drawing = tool_ != DrawingTool::None;
    setAttribute(Qt::WA_TransparentForMouseEvents, !drawing);
    if (drawing)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
    setVisible(drawing || !model_->isEmpty());
}

bool DrawingOverlay::pictureToView(QTransform *toView) const
{
    const LiveFrame frame = frames_ ? frames_() : LiveFrame();
    if (frame.isNull())
        return false;
    QTransform frameToView;
    if (!DrawingGeometry::pictureToView(frame.frameSize(), frame.transform(), rect(), &frameToView))
        return false;
    *toView = DrawingGeometry::drawnToFrame(model_->pictureSize(), frame.frameSize()) * frameToView;
    return true;
}

void DrawingOverlay::renderCache(const QTransform &toView)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (cache_.size() != pixels)
        cache_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(Qt::transparent);
    {
        QPainter painter(&cache_);
        StrokePainter::paint(painter, model_->strokes(), toView);
    }
    cacheUsed_ = usedTiles(cache_, ratio);
    cacheTransform_ = toView;
    cacheRevision_ = model_->revision();
}

void DrawingOverlay::paintEvent(QPaintEvent *event)
{
    QTransform toView;
    if (!pictureToView(&toView))
        return;
    const qreal ratio = devicePixelRatioF();
    if (cacheRevision_ != model_->revision() || cacheTransform_ != toView
        || cache_.size() != QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio))))
        renderCache(toView);
    QPainter painter(this);
    for (const QRect &part : cacheUsed_.intersected(event->region()))
        painter.drawImage(
            QRectF(part), cache_,
            QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
    if (current_)
        StrokePainter::paint(painter, *current_, toView);
}

void DrawingOverlay::press(const QPointF &at, std::optional<qreal> pressure)
{
    const LiveFrame frame = frames_ ? frames_() : LiveFrame();
    if (frame.isNull())
        return;
    if (model_->isEmpty())
        model_->setPictureSize(frame.frameSize());
    if (!pictureToView(&toView_))
        return;
    bool invertible = false;
    toPicture_ = toView_.inverted(&invertible);
    if (!invertible)
        return;
    const QPointF point = toPicture_.map(at);
    const qreal scale = DrawingGeometry::lengthScale(toView_);
    if (tool_ == DrawingTool::Eraser) {
        erasing_ = true;
        model_->undoStack()->beginMacro(tr("Erase"));
        eraseAt(point, lineWidth_ * EraserReach / scale);
        return;
    }
    Stroke stroke;
    stroke.tool = tool_;
    stroke.color = color_;
    stroke.width = lineWidth_ / scale;
    stroke.points << point;
    if (tool_ == DrawingTool::Text) {
        if (const std::optional<QString> text = prompt_(this)) {
            stroke.text = *text;
            model_->add(stroke);
        }
        return;
    }
    if (tool_ == DrawingTool::Pen && pressure)
        stroke.pressures << *pressure;
    if (tool_ == DrawingTool::Arrow || tool_ == DrawingTool::Rectangle || tool_ == DrawingTool::Ellipse)
        stroke.points << point;
    current_ = stroke;
    update();
}

void DrawingOverlay::move(const QPointF &at, std::optional<qreal> pressure)
{
    if (!current_ && !erasing_)
        return;
    const QPointF point = toPicture_.map(at);
    if (erasing_) {
        eraseAt(point, lineWidth_ * EraserReach / DrawingGeometry::lengthScale(toView_));
        return;
    }
    if (current_->tool == DrawingTool::Pen || current_->tool == DrawingTool::Highlighter) {
        current_->points << point;
        if (!current_->pressures.isEmpty())
            current_->pressures << pressure.value_or(current_->pressures.last());
    } else {
        current_->points[1] = point;
    }
    update();
}

void DrawingOverlay::release()
{
    if (erasing_) {
        erasing_ = false;
        model_->undoStack()->endMacro();
        return;
    }
    if (!current_)
        return;
    Stroke stroke = *current_;
    current_.reset();
    const bool shape = stroke.tool == DrawingTool::Arrow || stroke.tool == DrawingTool::Rectangle
                       || stroke.tool == DrawingTool::Ellipse;
    const QLineF diagonal(toView_.map(stroke.points.first()), toView_.map(stroke.points.last()));
    if (!shape || diagonal.length() >= MinimumShape)
        model_->add(stroke);
    update();
}

void DrawingOverlay::eraseAt(const QPointF &picturePoint, qreal radius)
{
    for (int index; (index = model_->strokeAt(picturePoint, radius)) >= 0;)
        model_->erase({index});
}

void DrawingOverlay::mousePressEvent(QMouseEvent *event)
{
    if (tool_ == DrawingTool::None || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    press(event->position(), std::nullopt);
}

void DrawingOverlay::mouseMoveEvent(QMouseEvent *event)
{
    move(event->position(), std::nullopt);
}

void DrawingOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        release();
}

void DrawingOverlay::mouseDoubleClickEvent(QMouseEvent *event)
{
    // While drawing, a quick second press starts a stroke as any press does; it is never the
    // picture's double click.
    if (tool_ == DrawingTool::None || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    press(event->position(), std::nullopt);
}

void DrawingOverlay::tabletEvent(QTabletEvent *event)
{
    if (tool_ == DrawingTool::None) {
        event->ignore();
        return;
    }
    // Taken, so no mouse events are made of it as well.
    event->accept();
    switch (event->type()) {
    case QEvent::TabletPress:
        press(event->position(), event->pressure());
        break;
    case QEvent::TabletMove:
        move(event->position(), event->pressure());
        break;
    case QEvent::TabletRelease:
        release();
        break;
    default:
        break;
    }
}
