#pragma once

#include <QAbstractScrollArea>
#include <QFutureWatcher>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

class ImagePropertyDelegate;

// What the photo viewer asks of its owner. Every operation does nothing unless overridden.
class LumoImageViewDelegate {
public:
    virtual ~LumoImageViewDelegate() = default;

    // The viewer shows `path` now (empty: nothing).
    virtual void imagePathDidChange(const QString &path) { Q_UNUSED(path) }
    // The user asked to turn the photo: +90 turns it left, -90 right. The viewer turns nothing
    // itself; the owner rewrites the file and shows it again.
    virtual void rotateImageAtPath(const QString &path, int degrees)
    {
        Q_UNUSED(path)
        Q_UNUSED(degrees)
    }
    // One notch of the scroll wheel: the owner steps its zoom control and zooms the viewer.
    virtual void zoomIn() {}
    virtual void zoomOut() {}
};

// The zoomable photo viewer of review mode.
//
// Zoom is relative: 1.0 shows the whole photo just fitting the view, 2.0 twice that, and 0.0 the
// photo's natural size (one photo pixel per point). Each photo's relative zoom is remembered in
// the property store under ImagePropertyKeys::ZoomFactor, so a photo comes back at the step it
// was left at; a photo not seen yet opens fitted. A resize keeps the relative step.
//
// Photos are decoded off the main thread: at a reduced DCT scale that covers the view while the
// photo is shown at or below its fitted size, and at full resolution only once the zoom needs
// more pixels than the scaled decode has. The photo shown stays until the next one is ready, so
// moving through the library never blanks or stalls the window; a file that cannot be decoded
// shows nothing, a movie its film-frame picture.
//
// Dragging pans a photo larger than the view; the scroll wheel asks the delegate to step the
// zoom. A zoom keeps the photo point at the centre of the view where it is, or, from the wheel,
// the point under the mouse.
//
// Main thread; the decodes run on the viewer's own pool and touch nothing of the viewer.
class LumoImageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Full-resolution decodes stop at this many pixels; larger photos stay at the scaled decode.
    static constexpr qint64 MaxFullPixels = qint64(64) * 1000 * 1000;

    explicit LumoImageView(QWidget *parent = nullptr);
    ~LumoImageView() override;

    // The factor at which a photo of `image` pixels just fits `bounds` points: the smaller of the
    // two ratios. 0 when either size is empty (nothing to fit).
    static float countSuitableFactor(const QSizeF &bounds, const QSizeF &image);
    // Photo pixels per point for a relative zoom `relative` and a fit factor `fit`: 1.0 for the
    // natural size (relative 0), else relative times fit.
    static float absoluteZoom(float relative, float fit);

    void setDelegate(LumoImageViewDelegate *delegate) { delegate_ = delegate; }
    void setPropertiesDelegate(ImagePropertyDelegate *properties) { properties_ = properties; }

    QString path() const { return path_; }
    // Shows the photo at `path` at its remembered zoom (stored back for it), and tells the
    // delegate. An empty path shows nothing. The same path again reads the file anew, as after
    // the photo was turned.
    void setPath(const QString &path);

    // Sets and remembers the relative zoom of the photo shown.
    void setZoomFactor(float relative);
    void zoom(float relative) { setZoomFactor(relative); }
    // The last relative zoom set other than the natural size.
    float currentZoomFactor() const { return currentZoomFactor_; }
    float relativeZoomFactor() const { return relativeZoom_; }
    // For the photo shown and the view as it is; 0 while no photo is shown.
    float countSuitableFactor() const;
    float absoluteZoomFactor() const;

    // The photo's pixel size; empty while nothing is shown.
    QSize imageSize() const { return naturalSize_; }
    // The pixel size of the decode on screen, at most imageSize().
    QSize decodedSize() const { return decoded_.size(); }
    bool hasImage() const { return !decoded_.isNull(); }
    // A decode is running for the photo asked for last.
    bool isLoading() const { return loading_; }
    // What the view says in place of a photo it could not read; empty while it shows one, or
    // nothing was asked for.
    QString problemText() const;
    // What the view says for the photo at `path` when it cannot read it.
    static QString unreadableText(const QString &path);
    // The photo pixel drawn at `point` of the viewport, in the photo's upright pixels (outside
    // the photo where nothing of it is drawn there).
    QPointF imagePointAt(const QPointF &point) const;

    void rotateImageLeft();
    void rotateImageRight();

signals:
    // A decode of path() was put on screen, or the file turned out unreadable (hasImage() false).
    void imageLoaded();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // One decode's result; a null image when the file could not be read or a newer photo was
    // asked for before the decode began.
    struct Decoded {
        quint64 generation = 0;
        QSize natural;
        QImage image;
        bool full = false;
    };
    static Decoded decode(const QString &path, quint64 generation, const QSizeF &view, qreal pixelRatio,
                          float relative, std::shared_ptr<std::atomic<quint64>> latest);
    // The pixel size a decode needs for showing a `natural`-sized photo at `relative` zoom in
    // `view` points on a screen of `pixelRatio`: what is drawn, never more than the photo has.
    static QSize decodeTarget(const QSize &natural, const QSizeF &view, qreal pixelRatio, float relative);

    // Decodes path() for the zoom and view size in force.
    void load();
    void loaded(QFutureWatcher<Decoded> *watcher);
    // The decode has fewer pixels than the zoom draws, and the photo has more.
    bool needsMorePixels() const;
    // Scroll ranges, the cached scaled picture and a repaint after a zoom or size change,
    // keeping the point at the centre of the view where it was; or putting the photo point at
    // `fraction` of its width and height at the centre, or at the view point `at`.
    void relayout();
    void relayout(const QPointF &centre);
    void relayout(const QPointF &fraction, const QPointF &at);
    // The photo point at a view point, as a fraction of the photo's width and height.
    QPointF fractionAt(const QPointF &point) const;
    QPointF centreFraction() const;
    QSizeF displaySize() const;
    QRectF imageRect() const;

    LumoImageViewDelegate *delegate_ = nullptr;
    ImagePropertyDelegate *properties_ = nullptr;
    QString path_;
    float currentZoomFactor_ = 1.0f;
    float relativeZoom_ = 1.0f;

    QSize naturalSize_;
    QImage decoded_;
    QString shownPath_; // the photo decoded_ is of
    QPixmap scaled_;    // decoded_ at the size it is drawn, made once per zoom and size
    bool loading_ = false;

    QThreadPool *pool_; // released, not deleted, by the destructor
    quint64 generation_ = 0;
    std::shared_ptr<std::atomic<quint64>> latest_;
    QPointer<QFutureWatcher<Decoded>> watcher_;

    QPoint dragStart_;
    QPoint dragScroll_;
    bool dragging_ = false;
    int wheelDelta_ = 0;
    // The view point a zoom keeps still while a wheel event zooms; the centre otherwise.
    std::optional<QPointF> zoomAnchor_;
};
