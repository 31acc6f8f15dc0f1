#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The application's pictures, looked up by name ("Camera-Down", "Exposure_+2", ...). They are
// SVG files compiled in as resources and rendered by Qt SVG, so they stay sharp at any scale and
// need no image plugin. A name without a picture gives a null pixmap or icon.
namespace LumoImages {

// The resource path of a named picture.
QString path(const QString &name);

// The picture at its natural size (the SVG's width and height, in device-independent pixels),
// rendered for the given device pixel ratio; 0 means the highest ratio of the screens.
QPixmap named(const QString &name, qreal devicePixelRatio = 0);

// The picture as an icon, for menus and buttons.
QIcon icon(const QString &name);

// The application's icon, rendered at the sizes window managers and task bars ask for.
QIcon applicationIcon();

} // namespace LumoImages
