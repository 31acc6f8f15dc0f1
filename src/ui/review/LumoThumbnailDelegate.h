#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

class LumoThumbnailCache;

// Draws one cell of the thumbnail strip: the thumbnail fitted and centred in the upper part,
// framed when selected, the file name under it. A movie's thumbnail is its poster frame with its
// length on it. A file whose thumbnail is still on its way gets an empty frame, and a file that
// cannot be decoded (a damaged movie too) a picture of a broken photo. Main thread.
class LumoThumbnailDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The cell and, inside it, the room for the thumbnail.
    static constexpr QSize CellSize{140, 118};
    static constexpr QSize ThumbnailBound{120, 90};

    LumoThumbnailDelegate(LumoThumbnailCache *cache, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the thumbnail of a `picture`-sized image goes in `cell`: fitted into the thumbnail
    // room, centred, never enlarged.
    static QRect thumbnailRect(const QRect &cell, const QSize &picture);

private:
    static QRect thumbnailRoom(const QRect &cell);
    static QImage brokenPicture();

    LumoThumbnailCache *cache_;
};
