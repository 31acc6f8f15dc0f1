#include "LumoAlterButton.h"

#include "LumoImages.h"
#include "WidgetGeometry.h"

LumoAlterButton::LumoAlterButton(QWidget *parent) : LumoButton(parent)
{
    setFlat(true);
}

void LumoAlterButton::setImageName(const QString &name)
{
    upImage_ = LumoImages::icon(name);
    downImage_ = LumoImages::icon(QString(name).replace(QLatin1String("Down"), QLatin1String("Up")));
    const QPixmap natural = LumoImages::named(name);
    if (!natural.isNull())
        setIconSize(natural.size());
    setIcon(upImage_);
}

void LumoAlterButton::enterEvent(QEnterEvent *event)
{
    setIcon(downImage_);
    LumoButton::enterEvent(event);
    // The picture swap is the hover feedback; the button never dims.
    setWidgetAlpha(this, 1.0);
}

void LumoAlterButton::leaveEvent(QEvent *event)
{
    setIcon(upImage_);
    LumoButton::leaveEvent(event);
}
