#include "SeriesControls.h"

#include "SeriesDialog.h"
#include "core/Delays.h"
#include "photos/series/PhotoSeries.h"
#include "ui/LumoMainWindowController.h"
#include "ui/widgets/LumoIcons.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr int FloaterMargin = 16;
// How long the way a series ended stays in the status line.
constexpr Delays::Ms EndShown{5000};

} // namespace

SeriesControls::SeriesControls(PhotoSeries *series, LumoMainWindowController *main, UserDefaults *defaults,
                               QObject *parent)
    : QObject(parent), series_(series), main_(main), defaults_(defaults)
{
    startAction_ = new QAction(tr("Photos at &Intervals…"), this);
    startAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    startAction_->setToolTip(tr("Take a photo every few seconds or minutes (Ctrl+I)"));
    connect(startAction_, &QAction::triggered, this, &SeriesControls::requestStart);

    stopAction_ = new QAction(tr("&Stop Series"), this);
    stopAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    stopAction_->setToolTip(tr("Stop taking photos at intervals (Ctrl+Shift+I)"));
    connect(stopAction_, &QAction::triggered, series_, [this] { series_->stop(); });

    // One button for both: it starts a series and, checked while one runs, stops it.
    toolbarAction_ = new QAction(tr("Intervals"), this);
    toolbarAction_->setObjectName(QStringLiteral("seriesToolbarAction"));
    toolbarAction_->setCheckable(true);
    toolbarAction_->setToolTip(tr("Take photos at intervals (Ctrl+I); click again to stop (Ctrl+Shift+I)"));
    connect(toolbarAction_, &QAction::triggered, this, [this] {
        if (series_->isRunning())
            series_->stop();
        else
            requestStart();
        update();
    });
    main_->cameraModeToolbar()->addSeparator();
    main_->cameraModeToolbar()->addAction(toolbarAction_);
    // A picture with the words as its tooltip: the toolbar keeps every control in view.
    LumoIcons::setIcon(toolbarAction_, QStringLiteral("media-playlist-repeat"), main_->cameraModeToolbar());

    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("seriesStatus"));
    main_->window()->statusBar()->addPermanentWidget(statusLabel_);

    // Over the picture, where the window is full screen: the picture's view carries it there.
    floater_ = new QLabel(main_->cameraView());
    floater_->setObjectName(QStringLiteral("seriesFloater"));
    floater_->setAttribute(Qt::WA_TransparentForMouseEvents);
    floater_->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background: rgba(0, 0, 0, 160); border-radius: 6px; padding: 6px 10px; }"));
    main_->cameraView()->installEventFilter(this);

    endShown_ = new QTimer(this);
    endShown_->setSingleShot(true);
    connect(endShown_, &QTimer::timeout, this, &SeriesControls::update);
    connect(series_, &PhotoSeries::progressChanged, this, &SeriesControls::update);
    connect(series_, &PhotoSeries::ended, this, [this](PhotoSeries::End, const QString &message) {
        endMessage_ = message;
        endShown_->start(Delays::scaled(EndShown));
        update();
    });
    // The mode buttons toggle before the window changes mode: look once the change is made.
    for (QAction *mode : main_->modeActions())
        connect(mode, &QAction::toggled, this, &SeriesControls::update, Qt::QueuedConnection);
    update();
}

SeriesControls::~SeriesControls()
{
    if (QWidget *view = main_->cameraView())
        view->removeEventFilter(this);
}

void SeriesControls::requestStart()
{
    if (series_->isRunning())
        return;
    if (dialog_) {
        dialog_->raise();
        return;
    }
    dialog_ = new SeriesDialog(defaults_, main_->window());
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setWindowModality(Qt::WindowModal);
    connect(dialog_, &QDialog::accepted, this, [this] {
        dialog_->savePlan();
        series_->start(dialog_->plan());
        update();
    });
    connect(dialog_, &QDialog::rejected, this, &SeriesControls::update);
    dialog_->open();
}

void SeriesControls::update()
{
    const bool running = series_->isRunning();
    const QString text = running ? series_->progressText() : endShown_->isActive() ? endMessage_ : QString();
    startAction_->setEnabled(!running);
    stopAction_->setEnabled(running);
    toolbarAction_->setChecked(running);
    statusLabel_->setText(text);
    statusLabel_->setVisible(!text.isEmpty());
    if (floater_) {
        floater_->setText(text);
        floater_->setVisible(!text.isEmpty() && main_->mode() == LumoMainWindowController::ProjectMode);
        placeFloater();
    }
}

void SeriesControls::placeFloater()
{
    if (!floater_ || !floater_->isVisible())
        return;
    floater_->adjustSize();
    floater_->move(FloaterMargin, FloaterMargin);
    floater_->raise();
}

bool SeriesControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ParentChange)
        placeFloater();
    return QObject::eventFilter(watched, event);
}
