#include "WindowGeometry.h"

#include <QRect>

#include <algorithm>

namespace WindowGeometry {

namespace {

constexpr float MinimumWidth = 480;
constexpr float MinimumPictureHeight = 360;
constexpr float ModeWindowDrop = 100;

// The frame width whose picture area is 4:3 at the given frame height.
float widthForHeight(float height, float titleBar, float toolbar, float band)
{
    return (height - titleBar - toolbar - band) * 4 / 3;
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
                       float viewWidth, float band)
{
    float height = viewWidth * 3 * 0.25f + band + titleBar + toolbar;
    float width = viewWidth;
    const float visibleHeight = float(visible.height());
    if (height > visibleHeight) {
        height = visibleHeight;
        width = widthForHeight(visibleHeight, titleBar, toolbar, band);
    }
    const float y = std::max(float(visible.y()), top(frame) - height);
    return {frame.x(), y, width, height};
}

QSizeF liveResizeSize(const QSizeF &proposed, const QRectF &visible, float titleBar, float toolbar,
                      float band)
{
    const float height = std::min(float(proposed.height()), float(visible.height()));
    return {widthForHeight(height, titleBar, toolbar, band), height};
}

QRectF zoomFrame(float currentX, const QRectF &defaultFrame, const QRectF &visible, float titleBar,
                 float toolbar, float band)
{
    const QSizeF size = liveResizeSize(defaultFrame.size(), visible, titleBar, toolbar, band);
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

} // namespace WindowGeometry
