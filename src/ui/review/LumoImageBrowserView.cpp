#include "ui/review/LumoImageBrowserView.h"

#include "library/LumoPhotoList.h"
#include "ui/review/LumoImageBrowserScroller.h"
#include "ui/review/LumoThumbnailCache.h"
#include "ui/review/LumoThumbnailDelegate.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// How long the strip must rest after a scroll before requests out of view are withdrawn: long
// enough not to do it for every step of a drag, short enough to start the next page promptly.
constexpr int SettleMs = 60;

} // namespace

LumoImageBrowserView::LumoImageBrowserView(QWidget *parent)
    : QListView(parent), cache_(new LumoThumbnailCache(LumoThumbnailDelegate::ThumbnailBound, this)),
      itemDelegate_(new LumoThumbnailDelegate(cache_, this)), scroller_(new LumoImageBrowserScroller)
{
    setObjectName(QStringLiteral("browserView"));
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setGridSize(LumoThumbnailDelegate::CellSize);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBar(scroller_);
    setFrameShape(QFrame::NoFrame);
    setItemDelegate(itemDelegate_);
    viewport()->setAutoFillBackground(false);
    setFixedHeight(LumoThumbnailDelegate::CellSize.height() + LumoImageBrowserScroller::Thickness + 4);

    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, &LumoImageBrowserView::settleRequests);
    connect(cache_, &LumoThumbnailCache::thumbnailChanged, this, &LumoImageBrowserView::thumbnailDidChange);
}

LumoImageBrowserView::~LumoImageBrowserView() = default;

void LumoImageBrowserView::setModel(QAbstractItemModel *model)
{
    if (QAbstractItemModel *old = this->model())
        disconnect(old, nullptr, &settle_, nullptr);
    QListView::setModel(model);
    updateThumbnailBound();
    if (!model)
        return;
    // A new listing, or rows coming and going, change what is in view.
    const auto settleSoon = [this] { settle_.start(); };
    connect(model, &QAbstractItemModel::modelReset, &settle_, settleSoon);
    connect(model, &QAbstractItemModel::rowsInserted, &settle_, settleSoon);
    connect(model, &QAbstractItemModel::rowsRemoved, &settle_, settleSoon);
}

void LumoImageBrowserView::scrollIndexToVisible(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    scrollTo(model()->index(row, 0), QAbstractItemView::EnsureVisible);
}

QPair<int, int> LumoImageBrowserView::visibleRows() const
{
    if (!model() || model()->rowCount() == 0)
        return {-1, -1};
    const int cell = gridSize().width() > 0 ? gridSize().width() : LumoThumbnailDelegate::CellSize.width();
    const int y = gridSize().height() / 2;
    QModelIndex first = indexAt(QPoint(0, y));
    QModelIndex last = indexAt(QPoint(viewport()->width() - 1, y));
    // Between two cells there is no index: step inwards by a cell.
    if (!first.isValid())
        first = indexAt(QPoint(qMin(cell / 2, viewport()->width() - 1), y));
    if (!last.isValid())
        last = indexAt(QPoint(qMax(0, viewport()->width() - 1 - cell / 2), y));
    const int rows = model()->rowCount();
    const int from = first.isValid() ? first.row() : 0;
    const int to = last.isValid() ? last.row() : rows - 1;
    return {from, qMax(from, to)};
}

void LumoImageBrowserView::settleRequests()
{
    auto *list = qobject_cast<LumoPhotoList *>(model());
    if (!list)
        return;
    const auto [first, last] = visibleRows();
    if (first < 0) {
        cache_->keepOnly({});
        return;
    }
    const int page = last - first + 1;
    const int from = qMax(0, first - page);
    const int to = qMin(list->rowCount() - 1, last + page);
    QSet<QString> keep;
    for (int row = from; row <= to; ++row)
        keep.insert(list->pathOfRow(row));
    cache_->keepOnly(keep);
    // The visible cells asked for theirs when they were painted; now the pages on either side,
    // nearest first, so that a scroll finds them ready.
    for (int step = 1; step <= page; ++step) {
        for (const int row : {last + step, first - step}) {
            if (row < from || row > to)
                continue;
            const QModelIndex index = list->index(row);
            if (!index.data(LumoPhotoList::IsMovieRole).toBool())
                cache_->request(list->pathOfRow(row), index.data(LumoPhotoList::SerialRole).toInt());
        }
    }
}

void LumoImageBrowserView::thumbnailDidChange(const QString &path)
{
    auto *list = qobject_cast<LumoPhotoList *>(model());
    const int row = list ? list->rowOfPath(path) : -1;
    if (row >= 0)
        update(list->index(row));
}

void LumoImageBrowserView::updateThumbnailBound()
{
    const qreal ratio = devicePixelRatioF();
    cache_->setBound((QSizeF(LumoThumbnailDelegate::ThumbnailBound) * ratio).toSize());
}

void LumoImageBrowserView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // Never the list's own handling, with or without someone to delete.
        if (delegate_)
            delegate_->deleteSelection();
        event->accept();
        return;
    case Qt::Key_Left:
        if (delegate_ && event->modifiers() == Qt::NoModifier) {
            delegate_->selectPrevious();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Right:
        if (delegate_ && event->modifiers() == Qt::NoModifier) {
            delegate_->selectNext();
            event->accept();
            return;
        }
        break;
    default:
        // Letters and signs are the window's keys (C copies, + and - zoom), not a search in
        // the list of names.
        if (!event->text().isEmpty() && event->text().at(0).isPrint()
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            event->ignore();
            return;
        }
        break;
    }
    QListView::keyPressEvent(event);
}

void LumoImageBrowserView::mousePressEvent(QMouseEvent *event)
{
    // A click beside the thumbnails would empty the selection, and the viewer with it.
    if (!indexAt(event->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void LumoImageBrowserView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid() || !delegate_) {
        event->ignore();
        return;
    }
    delegate_->cellWasRightClicked(index.row(), event->globalPos());
    event->accept();
}

void LumoImageBrowserView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    settle_.start();
}

void LumoImageBrowserView::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    settle_.start();
}
