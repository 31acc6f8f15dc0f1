#include "ui/review/LumoThumbnailDelegate.h"

#include "library/LumoPhotoList.h"
#include "ui/review/LumoThumbnailCache.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int TitleHeight = 18;
constexpr int TopMargin = 6;

} // namespace

LumoThumbnailDelegate::LumoThumbnailDelegate(LumoThumbnailCache *cache, QObject *parent)
    : QStyledItemDelegate(parent), cache_(cache)
{}

QSize LumoThumbnailDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return CellSize;
}

QRect LumoThumbnailDelegate::thumbnailRoom(const QRect &cell)
{
    return QRect(cell.x() + (cell.width() - ThumbnailBound.width()) / 2, cell.y() + TopMargin,
                 ThumbnailBound.width(), ThumbnailBound.height());
}

QRect LumoThumbnailDelegate::thumbnailRect(const QRect &cell, const QSize &picture)
{
    const QRect room = thumbnailRoom(cell);
    if (picture.isEmpty())
        return room;
    QSize size = picture;
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(room.x() + (room.width() - size.width()) / 2, room.y() + (room.height() - size.height()) / 2,
                 size.width(), size.height());
}

// A grey photo with a crack across it, for files that are listed but cannot be shown.
QImage LumoThumbnailDelegate::brokenPicture()
{
    static const QImage picture = [] {
        QImage image(QSize(96, 72), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 2));
        p.setBrush(QColor(0x48, 0x48, 0x48));
        p.drawRoundedRect(QRectF(2, 2, 92, 68), 4, 4);
        QPainterPath crack;
        crack.moveTo(40, 2);
        crack.lineTo(50, 26);
        crack.lineTo(38, 42);
        crack.lineTo(54, 70);
        p.setPen(QPen(QColor(0xc0, 0x50, 0x50), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(crack);
        return image;
    }();
    return picture;
}

void LumoThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    painter->save();
    const QRect cell = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;

    QImage image;
    bool framed = false; // a real thumbnail gets a thin border
    {
        const QString path = index.data(LumoPhotoList::PathRole).toString();
        const int serial = index.data(LumoPhotoList::SerialRole).toInt();
        const auto state = cache_->thumbnail(path, serial, &image);
        if (state == LumoThumbnailCache::Failed)
            image = brokenPicture();
        else
            framed = true;
    }

    // Thumbnails are decoded at the device pixel ratio; their size in points is that divided.
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize pictureSize = image.isNull() ? QSize() : (QSizeF(image.size()) / ratio).toSize();
    const QRect target = thumbnailRect(cell, pictureSize);

    if (selected) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette.color(QPalette::Highlight));
        painter->drawRoundedRect(QRectF(target).adjusted(-4, -4, 4, 4), 4, 4);
        painter->setRenderHint(QPainter::Antialiasing, false);
    }
    if (image.isNull()) {
        // On its way: an empty frame where the thumbnail will be.
        painter->setPen(palette.color(QPalette::Mid));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRect(target).adjusted(0, 0, -1, -1));
    } else {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, image);
        if (framed) {
            painter->setPen(QColor(0, 0, 0, 90));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRect(target).adjusted(0, 0, -1, -1));
        }
    }

    const QRect title(cell.x() + 2, cell.bottom() - TitleHeight, cell.width() - 4, TitleHeight);
    QFont font = option.font;
    font.setPointSizeF(font.pointSizeF() * 0.85);
    font.setBold(selected);
    painter->setFont(font);
    painter->setPen(palette.color(QPalette::WindowText));
    const QString name =
        QFontMetrics(font).elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, title.width());
    painter->drawText(title, Qt::AlignHCenter | Qt::AlignVCenter, name);
    painter->restore();
}
