#include "library/FileItem.h"

#include "core/LumoLog.h"
#include "core/UserDefaults.h"
#include "library/FileStatus.h"
#include "library/LibraryFolder.h"
#include "library/PhotoDecoding.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

FileItem FileItem::fromFile(const QString &name, int type)
{
    FileItem item;
    item.name_ = name;
    item.type_ = type;
    item.setFileAttribute();
    return item;
}

FileItem FileItem::fromFile(const QString &name)
{
    return fromFile(name, Photo);
}

FileItem FileItem::fromRecord(const QVariantMap &record)
{
    const QUrl url = record.value(QLatin1String(FileURLKey)).toUrl();
    const QString filePath = url.isLocalFile() ? url.toLocalFile() : url.path();
    if (filePath.isEmpty()) {
        LUMO_LOG("new-photo record without a file URL");
        return FileItem();
    }

    const QFileInfo info(filePath);
    const QString suffix = info.suffix();
    // The suffix is compared without regard to case, and then kept as it is spelled on disk:
    // the library folder may be on a case-sensitive file system, where "IMG.JPG" renamed to
    // "IMG.jpg" would name a file that does not exist.
    FileItem item;
    QString extension;
    if (suffix.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0) {
        item.type_ = Photo;
        extension = QLatin1Char('.') + suffix;
    } else if (suffix.compare(QLatin1String("mov"), Qt::CaseInsensitive) == 0
               || suffix.compare(QLatin1String("mp4"), Qt::CaseInsensitive) == 0) {
        item.type_ = Movie;
        extension = QLatin1Char('.') + suffix;
    } else {
        item.type_ = Photo;
        extension = QStringLiteral(".jpg");
    }
    item.name_ = info.completeBaseName() + extension;
    item.setFileAttribute();
    return item;
}

void FileItem::setFileAttribute()
{
    if (name_.isEmpty())
        return;
    // Symbolic links are followed for size and times.
    const FileStatus status = FileStatus::read(path());
    if (!status.isFile)
        return;
    itemSize_ = QString::asprintf("%lld KB", static_cast<long long>(status.bytes / 1024));
    createDate_ = status.createDate();
}

QString FileItem::path() const
{
    return LibraryFolder::current(UserDefaults::standard()) + QLatin1Char('/') + name_;
}

QString FileItem::createDateDescription() const
{
    return createDate_.isValid() ? createDate().toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString FileItem::description() const
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(name_, resolution_, itemSize_, createDate().toString(Qt::ISODate));
}

QString FileItem::imageTitle() const
{
    return QFileInfo(name_).fileName();
}

QImage FileItem::imageRepresentation()
{
    const QString file = path();
    if (type_ == Movie) {
        if (!QFileInfo(file).isFile()) {
            LUMO_LOG("movie %s cannot be opened", qPrintable(file));
            return {};
        }
        return moviePlaceholder();
    }

    // Decoded as the viewer does: upright, and never from a FIFO, a device or a file without end.
    const QImage image = decodePhotoForView(file, {});
    if (image.isNull()) {
        LUMO_LOG("picture %s cannot be read", qPrintable(file));
        return {};
    }
    resolution_ = QString::asprintf("%.0fx%.0f", double(image.width()), double(image.height()));
    return image;
}

QImage FileItem::moviePlaceholder()
{
    // A strip of film with sprocket holes along both edges and a play mark in its frame, in
    // neutral greys that read on light and dark backgrounds.
    constexpr int Width = 256;
    constexpr int Height = 192;
    constexpr int Border = 24; // height of each sprocket band
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x3a, 0x3a));
    p.drawRoundedRect(QRectF(0, 0, Width, Height), 12, 12);

    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    constexpr int Holes = 8;
    constexpr qreal HoleWidth = 14;
    constexpr qreal HoleHeight = 10;
    const qreal step = qreal(Width) / Holes;
    for (int i = 0; i < Holes; ++i) {
        const qreal x = i * step + (step - HoleWidth) / 2;
        p.drawRoundedRect(QRectF(x, (Border - HoleHeight) / 2, HoleWidth, HoleHeight), 2, 2);
        p.drawRoundedRect(QRectF(x, Height - Border + (Border - HoleHeight) / 2, HoleWidth, HoleHeight), 2,
                          2);
    }

    const QRectF frame(16, Border + 6, Width - 32, Height - 2 * Border - 12);
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawRoundedRect(frame, 6, 6);

    const QPointF c = frame.center();
    constexpr qreal Mark = 26;
    QPainterPath play;
    play.moveTo(c.x() - Mark * 0.6, c.y() - Mark);
    play.lineTo(c.x() + Mark, c.y());
    play.lineTo(c.x() - Mark * 0.6, c.y() + Mark);
    play.closeSubpath();
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    p.drawPath(play);
    return image;
}
