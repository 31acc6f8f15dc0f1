#include "LumoPopUpButton.h"

#include "WidgetGeometry.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>

namespace {

bool isOpenKey(const QKeyEvent *event)
{
    return event->modifiers() == Qt::NoModifier
           && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

} // namespace

LumoPopUpButton::LumoPopUpButton(QWidget *parent) : QToolButton(parent), menu_(new QMenu(this))
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setMenu(menu_);
    QAction *titleItem = menu_->addAction(QString());
    titleItem->setCheckable(true);
    titleItem->setVisible(false);
    connect(menu_, &QMenu::triggered, this, &LumoPopUpButton::actionTriggered);
    // While the menu is open it holds the mouse, so the button sees no leave event when the
    // pointer goes off it; the dimming then ends with the menu, unless the pointer is back.
    connect(menu_, &QMenu::aboutToHide, this, [this] {
        if (!rect().contains(mapFromGlobal(QCursor::pos())))
            resetTrack();
    });
}

QAction *LumoPopUpButton::addItem(const QString &title, const QIcon &icon)
{
    QAction *item = menu_->addAction(icon, title);
    item->setCheckable(true);
    return item;
}

QAction *LumoPopUpButton::itemAtIndex(int index) const
{
    const QList<QAction *> items = menu_->actions();
    return index >= 0 && index < items.size() ? items.at(index) : nullptr;
}

void LumoPopUpButton::removeItemAtIndex(int index)
{
    QAction *item = itemAtIndex(index);
    if (!item)
        return;
    menu_->removeAction(item);
    delete item;
    if (selectedIndex_ == index)
        selectedIndex_ = 0;
    else if (selectedIndex_ > index)
        --selectedIndex_;
}

void LumoPopUpButton::removeValueItems()
{
    for (int i = LumoPopUpButton::numberOfItems() - 1; i >= 1; --i)
        removeItemAtIndex(i);
}

QString LumoPopUpButton::title() const
{
    return text();
}

void LumoPopUpButton::setTitle(const QString &title)
{
    itemAtIndex(0)->setText(title);
    setText(title);
}

int LumoPopUpButton::numberOfItems() const
{
    return int(menu_->actions().size());
}

int LumoPopUpButton::indexOfSelectedItem() const
{
    return selectedIndex_;
}

QString LumoPopUpButton::titleOfSelectedItem() const
{
    QAction *item = itemAtIndex(selectedIndex_);
    return item ? item->text() : QString();
}

void LumoPopUpButton::selectItemAtIndex(int index)
{
    if (itemAtIndex(index))
        selectedIndex_ = index;
}

void LumoPopUpButton::setMutexState()
{
    const QList<QAction *> items = menu_->actions();
    for (int i = 0; i < items.size(); ++i)
        items.at(i)->setChecked(i == indexOfSelectedItem());
}

void LumoPopUpButton::resetTrack()
{
    setWidgetAlpha(this, 1.0);
}

void LumoPopUpButton::actionTriggered(QAction *action)
{
    const int index = int(menu_->actions().indexOf(action));
    if (index < 0)
        return;
    selectedIndex_ = index;
    emit activated(index);
}

void LumoPopUpButton::enterEvent(QEnterEvent *event)
{
    setWidgetAlpha(this, 0.5);
    QToolButton::enterEvent(event);
}

void LumoPopUpButton::leaveEvent(QEvent *event)
{
    setWidgetAlpha(this, 1.0);
    QToolButton::leaveEvent(event);
}

// A button hidden under the pointer (the exposure control when the camera changes) sees no leave
// event, so it would come back dimmed.
void LumoPopUpButton::hideEvent(QHideEvent *event)
{
    resetTrack();
    QToolButton::hideEvent(event);
}

// Return and Enter would otherwise reach the window's shortcut (a photo) before the focused
// button sees them; Space opens the menu through the tool button itself.
bool LumoPopUpButton::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isOpenKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QToolButton::event(event);
}

void LumoPopUpButton::keyPressEvent(QKeyEvent *event)
{
    if (isOpenKey(event)) {
        showMenu();
        return;
    }
    QToolButton::keyPressEvent(event);
}
