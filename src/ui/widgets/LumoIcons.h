#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QAbstractButton;
class QAction;
class QPalette;
class QWidget;

// The icons of the toolbars' buttons, by their freedesktop icon-naming names ("user-trash").
// They are one set in one style: the desktop icon theme's symbolic (flat, one-colour) pictures
// when it has every icon of the set, our flat ones (resources/symbols) otherwise, drawn in the
// palette's button text colour so that they read on a light and a dark palette alike. Main thread.
namespace LumoIcons {

// Every name of the set.
QStringList names();
// Whether the desktop's icon theme has every icon of the set in its symbolic form (it is then
// used for all of them).
bool themeHasSet();

// The icon `name` for buttons of `palette`.
QIcon icon(const QString &name, const QPalette &palette);
// Our own flat icon `name` in `color` (disabled: the palette's disabled button text colour).
QIcon flatIcon(const QString &name, const QPalette &palette);

// Calls `apply` now and whenever `widget`'s palette or style changes.
void followPalette(QWidget *widget, std::function<void()> apply);
// Gives `action` the icon `name`, drawn again when `widget` (the toolbar showing it) changes
// palette.
void setIcon(QAction *action, const QString &name, QWidget *widget);
void setIcon(QAbstractButton *button, const QString &name);

} // namespace LumoIcons
