#pragma once

#include <QObject>

class QToolBar;

// Lets Tab reach every button of a toolbar: the buttons a toolbar makes for its actions, and
// those of widgets put in it, take no keyboard focus of their own. Buttons added later are
// reached as well; a button hidden with its action leaves the Tab chain with it. Main thread.
class ToolbarFocus : public QObject {
    Q_OBJECT
public:
    // Installs itself on `toolbar`, which owns it.
    static void install(QToolBar *toolbar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ToolbarFocus(QToolBar *toolbar);
    void apply();

    QToolBar *toolbar_;
};
