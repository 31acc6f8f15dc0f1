#pragma once

#include <QHash>
#include <QMimeData>
#include <QString>

// The clipboard contents of a copied photo: the picture as "image/png" and "image/tiff" (unless
// made without the picture, as for a movie), and the file as "text/uri-list", so that image editors, office programs and file managers can all paste
// it. The pictures are encoded only when a program asks for that format (the file is read then),
// so copying a large photo costs nothing until it is pasted.
//
// Main thread (the clipboard asks for the data there).
class PhotoMimeData : public QMimeData {
    Q_OBJECT
public:
    explicit PhotoMimeData(const QString &path, bool withPicture = true);

    QString path() const { return path_; }

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

    // The encoded picture for "image/png" or "image/tiff"; empty for another type or a file that
    // cannot be read.
    static QByteArray encodePicture(const QString &path, const QString &mimeType);

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QString path_;
    bool withPicture_;
    mutable QHash<QString, QByteArray> encoded_; // pictures already asked for
};

// A new PhotoMimeData for the photo at `path`, for QClipboard::setMimeData() (which takes it).
QMimeData *photoMimeData(const QString &path, bool withPicture = true);
