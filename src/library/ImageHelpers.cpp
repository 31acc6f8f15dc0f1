#include "library/ImageHelpers.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace ImageHelpers {

namespace {

// The angle brought into [0, 360).
int normalisedDegrees(int degrees)
{
    const int d = degrees % 360;
    return d < 0 ? d + 360 : d;
}

} // namespace

QSize rotatedSize(const QSize &size, int degrees)
{
    const int d = normalisedDegrees(degrees);
    if (d == 0 || d == 180)
        return size;
    if (d == 90 || d == 270)
        return size.transposed();
    const double r = d * M_PI / 180.0;
    const double c = std::fabs(std::cos(r));
    const double s = std::fabs(std::sin(r));
    const double w = size.width();
    const double h = size.height();
    return QSize(int(std::lround(w * c + h * s)), int(std::lround(w * s + h * c)));
}

QImage rotateByAngle(const QImage &image, int degrees)
{
    const int d = normalisedDegrees(degrees);
    if (d == 0 || image.isNull())
        return image;

    // QTransform::rotate() turns clockwise on Qt's y-down raster; the negative angle turns the
    // picture counter-clockwise as seen.
    if (d % 90 == 0) {
        // Qt recognises a pure quarter or half turn and moves the pixels without resampling.
        return image.transformed(QTransform().rotate(-d));
    }

    const QSize size = rotatedSize(image.size(), d);
    QImage rotated = imageWithSize(size);
    if (rotated.isNull())
        return rotated;
    QPainter p(&rotated);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.translate(size.width() / 2.0, size.height() / 2.0);
    p.rotate(-d);
    p.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
    p.end();
    return rotated;
}

QImage imageWithSize(const QSize &size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

QImage imageForDrawing(const QImage &image)
{
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int minValue(const std::set<int> &indexes)
{
    return indexes.empty() ? NotFound : *indexes.begin();
}

int maxValue(const std::set<int> &indexes)
{
    return indexes.empty() ? NotFound : *indexes.rbegin();
}

int minValue(const QList<int> &indexes)
{
    return indexes.isEmpty() ? NotFound : *std::min_element(indexes.begin(), indexes.end());
}

int maxValue(const QList<int> &indexes)
{
    return indexes.isEmpty() ? NotFound : *std::max_element(indexes.begin(), indexes.end());
}

int minValue(const QModelIndexList &indexes)
{
    int result = NotFound;
    for (const QModelIndex &index : indexes) {
        if (index.isValid())
            result = std::min(result, index.row());
    }
    return result;
}

int maxValue(const QModelIndexList &indexes)
{
    bool any = false;
    int result = 0;
    for (const QModelIndex &index : indexes) {
        if (index.isValid()) {
            result = any ? std::max(result, index.row()) : index.row();
            any = true;
        }
    }
    return any ? result : NotFound;
}

} // namespace ImageHelpers
