#include "KeyboardShortcutsWindow.h"

#include "ui/windows/LumoWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString plainText(QString text)
{
    // "&&" is a literal ampersand; a single "&" marks the mnemonic.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    if (text.endsWith(QStringLiteral("…")))
        text.chop(1);
    else if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}

QString nativeKeys(const QList<QKeySequence> &shortcuts)
{
    QStringList keys;
    for (const QKeySequence &sequence : shortcuts)
        keys << sequence.toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral(", "));
}

// The actions of a menu and its submenus that carry shortcuts, each once.
void collectMenu(const QMenu *menu, QList<KeyboardShortcutsWindow::Row> &rows, QSet<const QAction *> &seen,
                 QSet<QString> &keysSeen)
{
    for (QAction *action : menu->actions()) {
        if (action->menu()) {
            collectMenu(action->menu(), rows, seen, keysSeen);
            continue;
        }
        if (action->isSeparator() || action->shortcuts().isEmpty() || seen.contains(action))
            continue;
        seen.insert(action);
        for (const QKeySequence &sequence : action->shortcuts())
            keysSeen.insert(sequence.toString(QKeySequence::PortableText));
        rows.append({plainText(action->text()), nativeKeys(action->shortcuts())});
    }
}

} // namespace

QList<KeyboardShortcutsWindow::Group> KeyboardShortcutsWindow::collect(QMainWindow *window)
{
    QList<Group> groups;
    if (!window)
        return groups;
    QSet<const QAction *> seen;
    QSet<QString> keysSeen;
    for (QAction *menuAction : window->menuBar()->actions()) {
        if (!menuAction->menu())
            continue;
        Group group{plainText(menuAction->text()), {}};
        collectMenu(menuAction->menu(), group.rows, seen, keysSeen);
        if (!group.rows.isEmpty())
            groups.append(group);
    }

    // Keys of the window outside its menus: actions with shortcuts in no menu, then the keys the
    // window handles itself, each key once (Return is already the menu's Take Photo).
    Group other{tr("Other keys"), {}};
    for (QAction *action : window->actions()) {
        if (action->shortcuts().isEmpty() || seen.contains(action) || action->text().isEmpty())
            continue;
        seen.insert(action);
        for (const QKeySequence &sequence : action->shortcuts())
            keysSeen.insert(sequence.toString(QKeySequence::PortableText));
        other.rows.append({plainText(action->text()), nativeKeys(action->shortcuts())});
    }
    for (const LumoWindow::Key &key : LumoWindow::keys()) {
        const QKeySequence sequence(QString::fromLatin1(key.keys));
        const QString portable = sequence.toString(QKeySequence::PortableText);
        if (keysSeen.contains(portable))
            continue;
        keysSeen.insert(portable);
        const QString text = LumoWindow::tr(key.description);
        // Keys with the same meaning share a row: "=, +" zoom in.
        auto same =
            std::find_if(other.rows.begin(), other.rows.end(), [&](const Row &r) { return r.text == text; });
        if (same != other.rows.end())
            same->keys += QStringLiteral(", ") + sequence.toString(QKeySequence::NativeText);
        else
            other.rows.append({text, sequence.toString(QKeySequence::NativeText)});
    }
    if (!other.rows.isEmpty())
        groups.append(other);
    return groups;
}

KeyboardShortcutsWindow::KeyboardShortcutsWindow(QMainWindow *window)
    : QWidget(window, Qt::Window), window_(window)
{
    setObjectName(QStringLiteral("keyboardShortcutsWindow"));
    setWindowTitle(tr("Keyboard Shortcuts"));
    tree_ = new QTreeWidget;
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({tr("Action"), tr("Keys")});
    tree_->setRootIsDecorated(false);
    tree_->setSelectionMode(QAbstractItemView::NoSelection);
    tree_->setFocusPolicy(Qt::NoFocus);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    resize(460, 560);
    for (const QKeySequence &keys : {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void KeyboardShortcutsWindow::refill()
{
    tree_->clear();
    for (const Group &group : collect(window_)) {
        auto *heading = new QTreeWidgetItem(tree_, {group.title});
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        heading->setFirstColumnSpanned(true);
        heading->setFlags(Qt::ItemIsEnabled);
        for (const Row &row : group.rows)
            new QTreeWidgetItem(heading, {row.text, row.keys});
        heading->setExpanded(true);
    }
}

void KeyboardShortcutsWindow::showAndRaise()
{
    refill();
    show();
    raise();
    activateWindow();
}
