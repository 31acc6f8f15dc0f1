#include "WindowGeometry.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace WindowGeometry {

namespace {

constexpr float MinimumWidth = 480;
constexpr float MinimumPictureHeight = 360;
constexpr float ModeWindowDrop = 100;

float aspectWidth(const QSizeF &aspect)
{
    return float(aspect.width());
}
float aspectHeight(const QSizeF &aspect)
{
    return float(aspect.height());
}

// The frame width whose picture area keeps `aspect` at the given frame height.
float widthForHeight(float height, float titleBar, float toolbar, float band, const QSizeF &aspect)
{
    return (height - titleBar - toolbar - band) * aspectWidth(aspect) / aspectHeight(aspect);
}

// The frame height whose picture area keeps `aspect` at the given width.
float heightForWidth(float width, float titleBar, float toolbar, float band, const QSizeF &aspect)
{
    return width * aspectHeight(aspect) / aspectWidth(aspect) + band + titleBar + toolbar;
}

float top(const QRectF &r)
{
    return float(r.y()) + float(r.height());
}

} // namespace

float bandForMode(int mode)
{
    return mode == 0 ? CameraBand : ReviewBand;
}

QSizeF minimumSize(float titleBar, float toolbar, float band)
{
    return {MinimumWidth, titleBar + MinimumPictureHeight + toolbar + band};
}

QRectF modeChangeFrame(const QRectF &frame, const QRectF &visible, float titleBar, float toolbar,
                       float viewWidth, float band, const QSizeF &aspect)
{
    float height = heightForWidth(viewWidth, titleBar, toolbar, band, aspect);
    float width = viewWidth;
    const float visibleHeight = float(visible.height());
    if (height > visibleHeight) {
        height = visibleHeight;
        width = widthForHeight(visibleHeight, titleBar, toolbar, band, aspect);
    }
    const float y = std::max(float(visible.y()), top(frame) - height);
    return {frame.x(), y, width, height};
}

QSizeF liveResizeSize(const QSizeF &proposed, const QRectF &visible, float titleBar, float toolbar,
                      float band, const QSizeF &aspect)
{
    const float height = std::min(float(proposed.height()), float(visible.height()));
    const float width = widthForHeight(height, titleBar, toolbar, band, aspect);
    // A 4:3 window keeps the height rule alone, as it always has.
    const bool standard =
        aspect.width() * StandardAspect.height() == aspect.height() * StandardAspect.width();
    const float visibleWidth = float(visible.width());
    if (!standard && width > visibleWidth)
        return {visibleWidth, heightForWidth(visibleWidth, titleBar, toolbar, band, aspect)};
    return {width, height};
}

QRectF zoomFrame(float currentX, const QRectF &defaultFrame, const QRectF &visible, float titleBar,
                 float toolbar, float band, const QSizeF &aspect)
{
    const QSizeF size = liveResizeSize(defaultFrame.size(), visible, titleBar, toolbar, band, aspect);
    const float width = float(size.width());
    const float right = float(visible.x()) + float(visible.width());
    const float x = currentX + width > right ? right - width : currentX;
    return {x, defaultFrame.y(), width, size.height()};
}

QRectF modeWindowFrame(const QRectF &mainFrame, const QSizeF &modeWindowSize)
{
    const float x = float(mainFrame.x()) - float(modeWindowSize.width());
    const float y = top(mainFrame) - float(modeWindowSize.height()) - ModeWindowDrop;
    return {QPointF(x, y), modeWindowSize};
}

QRectF frameOverOpener(const QRectF &opener, const QSizeF &size, const QRectF &visible)
{
    const float width = float(size.width());
    const float height = float(size.height());
    const float right = float(visible.x()) + float(visible.width());
    float x = float(opener.x()) + (float(opener.width()) - width) / 2;
    x = std::max(float(visible.x()), std::min(x, right - width));
    float y = top(opener) - float(opener.height()) / 8 - height;
    y = std::min(top(visible) - height, std::max(float(visible.y()), y));
    return {x, y, width, height};
}

QRectF frameForContent(const QRectF &frame, const QSizeF &content, float toolbar, float titleBar)
{
    const float contentHeight = float(content.height());
    const float contentY = top(frame) - contentHeight - toolbar;
    return {frame.x(), contentY - titleBar, content.width(), toolbar + contentHeight + titleBar};
}

QRectF toScreen(const QRectF &qtRect, const QRect &available)
{
    const qreal base = available.y() + available.height();
    return {qtRect.x(), base - qtRect.y() - qtRect.height(), qtRect.width(), qtRect.height()};
}

QRectF toQt(const QRectF &screenRect, const QRect &available)
{
    return toScreen(screenRect, available);
}

QRectF visibleFrame(const QRect &available)
{
    return toScreen(QRectF(available), available);
}

QString rectText(const QRect &rect)
{
    return QStringLiteral("%1,%2,%3,%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect parseRect(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    if (values[2] < 1 || values[3] < 1)
        return {};
    return QRect(values[0], values[1], values[2], values[3]);
}

QRect restoredRect(const QRect &saved, const QList<QRect> &available, const QSize &minimum)
{
    if (saved.isNull() || available.isEmpty())
        return {};
    QRect screen = available.first();
    qint64 most = 0;
    for (const QRect &area : available) {
        const QRect common = area.intersected(saved);
        const qint64 overlap = qint64(common.width()) * common.height();
        if (overlap > most) {
            most = overlap;
            screen = area;
        }
    }
    const int width = std::clamp(saved.width(), std::min(minimum.width(), screen.width()), screen.width());
    const int height =
        std::clamp(saved.height(), std::min(minimum.height(), screen.height()), screen.height());
    const int x = std::clamp(saved.x(), screen.left(), screen.left() + screen.width() - width);
    const int y = std::clamp(saved.y(), screen.top(), screen.top() + screen.height() - height);
    return QRect(x, y, width, height);
}

} // namespace WindowGeometry
