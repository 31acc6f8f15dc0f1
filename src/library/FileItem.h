#pragma once

#include "core/NotificationNames.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QVariantMap>

// One photo or movie of the photo library, as listed by the review mode and shown as an item of
// the thumbnail browser.
//
// FileItem is a plain value: copies are cheap (a few implicitly shared strings and a date) and
// independent, so the browser's model keeps them in a QList, and a worker that loads a picture
// works on its own copy. Nothing refers to an item by address.
//
// The full path is not stored: path() joins the photo library folder of the user defaults, read
// at each call, with name(), so items follow a change of the library setting.
//
// Attributes are read once, when the item is made; the item never watches the file system. A
// changed picture is made visible by raising serial().
//
// Any thread; an item itself is not shared between threads.
class FileItem {
public:
    enum Type { Photo = 0, Movie = 1 };

    // Key of the record announced with a new photo: the file URL (QUrl) of the photo.
    static constexpr auto &FileURLKey = NotificationNames::InfoKeys::FileURL;

    FileItem() = default;

    // An item for the file `name` inside the library folder; reads its attributes.
    static FileItem fromFile(const QString &name, int type);
    static FileItem fromFile(const QString &name);
    // An item for the file of a new-photo record ({FileURLKey: file URL}). Type and extension
    // come from the URL's suffix: "jpg" is a photo, "mov" or "mp4" a movie, anything else is taken
    // for a photo with the extension ".jpg".
    static FileItem fromRecord(const QVariantMap &record);

    // Reads size and creation date from the file system. A missing file leaves both unset.
    void setFileAttribute();

    // The library folder (as LibraryFolder::current() resolves it) + "/" + name().
    QString path() const;

    // createDate() as "yyyy-MM-dd"; empty when the date is unknown.
    QString createDateDescription() const;
    // "name resolution size date", for logs.
    QString description() const;

    // Thumbnail-browser item: the title shown under the thumbnail, and the picture itself.
    QString imageTitle() const;
    // The photo, loaded afresh from path() on every call, upright as its orientation tag says;
    // fills resolution() the first time and keeps it current. A null image when the file is
    // missing, cannot be read or is not a regular file.
    // For a movie: a neutral film-frame picture (see moviePlaceholder()) when the file exists,
    // a null image otherwise.
    QImage imageRepresentation();

    // A drawn film frame standing for a movie wherever its own frames are not decoded (the
    // thumbnail strip shows its poster frame, the viewer plays it).
    static QImage moviePlaceholder();

    QString name() const { return name_; }
    void setName(const QString &name) { name_ = name; }
    // Pixel size as "WxH", empty until the picture was loaded once.
    QString resolution() const { return resolution_; }
    void setResolution(const QString &resolution) { resolution_ = resolution; }
    int type() const { return type_; }
    void setType(int type) { type_ = type; }
    bool isMovie() const { return type_ == Movie; }
    // Size on disk as "N KB", bytes divided by 1024 and rounded down; empty when unknown.
    QString itemSize() const { return itemSize_; }
    void setItemSize(const QString &itemSize) { itemSize_ = itemSize; }
    // In local time. Kept as it was set (a listing sets it in UTC) and turned into local time
    // only here, when it is shown.
    QDateTime createDate() const { return createDate_.toLocalTime(); }
    void setCreateDate(const QDateTime &createDate) { createDate_ = createDate; }
    int serial() const { return serial_; }
    void setSerial(int serial) { serial_ = serial; }

private:
    QString name_;
    QString resolution_;
    int type_ = Photo;
    QString itemSize_;
    QDateTime createDate_;
    int serial_ = 0;
};
