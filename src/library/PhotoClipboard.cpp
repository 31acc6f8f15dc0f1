#include "library/PhotoClipboard.h"

#include "core/LumoLog.h"
#include "library/PhotoDecoding.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QUrl>

namespace {

const QString Png = QStringLiteral("image/png");
const QString Tiff = QStringLiteral("image/tiff");
// What GNOME's and several other file managers paste as a copied file.
const QString CopiedFiles = QStringLiteral("x-special/gnome-copied-files");

// TIFF comes from Qt's image-format plugin, which may not be installed; it is offered only when
// it can be produced.
bool canWriteTiff()
{
    static const bool can = QImageWriter::supportedMimeTypes().contains("image/tiff");
    return can;
}

} // namespace

PhotoMimeData::PhotoMimeData(const QString &path, bool withPicture)
    : path_(QFileInfo(path).absoluteFilePath()), withPicture_(withPicture)
{
    const QUrl url = QUrl::fromLocalFile(path_);
    setUrls({url});
    setData(CopiedFiles, "copy\n" + url.toEncoded());
}

QStringList PhotoMimeData::formats() const
{
    QStringList list;
    if (withPicture_)
        list << Png;
    if (withPicture_ && canWriteTiff())
        list << Tiff;
    return list + QMimeData::formats();
}

bool PhotoMimeData::hasFormat(const QString &mimeType) const
{
    return formats().contains(mimeType);
}

QByteArray PhotoMimeData::encodePicture(const QString &path, const QString &mimeType)
{
    const bool tiff = mimeType == Tiff;
    if (mimeType != Png && !tiff)
        return {};
    const QImage picture = decodePhotoForView(path, {});
    if (picture.isNull())
        return {};

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, tiff ? "tiff" : "png");
    if (tiff)
        writer.setCompression(1); // LZW
    if (!writer.write(picture)) {
        LUMO_LOG("%s of %s: %s", qPrintable(mimeType), qPrintable(path), qPrintable(writer.errorString()));
        return {};
    }
    return bytes;
}

QVariant PhotoMimeData::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (!withPicture_ || (mimeType != Png && mimeType != Tiff))
        return QMimeData::retrieveData(mimeType, type);
    // A paste asks for the same format more than once (size, then data); encode once.
    QByteArray &cached = encoded_[mimeType];
    if (cached.isEmpty())
        cached = encodePicture(path_, mimeType);
    return cached;
}

QMimeData *photoMimeData(const QString &path, bool withPicture)
{
    return new PhotoMimeData(path, withPicture);
}
