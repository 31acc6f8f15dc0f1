#include "ToolbarFocus.h"

#include <QEvent>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

void ToolbarFocus::install(QToolBar *toolbar)
{
    if (!toolbar->findChild<ToolbarFocus *>(QString(), Qt::FindDirectChildrenOnly))
        new ToolbarFocus(toolbar);
}

ToolbarFocus::ToolbarFocus(QToolBar *toolbar) : QObject(toolbar), toolbar_(toolbar)
{
    toolbar->installEventFilter(this);
    apply();
}

// The toolbar lays itself out again after each action it gains, once the button for it exists
// with the focus policy the toolbar gave it.
bool ToolbarFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == toolbar_ && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
        apply();
    // The style marks the focus hardly or not at all on a flat button (a picture, a pop-up's
    // title): a frame in the palette's highlight colour goes over it.
    auto *button = qobject_cast<QToolButton *>(watched);
    if (button && event->type() == QEvent::Paint && button->hasFocus()) {
        static_cast<QObject *>(button)->event(event); // the button paints itself first
        QPainter painter(button);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(button->palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(button->rect()).adjusted(1, 1, -1, -1), 4, 4);
        return true;
    }
    return false;
}

void ToolbarFocus::apply()
{
    for (QToolButton *button : toolbar_->findChildren<QToolButton *>()) {
        // The toolbar's own arrow for what does not fit gets a name; Tab reaches it as the rest.
        if (button->objectName() == QLatin1String("qt_toolbar_ext_button")
            && button->accessibleName().isEmpty()) {
            button->setAccessibleName(tr("More Controls"));
            button->setAccessibleDescription(tr("Shows the controls the window is too narrow for"));
        }
        if (button->focusPolicy() == Qt::NoFocus)
            button->setFocusPolicy(Qt::TabFocus);
        // Installing again only moves the filter to the front.
        button->installEventFilter(this);
    }
}
