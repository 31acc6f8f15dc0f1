#pragma once

#include <QToolButton>

class QAction;
class QMenu;

// A pull-down button: a tool button with a menu of checkable entries. Entry 0 is the title entry:
// it is never listed in the menu, and its text is what the button shows ("Zoom: 150%"). The
// value entries follow from index 1. Picking an entry selects it and emits activated(); check
// marks are left to the owner (setMutexState() for one-of-many controls). The button dims to
// half opacity while the pointer is over it. With the keyboard focus, Space, Return and Enter
// open the menu. Main thread.
class LumoPopUpButton : public QToolButton {
    Q_OBJECT
public:
    explicit LumoPopUpButton(QWidget *parent = nullptr);

    QMenu *popUpMenu() const { return menu_; }

    // Adds a value entry at the end; answers it.
    QAction *addItem(const QString &title, const QIcon &icon = {});
    QAction *itemAtIndex(int index) const;
    void removeItemAtIndex(int index);
    // Removes every entry but the title entry, from the last down.
    void removeValueItems();

    QString title() const;
    void setTitle(const QString &title);

    virtual int numberOfItems() const;
    virtual int indexOfSelectedItem() const;
    virtual QString titleOfSelectedItem() const;
    virtual void selectItemAtIndex(int index);

    // Leaves exactly one check mark: on the selected entry.
    void setMutexState();

    // Forgets the hover state, as LumoButton::resetTrack().
    void resetTrack();

signals:
    // The user picked entry `index` (or changed the value of an entry's own control).
    void activated(int index);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void actionTriggered(QAction *action);

    QMenu *menu_;
    int selectedIndex_ = 0;
};
