#pragma once

#include <QObject>
#include <QPointer>

class QToolBar;
class QWidget;

// Keeps a window at least as wide as the toolbar it shows needs for all its controls, so that
// none of them goes into the toolbar's overflow menu. It follows the controls as they come, go,
// show, hide or change their width. Main thread.
class ToolbarFit : public QObject {
    Q_OBJECT
public:
    ToolbarFit(QWidget *window, int baseWidth, QObject *parent = nullptr);

    // Watches `toolbar`; the width follows the one of the watched toolbars that is shown.
    void watch(QToolBar *toolbar);
    // The smallest window width: the base width, or more for the toolbar shown.
    int minimumWidth() const;
    // Applies minimumWidth() to the window.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window_;
    int baseWidth_;
    QList<QPointer<QToolBar>> toolbars_;
    bool updateQueued_ = false;
};
