#pragma once

#include <QToolButton>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;

// A pull-down button: a tool button with a menu of checkable entries. Entry 0 is the title entry:
// it is never listed in the menu, and its text is what the button shows ("Zoom: 150%"). The
// value entries follow from index 1. Picking an entry selects it and emits activated(); check
// marks are left to the owner (setMutexState() for one-of-many controls). The entries are one
// exclusive group, so the menu draws a clear mark on the one chosen, unless setExclusive(false)
// makes each entry a switch of its own. The button is flat, lit by the style under the pointer,
// and as wide as its widest title, so that a new value does not move its neighbours. With the
// keyboard focus, Space, Return and Enter open the menu. Main thread.
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

    // Whether picking one entry clears the others' marks (the default).
    void setExclusive(bool exclusive);
    bool isExclusive() const;

    // How a value becomes the title ("150%" to "Zoom: 150%"): the button keeps room for the
    // title of its longest value, so that its width does not follow the value. The values are
    // `values` when given, the value entries' texts otherwise.
    void setTitleMaker(std::function<QString(const QString &)> maker, const QStringList &values = {});
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user picked entry `index` (or changed the value of an entry's own control).
    void activated(int index);

protected:
    // The values the button can show, for its width; the value entries' texts unless a subclass
    // shows values of another kind.
    virtual QStringList valueTitles() const;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void actionTriggered(QAction *action);
    // The titles the button keeps room for: every value's title, and the title now.
    QStringList titlesToFit() const;

    QMenu *menu_;
    QActionGroup *group_;
    std::function<QString(const QString &)> titleMaker_;
    QStringList titleValues_;
    int selectedIndex_ = 0;
};
