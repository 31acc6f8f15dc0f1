#include "FloaterGeometry.h"

#include <algorithm>

namespace FloaterGeometry {

namespace {

constexpr float ButtonsFromRight = 95; // snapshot, focus background and focus button centre
constexpr float CountdownFromRight = 35;
constexpr float ButtonTop = 70; // tops above the parent's bottom edge
constexpr float FocusButtonTop = 65;
constexpr float ExposureShownTop = 90;
constexpr float TopBandCentre = 50; // the strip and close button, below the parent's top
constexpr float StripToClose = 8;

float px(const QRectF &r)
{
    return float(r.x());
}
float py(const QRectF &r)
{
    return float(r.y());
}
float w(const QSizeF &s)
{
    return float(s.width());
}
float h(const QSizeF &s)
{
    return float(s.height());
}

} // namespace

QRectF pictureFrame(const QRectF &parent, bool fullScreen, const QSizeF &aspect)
{
    const float width = w(parent.size());
    const float height = h(parent.size());
    if (!fullScreen || aspect.isEmpty())
        return parent;
    float pictureWidth = w(aspect) * height / h(aspect);
    float pictureHeight = height;
    // A 4:3 picture keeps the screen's height whatever the screen's shape.
    if (w(aspect) * 3 != h(aspect) * 4 && pictureWidth > width) {
        pictureWidth = width;
        pictureHeight = width * h(aspect) / w(aspect);
    }
    return {px(parent) + (width - pictureWidth) / 2, py(parent) + (height - pictureHeight) / 2, pictureWidth,
            pictureHeight};
}

float rightReference(const QRectF &parent, bool fullScreen, const QSizeF &aspect)
{
    const QRectF picture = pictureFrame(parent, fullScreen, aspect);
    return px(picture) - px(parent) + w(picture.size());
}

QPointF origin(Floater floater, const QRectF &parent, const QSizeF &size, bool fullScreen,
               const QSizeF &aspect)
{
    const float r = rightReference(parent, fullScreen, aspect);
    // The bottom of the picture: the parent's own unless a wide picture leaves bands under it.
    const float bottom = py(pictureFrame(parent, fullScreen, aspect));
    switch (floater) {
    case Floater::FocusCross:
        return {px(parent) + w(parent.size()) / 2 - w(size) / 2,
                py(parent) + h(parent.size()) / 2 - h(size) / 2};
    case Floater::FocusBackground:
    case Floater::Snapshot:
        return {px(parent) + r - ButtonsFromRight - w(size) / 2, bottom + ButtonTop - h(size)};
    case Floater::FocusButton:
        return {px(parent) + r - ButtonsFromRight - w(size) / 2, bottom + FocusButtonTop - h(size)};
    case Floater::Countdown:
        return {px(parent) + r - w(size) / 2 - CountdownFromRight, bottom + ButtonTop - h(size)};
    case Floater::Exposure:
        return {px(parent) + w(parent.size()) / 2 - w(size) / 2, bottom + ButtonTop - h(size)};
    case Floater::ExposureShown:
        return {px(parent) + w(parent.size()) / 2 - w(size) / 2, bottom + ExposureShownTop - h(size)};
    }
    return {};
}

QPointF closeOrigin(const QRectF &parent, const QSizeF &size, const QRectF &focusBackground)
{
    return {float(focusBackground.x()) + w(focusBackground.size()) - w(size),
            py(parent) + h(parent.size()) - TopBandCentre - h(size) / 2};
}

QPointF stripOrigin(const QRectF &parent, const QSizeF &size, float closeLeft)
{
    const float centred = px(parent) + (w(parent.size()) - w(size)) / 2;
    const float clear = std::max(px(parent), closeLeft - StripToClose - w(size));
    return {std::min(centred, clear), py(parent) + h(parent.size()) - TopBandCentre - h(size) / 2};
}

Row stripRow(const QList<float> &itemWidths, float gap)
{
    Row row;
    float x = 0;
    for (float width : itemWidths) {
        row.x << x;
        x += width + gap;
    }
    row.width = itemWidths.isEmpty() ? 0 : x - gap;
    return row;
}

QSizeF crossSize(const QSizeF &source, float zoomFactor)
{
    return {zoomFactor * w(source) * 0.5f, zoomFactor * h(source) * 0.5f};
}

} // namespace FloaterGeometry
