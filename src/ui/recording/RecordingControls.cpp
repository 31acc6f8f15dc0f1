#include "RecordingControls.h"

#include "RecordButton.h"
#include "capture/recording/Recorder.h"
#include "core/DefaultsKeys.h"
#include "core/Delays.h"
#include "core/UserDefaults.h"
#include "ui/LumoMainWindowController.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/fullscreen/FloaterGeometry.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int FloaterMargin = 16;
// The round button sits over the snapshot button, on its centre line: 95 left of the right
// reference, its bottom this far above the picture's bottom (the snapshot button's top is at 70).
constexpr float ButtonsFromRight = 95;
constexpr float AboveSnapshot = 70 + 14;
// How long the way a recording ended stays beside the round button.
constexpr Delays::Ms EndShown{5000};

} // namespace

RecordingControls::RecordingControls(Recorder *recorder, LumoMainWindowController *main,
                                     UserDefaults *defaults, QObject *parent)
    : QObject(parent), recorder_(recorder), main_(main), defaults_(defaults)
{
    recordAction_ = new QAction(this);
    recordAction_->setObjectName(QStringLiteral("recordAction"));
    recordAction_->setShortcut(QKeySequence(Qt::Key_R));
    // The key works in whichever window shows the picture: the main window or the full-screen one.
    // A text field with the focus keeps the letter for itself.
    main_->cameraView()->addAction(recordAction_);
    connect(recordAction_, &QAction::triggered, this, &RecordingControls::toggle);
    main_->cameraModeToolbar()->addAction(recordAction_);

    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("recordingStatus"));
    // Set apart from the camera's status, in the round button's red.
    statusLabel_->setStyleSheet(
        QStringLiteral("QLabel { color: %1; padding-left: 16px; }").arg(RecordButton::recordingRed().name()));
    main_->window()->statusBar()->addPermanentWidget(statusLabel_);

    floater_ = new RecordButton(main_->cameraView());
    floater_->setObjectName(QStringLiteral("recordingFloater"));
    connect(floater_, &QAbstractButton::clicked, this, &RecordingControls::toggle);
    main_->cameraView()->installEventFilter(this);

    endShown_ = new QTimer(this);
    endShown_->setSingleShot(true);
    connect(endShown_, &QTimer::timeout, this, &RecordingControls::update);

    connect(recorder_, &Recorder::started, this,
            [this](const QString &, bool withSound) { started(withSound); });
    connect(recorder_, &Recorder::progress, this, [this](qint64 elapsedMs, qint64 bytes) {
        elapsedMs_ = elapsedMs;
        bytes_ = bytes;
        update();
    });
    connect(recorder_, &Recorder::finished, this,
            [this](const QString &, Recorder::End, const QString &message) { ended(message); });
    connect(recorder_, &Recorder::failed, this, &RecordingControls::ended);
    // Queued: a mode button toggles before the window has changed its mode.
    for (QAction *mode : main_->modeActions())
        connect(mode, &QAction::toggled, this, &RecordingControls::update, Qt::QueuedConnection);
    update();
}

RecordingControls::~RecordingControls()
{
    if (QWidget *view = main_->cameraView())
        view->removeEventFilter(this);
}

void RecordingControls::toggle()
{
    if (recording_) {
        recorder_->stop(Recorder::End::Stopped);
        return;
    }
    // Review mode pauses the picture: there is nothing to record (its action is disabled there).
    if (main_->mode() == LumoMainWindowController::ReviewMode)
        return;
    recorder_->start();
}

void RecordingControls::started(bool withSound)
{
    recording_ = true;
    elapsedMs_ = 0;
    bytes_ = 0;
    endShown_->stop();
    // Said once, when the user wanted sound and no microphone could be opened.
    if (!withSound && defaults_->boolForKey(DefaultsKeys::RecordWithSound, true))
        main_->showMessage(tr("Recording without sound: no microphone"));
    update();
}

void RecordingControls::ended(const QString &message)
{
    recording_ = false;
    endMessage_ = message;
    if (!message.isEmpty()) {
        main_->showMessage(message);
        endShown_->start(Delays::scaled(EndShown));
    }
    update();
}

QString RecordingControls::elapsedText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString secs = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secs);
    return QStringLiteral("%1:%2").arg(minutes).arg(secs);
}

QString RecordingControls::statusText(qint64 ms, qint64 bytes)
{
    // Decimal units, as the desktop's file managers count.
    const double megabytes = double(std::max<qint64>(bytes, 0)) / 1e6;
    const QString size = megabytes < 1000 ? tr("%1 MB").arg(megabytes, 0, 'f', 1)
                                          : tr("%1 GB").arg(megabytes / 1000, 0, 'f', 2);
    return tr("Recording %1 · %2").arg(elapsedText(ms), size);
}

void RecordingControls::update()
{
    const int mode = main_->mode();
    const bool pictureShown =
        mode == LumoMainWindowController::CameraMode || mode == LumoMainWindowController::ProjectMode;
    recordAction_->setEnabled(recording_ || pictureShown);
    recordAction_->setText(recording_ ? tr("Stop &Recording") : tr("Start &Recording"));
    recordAction_->setIconText(recording_ ? tr("Stop") : tr("Record"));
    recordAction_->setIcon(RecordButton::icon(recording_));
    recordAction_->setToolTip(recording_ ? tr("Stop the recording (R)")
                                         : tr("Record the picture as a video (R)"));

    const QString status = recording_ ? statusText(elapsedMs_, bytes_) : QString();
    statusLabel_->setText(status);
    statusLabel_->setVisible(!status.isEmpty());

    if (floater_) {
        floater_->setChecked(recording_);
        floater_->setText(recording_              ? elapsedText(elapsedMs_)
                          : endShown_->isActive() ? endMessage_
                                                  : QString());
        floater_->setToolTip(recordAction_->toolTip());
        floater_->setAccessibleName(recording_ ? tr("Stop Recording") : tr("Start Recording"));
        floater_->setVisible(mode == LumoMainWindowController::ProjectMode);
        placeFloater();
    }
}

void RecordingControls::placeFloater()
{
    if (!floater_ || !floater_->isVisible())
        return;
    floater_->resize(floater_->sizeHint());
    // The round part on the snapshot button's centre line, above it, on the picture (full screen
    // too, where the picture leaves bands beside it); the text grows to the left. Geometry with
    // the origin at the bottom left.
    const QWidget *view = floater_->parentWidget();
    const QSize frame = main_->captureController()->lastFrameSize();
    const QSizeF aspect = frame.isEmpty() ? QSizeF(4, 3) : QSizeF(frame);
    const bool fullScreen = main_->fullWindow() != nullptr;
    const QRectF area(view->rect());
    const QRectF picture = FloaterGeometry::pictureFrame(area, fullScreen, aspect).intersected(area);
    const float centre = FloaterGeometry::rightReference(area, fullScreen, aspect) - ButtonsFromRight;
    const int right = int(centre) + RecordButton::Diameter / 2;
    floater_->move(std::max(int(picture.left()) + FloaterMargin, right - floater_->width()),
                   view->height() - int(picture.y() + AboveSnapshot) - floater_->height());
    floater_->raise();
}

bool RecordingControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ParentChange)
        placeFloater();
    return QObject::eventFilter(watched, event);
}
