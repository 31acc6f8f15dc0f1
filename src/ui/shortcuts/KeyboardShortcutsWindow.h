#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMainWindow;
class QTreeWidget;

// Help > Keyboard Shortcuts: every key of the main window, grouped by menu. It is read from the
// window itself each time it is shown: the actions with shortcuts in each menu of the menu bar,
// the window's other actions with shortcuts, and the keys the window handles outside actions
// (LumoWindow::keys()). An action added anywhere with a shortcut shows up without a change here.
// Main thread.
class KeyboardShortcutsWindow : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString text; // without mnemonics and the trailing ellipsis
        QString keys; // native text, several shortcuts joined by ", "
    };
    struct Group {
        QString title;
        QList<Row> rows;
    };
    // What the window lists for `window`, in menu order.
    static QList<Group> collect(QMainWindow *window);

    explicit KeyboardShortcutsWindow(QMainWindow *window);

    // Lists the keys again, as the window's menus are now, and brings the window up.
    void showAndRaise();
    QTreeWidget *tree() const { return tree_; }

private:
    void refill();

    QPointer<QMainWindow> window_;
    QTreeWidget *tree_ = nullptr;
};
