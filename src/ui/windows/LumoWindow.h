#pragma once

#include <QMainWindow>

// What a LumoWindow's keys and clicks ask of its owner. Every operation does nothing unless the
// delegate overrides it, so a delegate implements only the ones that make sense for it.
class LumoWindowDelegate {
public:
    virtual ~LumoWindowDelegate() = default;

    virtual void enter() {}
    virtual void selectAll() {}
    virtual void copyPhoto() {}
    virtual void zoomIn() {}
    virtual void zoomOut() {}
    virtual void deleteSelection() {}
    virtual void selectPrevious() {}
    virtual void selectNext() {}
    virtual void toggleControl() {}
};

// The application's window base: turns keys the focused widget leaves alone into operations of
// its delegate.
//
//   Return, Enter            enter            = + (keypad + too)  zoomIn
//   Ctrl+A (A alone: nothing) selectAll       - (keypad - too)    zoomOut
//   C, with any modifiers    copyPhoto        Delete, Backspace   deleteSelection
//   Left, Right              selectPrevious, selectNext
//
// Other keys take Qt's usual path. Main thread.
class LumoWindow : public QMainWindow {
    Q_OBJECT
public:
    // A key the window handles itself, outside any action: what it does for the delegate (null
    // for the main window's own shortcuts, listed here so that one table names every such key),
    // and how the keyboard shortcuts window shows it.
    struct Key {
        int key;
        bool withControl;
        void (LumoWindowDelegate::*operation)();
        const char *keys;        // as shown, e.g. "Ctrl+A"
        const char *description; // translated in LumoWindow's context
    };
    static const QList<Key> &keys();

    explicit LumoWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    LumoWindowDelegate *delegate() const { return delegate_; }
    // Not owned; the delegate must outlive the window or be cleared first.
    void setDelegate(LumoWindowDelegate *delegate) { delegate_ = delegate; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    LumoWindowDelegate *delegate_ = nullptr;
};
