#include "ui/review/LumoImageView.h"

#include "core/ThreadPoolRelease.h"
#include "library/FileItem.h"
#include "library/ImagePropertyDelegate.h"
#include "library/LumoPhotoList.h"
#include "library/PhotoDecoding.h"
#include "library/Thumbnailer.h"

#include <QMouseEvent>
#include <QFileInfo>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtConcurrent>

#include <cmath>

namespace {

// One notch of a mouse wheel, in eighths of a degree. Touchpads send many smaller deltas, which
// add up to notches.
constexpr int WheelNotch = 120;

bool isMoviePath(const QString &path)
{
    return LumoPhotoList::typeOfName(QFileInfo(path).fileName()) == FileItem::Movie;
}

} // namespace

LumoImageView::LumoImageView(QWidget *parent)
    : QAbstractScrollArea(parent), pool_(new QThreadPool), latest_(std::make_shared<std::atomic<quint64>>(0))
{
    setObjectName(QStringLiteral("imageView"));
    // No scrollers: the photo is panned by dragging.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    // Keys belong to the strip and the window: the arrows move through the photos. (The album
    // passes the focus of a click on the photo on to the strip.)
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(false);
    // One decode at a time: a newer request makes the waiting ones return at once.
    pool_->setMaxThreadCount(1);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

LumoImageView::~LumoImageView()
{
    latest_->store(0);
    // A decode stuck in a file system that does not answer must not hold up quitting.
    releaseThreadPool(pool_);
}

float LumoImageView::countSuitableFactor(const QSizeF &bounds, const QSizeF &image)
{
    if (bounds.isEmpty() || image.isEmpty())
        return 0;
    return std::min(float(bounds.width() / image.width()), float(bounds.height() / image.height()));
}

float LumoImageView::absoluteZoom(float relative, float fit)
{
    return relative == 0.0f ? 1.0f : relative * fit;
}

QSize LumoImageView::decodeTarget(const QSize &natural, const QSizeF &view, qreal pixelRatio, float relative)
{
    if (natural.isEmpty())
        return {};
    const float zoom = absoluteZoom(relative, countSuitableFactor(view, QSizeF(natural)));
    QSize target(int(std::ceil(natural.width() * zoom * pixelRatio)),
                 int(std::ceil(natural.height() * zoom * pixelRatio)));
    target = target.boundedTo(natural).expandedTo(QSize(1, 1));
    // An enormous photo is never decoded whole: it is shown from a decode of this many pixels.
    const qint64 pixels = qint64(target.width()) * target.height();
    if (pixels > MaxFullPixels) {
        const double shrink = std::sqrt(double(MaxFullPixels) / double(pixels));
        target = QSize(int(target.width() * shrink), int(target.height() * shrink));
    }
    return target;
}

LumoImageView::Decoded LumoImageView::decode(const QString &path, quint64 generation, const QSizeF &view,
                                             qreal pixelRatio, float relative,
                                             std::shared_ptr<std::atomic<quint64>> latest)
{
    Decoded result;
    result.generation = generation;
    if (latest->load() != generation)
        return result; // a newer photo was asked for meanwhile
    if (isMoviePath(path)) {
        result.image = FileItem::moviePlaceholder();
        result.natural = result.image.size();
        return result;
    }
    result.natural = Thumbnailer::uprightSize(path);
    const QSize target = decodeTarget(result.natural, view, pixelRatio, relative);
    if (target.isEmpty())
        return result;
    result.image = decodePhotoForView(path, target);
    return result;
}

void LumoImageView::setPath(const QString &path)
{
    path_ = path;
    float zoom = 1.0f;
    if (properties_) {
        const QVariant stored = properties_->valueForKey(QLatin1String(ImagePropertyKeys::ZoomFactor), path);
        if (stored.isValid())
            zoom = stored.toFloat();
    }
    if (path.isEmpty()) {
        ++generation_;
        latest_->store(generation_);
        watcher_.clear();
        loading_ = false;
        naturalSize_ = QSize();
        decoded_ = QImage();
        shownPath_.clear();
        setZoomFactor(zoom);
    } else {
        // The photo on screen stays until the new one is ready; the decode is sized for the new
        // photo's zoom.
        loading_ = true;
        setZoomFactor(zoom);
        load();
    }
    if (delegate_)
        delegate_->imagePathDidChange(path);
}

void LumoImageView::setZoomFactor(float relative)
{
    if (properties_)
        properties_->setValue(relative, QLatin1String(ImagePropertyKeys::ZoomFactor), path_);
    // The photo point under the mouse (a wheel zoom) or at the centre stays where it is.
    const QPointF at = zoomAnchor_.value_or(QRectF(QPointF(), QSizeF(viewport()->size())).center());
    const QPointF fraction = fractionAt(at);
    relativeZoom_ = relative;
    if (relative != 0.0f)
        currentZoomFactor_ = relative;
    relayout(fraction, at);
    if (!loading_ && needsMorePixels())
        load();
}

float LumoImageView::countSuitableFactor() const
{
    return countSuitableFactor(QSizeF(viewport()->size()), QSizeF(naturalSize_));
}

float LumoImageView::absoluteZoomFactor() const
{
    if (naturalSize_.isEmpty())
        return 0;
    return absoluteZoom(relativeZoom_, countSuitableFactor());
}

void LumoImageView::load()
{
    if (path_.isEmpty())
        return;
    ++generation_;
    latest_->store(generation_);
    loading_ = true;
    auto *watcher = new QFutureWatcher<Decoded>(this);
    watcher_ = watcher;
    connect(watcher, &QFutureWatcher<Decoded>::finished, this, [this, watcher] { loaded(watcher); });
    watcher->setFuture(QtConcurrent::run(pool_, &LumoImageView::decode, path_, generation_,
                                         QSizeF(viewport()->size()), devicePixelRatioF(), relativeZoom_,
                                         latest_));
}

void LumoImageView::loaded(QFutureWatcher<Decoded> *watcher)
{
    watcher->deleteLater();
    if (watcher != watcher_)
        return; // superseded
    const Decoded result = watcher->result();
    if (result.generation != generation_)
        return;
    watcher_.clear();
    loading_ = false;
    // The same photo again (a sharper decode, or the file rewritten) keeps the part in view; another
    // photo opens centred.
    const QPointF centre = shownPath_ == path_ && !decoded_.isNull() ? centreFraction() : QPointF(0.5, 0.5);
    naturalSize_ = result.image.isNull() ? QSize() : result.natural;
    decoded_ = result.image;
    shownPath_ = path_;
    relayout(centre);
    // The zoom or the view changed while decoding: a larger decode follows.
    if (needsMorePixels())
        load();
    emit imageLoaded();
}

bool LumoImageView::needsMorePixels() const
{
    if (decoded_.isNull() || naturalSize_.isEmpty() || isMoviePath(path_))
        return false;
    const QSize target =
        decodeTarget(naturalSize_, QSizeF(viewport()->size()), devicePixelRatioF(), relativeZoom_);
    // A pixel or two of rounding is not worth another decode.
    return target.width() > decoded_.width() + 2 || target.height() > decoded_.height() + 2;
}

QSizeF LumoImageView::displaySize() const
{
    const float zoom = absoluteZoomFactor();
    return QSizeF(naturalSize_) * zoom;
}

QRectF LumoImageView::imageRect() const
{
    const QSizeF size = displaySize();
    const QSizeF view(viewport()->size());
    // Centred where the photo is smaller than the view, panned where it is larger.
    const qreal x = size.width() <= view.width() ? (view.width() - size.width()) / 2
                                                 : -qreal(horizontalScrollBar()->value());
    const qreal y = size.height() <= view.height() ? (view.height() - size.height()) / 2
                                                   : -qreal(verticalScrollBar()->value());
    return QRectF(QPointF(x, y), size);
}

QPointF LumoImageView::fractionAt(const QPointF &point) const
{
    const QRectF rect = imageRect();
    if (rect.isEmpty())
        return {0.5, 0.5};
    return {(point.x() - rect.x()) / rect.width(), (point.y() - rect.y()) / rect.height()};
}

QPointF LumoImageView::centreFraction() const
{
    return fractionAt(QRectF(QPointF(), QSizeF(viewport()->size())).center());
}

QPointF LumoImageView::imagePointAt(const QPointF &point) const
{
    const QPointF fraction = fractionAt(point);
    return {fraction.x() * naturalSize_.width(), fraction.y() * naturalSize_.height()};
}

void LumoImageView::relayout()
{
    relayout(centreFraction());
}

void LumoImageView::relayout(const QPointF &centre)
{
    relayout(centre, QRectF(QPointF(), QSizeF(viewport()->size())).center());
}

void LumoImageView::relayout(const QPointF &fraction, const QPointF &at)
{
    const QSizeF view(viewport()->size());
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    const QSizeF size = displaySize();
    h->setRange(0, std::max(0, int(std::ceil(size.width() - view.width()))));
    v->setRange(0, std::max(0, int(std::ceil(size.height() - view.height()))));
    h->setPageStep(int(view.width()));
    v->setPageStep(int(view.height()));
    h->setValue(int(std::lround(fraction.x() * size.width() - at.x())));
    v->setValue(int(std::lround(fraction.y() * size.height() - at.y())));

    scaled_ = QPixmap();
    viewport()->update();
}

void LumoImageView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    const QString problem = problemText();
    if (!problem.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(viewport()->rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap,
                         problem);
        return;
    }
    if (decoded_.isNull() || naturalSize_.isEmpty())
        return;
    const QRectF target = imageRect();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (target.size() * ratio).toSize();
    if (pixels.isEmpty())
        return;
    if (scaled_.isNull() || scaled_.size() != pixels) {
        // Scaled once per zoom and size, so that panning and repaints only copy pixels.
        const QImage image = decoded_.size() == pixels
                                 ? decoded_
                                 : decoded_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_ = QPixmap::fromImage(image);
        scaled_.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(target.topLeft(), scaled_);
}

QString LumoImageView::problemText() const
{
    // An empty, damaged or foreign file gives no picture: the user is told so rather than left
    // with an empty view.
    if (path_.isEmpty() || loading_ || shownPath_ != path_ || !decoded_.isNull())
        return {};
    return unreadableText(path_);
}

QString LumoImageView::unreadableText(const QString &path)
{
    return tr("\u201c%1\u201d cannot be shown: the file is empty, damaged or not a JPEG photo.")
        .arg(QFileInfo(path).fileName());
}

void LumoImageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The photo keeps its zoom step relative to the new fit.
    if (!path_.isEmpty())
        setZoomFactor(relativeZoom_);
}

void LumoImageView::wheelEvent(QWheelEvent *event)
{
    // One zoom step per notch; a purely sideways scroll zooms nothing.
    const int delta = event->angleDelta().y();
    event->accept();
    if (delta == 0)
        return;
    if ((delta > 0) != (wheelDelta_ > 0))
        wheelDelta_ = 0;
    wheelDelta_ += delta;
    // The delegate zooms the viewer back through setZoomFactor(), which keeps this point still.
    zoomAnchor_ = event->position();
    const auto clearAnchor = qScopeGuard([this] { zoomAnchor_.reset(); });
    while (std::abs(wheelDelta_) >= WheelNotch) {
        if (!delegate_) {
            wheelDelta_ = 0;
            break;
        }
        if (wheelDelta_ > 0) {
            wheelDelta_ -= WheelNotch;
            delegate_->zoomIn();
        } else {
            wheelDelta_ += WheelNotch;
            delegate_->zoomOut();
        }
    }
}

void LumoImageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragStart_ = event->position().toPoint();
    dragScroll_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (horizontalScrollBar()->maximum() > 0 || verticalScrollBar()->maximum() > 0)
        viewport()->setCursor(Qt::ClosedHandCursor);
}

void LumoImageView::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging_)
        return;
    const QPoint moved = event->position().toPoint() - dragStart_;
    horizontalScrollBar()->setValue(dragScroll_.x() - moved.x());
    verticalScrollBar()->setValue(dragScroll_.y() - moved.y());
}

void LumoImageView::mouseReleaseEvent(QMouseEvent *event)
{
    dragging_ = false;
    viewport()->unsetCursor();
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void LumoImageView::rotateImageLeft()
{
    if (delegate_ && !path_.isEmpty())
        delegate_->rotateImageAtPath(path_, 90);
}

void LumoImageView::rotateImageRight()
{
    if (delegate_ && !path_.isEmpty())
        delegate_->rotateImageAtPath(path_, -90);
}
