#include "LumoPopUpButton.h"

#include <QActionGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace {

bool isOpenKey(const QKeyEvent *event)
{
    return event->modifiers() == Qt::NoModifier
           && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

} // namespace

LumoPopUpButton::LumoPopUpButton(QWidget *parent)
    : QToolButton(parent), menu_(new QMenu(this)), group_(new QActionGroup(this))
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAutoRaise(true);
    setMenu(menu_);
    group_->setExclusive(true);
    QAction *titleItem = menu_->addAction(QString());
    titleItem->setCheckable(true);
    titleItem->setVisible(false);
    group_->addAction(titleItem);
    connect(menu_, &QMenu::triggered, this, &LumoPopUpButton::actionTriggered);
}

QAction *LumoPopUpButton::addItem(const QString &title, const QIcon &icon)
{
    QAction *item = menu_->addAction(icon, title);
    item->setCheckable(true);
    if (group_->isExclusive())
        group_->addAction(item);
    updateGeometry();
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

void LumoPopUpButton::setExclusive(bool exclusive)
{
    group_->setExclusive(exclusive);
    for (QAction *item : menu_->actions()) {
        if (exclusive)
            group_->addAction(item);
        else
            group_->removeAction(item);
    }
}

bool LumoPopUpButton::isExclusive() const
{
    return group_->isExclusive();
}

void LumoPopUpButton::setTitleMaker(std::function<QString(const QString &)> maker, const QStringList &values)
{
    titleMaker_ = std::move(maker);
    titleValues_ = values;
    updateGeometry();
}

QStringList LumoPopUpButton::valueTitles() const
{
    QStringList values;
    const QList<QAction *> items = menu_->actions();
    for (int i = 1; i < items.size(); ++i)
        values << items.at(i)->text();
    return values;
}

QStringList LumoPopUpButton::titlesToFit() const
{
    QStringList titles{text()};
    if (!titleMaker_)
        return titles;
    for (const QString &value : titleValues_.isEmpty() ? valueTitles() : titleValues_)
        titles << titleMaker_(value);
    return titles;
}

QSize LumoPopUpButton::sizeHint() const
{
    // The style's hint for the title shown, widened by what the longest title needs more
    // (measured as the tool button measures its text).
    QSize hint = QToolButton::sizeHint();
    const QFontMetrics metrics = fontMetrics();
    const auto width = [&](const QString &title) {
        return metrics.size(Qt::TextShowMnemonic, title).width();
    };
    int widest = 0;
    for (const QString &title : titlesToFit())
        widest = std::max(widest, width(title));
    hint.rwidth() += widest - width(text());
    return hint;
}

QSize LumoPopUpButton::minimumSizeHint() const
{
    return sizeHint();
}

void LumoPopUpButton::actionTriggered(QAction *action)
{
    const int index = int(menu_->actions().indexOf(action));
    if (index < 0)
        return;
    selectedIndex_ = index;
    emit activated(index);
}

void LumoPopUpButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
    QToolButton::changeEvent(event);
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
