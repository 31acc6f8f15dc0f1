#pragma once

#include "SeriesDialog.h"

#include <QLabel>
#include <QObject>
#include <QPointer>

class LumoMainWindowController;
class PhotoSeries;
class QAction;
class QTimer;
class UserDefaults;

// The controls of a series of photos at intervals: File menu entries to start one (through a
// small dialog) and to stop it, a toolbar button for both, the photos taken and the time to the
// next in the status line and, in project mode, over the picture, where how the series ended
// then shows for a few seconds (after the last photo's own "Saved" message). Main thread.
class SeriesControls : public QObject {
    Q_OBJECT
public:
    SeriesControls(PhotoSeries *series, LumoMainWindowController *main, UserDefaults *defaults,
                   QObject *parent = nullptr);
    ~SeriesControls() override;

    QAction *startAction() const { return startAction_; }
    QAction *stopAction() const { return stopAction_; }
    QAction *toolbarAction() const { return toolbarAction_; }
    QLabel *statusLabel() const { return statusLabel_; }
    QLabel *floater() const { return floater_; }

    // Opens the dialog; its Start begins the series. Nothing happens while a series runs.
    void requestStart();
    SeriesDialog *dialog() const { return dialog_; }

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void update();
    void placeFloater();

    PhotoSeries *series_;
    LumoMainWindowController *main_;
    UserDefaults *defaults_;
    QAction *startAction_ = nullptr;
    QAction *stopAction_ = nullptr;
    QAction *toolbarAction_ = nullptr;
    QLabel *statusLabel_ = nullptr;
    QPointer<QLabel> floater_;
    QPointer<SeriesDialog> dialog_;
    QTimer *endShown_ = nullptr;
    QString endMessage_;
};
