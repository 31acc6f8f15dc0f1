#pragma once

#include <QListView>
#include <QTimer>

class LumoThumbnailCache;
class LumoThumbnailDelegate;
class LumoImageBrowserScroller;

// What the thumbnail browser asks of its owner.
class LumoImageBrowserDelegate {
public:
    virtual ~LumoImageBrowserDelegate() = default;

    // Delete or Backspace in the browser.
    virtual void deleteSelection() {}
    virtual void selectPrevious() {}
    virtual void selectNext() {}
    // A right click on the thumbnail of `row`, at `globalPos`.
    virtual void cellWasRightClicked(int row, const QPoint &globalPos)
    {
        Q_UNUSED(row)
        Q_UNUSED(globalPos)
    }
};

// The thumbnail strip of review mode: one row of cells over the photo list, scrolled sideways
// with a scroller that shows only its knob.
//
// Thumbnails come from a LumoThumbnailCache: a cell asks for its thumbnail when it is painted,
// so the visible ones are decoded first, and once the strip has settled after a scroll the
// requests for cells out of view are withdrawn and the next page on each side is asked for.
// The selection is never emptied by a click beside the thumbnails.
//
// Keys: Delete and Backspace go to the delegate (and nowhere else, even without a delegate);
// Left and Right go to the delegate when there is one, to the list's own selection otherwise.
// Main thread.
class LumoImageBrowserView : public QListView {
    Q_OBJECT
public:
    explicit LumoImageBrowserView(QWidget *parent = nullptr);
    ~LumoImageBrowserView() override;

    void setDelegate(LumoImageBrowserDelegate *delegate) { delegate_ = delegate; }
    LumoThumbnailCache *thumbnailCache() const { return cache_; }
    LumoImageBrowserScroller *scroller() const { return scroller_; }

    // Brings the cell of `row` into view.
    void scrollIndexToVisible(int row);
    // The rows whose cells are at least partly in view; empty when there are none.
    QPair<int, int> visibleRows() const;

    void setModel(QAbstractItemModel *model) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void thumbnailDidChange(const QString &path);
    // Withdraws the requests for cells out of view and asks for the neighbouring pages.
    void settleRequests();
    void updateThumbnailBound();

    LumoImageBrowserDelegate *delegate_ = nullptr;
    LumoThumbnailCache *cache_;
    LumoThumbnailDelegate *itemDelegate_;
    LumoImageBrowserScroller *scroller_;
    QTimer settle_;
};
