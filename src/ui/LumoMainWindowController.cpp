#include "LumoMainWindowController.h"

#include "ui/camera/LumoCaptureViewController.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "settings/CamSettingController.h"
#include "settings/Conversions.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int DefaultWidth = 800; // a 4:3 picture area
constexpr int DefaultHeight = 600;
constexpr int StatusIntervalMs = 1000;
constexpr int MessageDurationMs = 8000;

} // namespace

LumoMainWindowController::LumoMainWindowController(CaptureBackend *captureBackend,
                                                   CameraProvider currentCamera, QObject *parent)
    : QObject(parent)
    , currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); })
    , window_(new QMainWindow)
    , captureController_(std::make_unique<LumoCaptureViewController>(captureBackend, currentCamera_))
{
    window_->setWindowTitle(QStringLiteral("Arvo"));
    window_->setObjectName(QStringLiteral("mainWindow"));

    stack_ = new QStackedWidget;
    stack_->setAutoFillBackground(true);
    QPalette palette = stack_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0xb0, 0xb0));
    stack_->setPalette(palette);
    stack_->setMinimumSize(320, 240);

    placeholder_ = new QLabel;
    placeholder_->setAlignment(Qt::AlignCenter);
    QFont font = placeholder_->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    placeholder_->setFont(font);
    stack_->addWidget(placeholder_);

    captureViewContainer_ = new QWidget;
    captureViewContainer_->setObjectName(QStringLiteral("captureViewContainer"));
    auto *layout = new QVBoxLayout(captureViewContainer_);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(captureViewContainer_);
    window_->setCentralWidget(stack_);
    captureController_->setCaptureViewContainer(captureViewContainer_);
    captureController_->setErrorPresenter(
        [this](const CaptureDevice::Error &error) { presentCaptureError(error); });

    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("messageLine"));
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("statusLine"));
    window_->statusBar()->addWidget(message_, 1);
    window_->statusBar()->addPermanentWidget(status_);
    window_->resize(DefaultWidth, DefaultHeight + 60);

    messageTimer_ = new QTimer(this);
    messageTimer_->setSingleShot(true);
    connect(messageTimer_, &QTimer::timeout, this, [this] { message_->setText(problem_); });

    // Once a second: the measured frame rate, and the picture or the reason there is none.
    statusTimer_ = new QTimer(this);
    connect(statusTimer_, &QTimer::timeout, this, [this] {
        const uint32_t frames = captureController_->frameCount();
        framesPerSecond_ = double(frames - lastFrameCount_) * 1000.0 / StatusIntervalMs;
        lastFrameCount_ = frames;
        updateCameraStatus();
    });
    statusTimer_->start(StatusIntervalMs);

    auto *snapshot = new QShortcut(QKeySequence(Qt::Key_Return), window_);
    connect(snapshot, &QShortcut::activated, this, [] {
        NotificationCenter::defaultCenter()->post(NotificationNames::Snapshot);
    });
    auto *enter = new QShortcut(QKeySequence(Qt::Key_Enter), window_);
    connect(enter, &QShortcut::activated, snapshot, &QShortcut::activated);

    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, NotificationNames::CamSettingDidRestore,
                        [this](const Notification &) { syncCameraModeSettings(); });
    center->addObserver(this, NotificationNames::CamSettingDidSetToDefault,
                        [this](const Notification &) { syncCameraModeSettings(); });
    center->addObserver(this, NotificationNames::PhotoSaveDidFail, [this](const Notification &n) {
        showMessage(n.userInfo.value(NotificationNames::InfoKeys::Message).toString());
    });

    updateCameraStatus();
}

LumoMainWindowController::~LumoMainWindowController()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    captureController_.reset(); // stops the stream before the view goes
    delete window_;
}

QMainWindow *LumoMainWindowController::window() const
{
    return window_;
}

void LumoMainWindowController::showWindow()
{
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!problem_.isEmpty() && !problemShown_) {
        problemShown_ = true;
        auto *box = new QMessageBox(QMessageBox::Warning, tr("Arvo"), problem_, QMessageBox::Ok,
                                    window_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
    }
}

void LumoMainWindowController::setMode(int mode)
{
    if (mode < CameraMode || mode > ReviewMode)
        return;
    mode_ = mode;
}

void LumoMainWindowController::initAttachController() {}

void LumoMainWindowController::enterFullScreenMode()
{
    window_->showFullScreen();
}

void LumoMainWindowController::exitFullScreenMode()
{
    window_->showNormal();
}

void LumoMainWindowController::copy() {}

void LumoMainWindowController::velmarCameraDidChange(const Notification &)
{
    lastFrameCount_ = captureController_->frameCount();
    framesPerSecond_ = 0;
    updateCameraStatus();
    if (currentCamera_())
        CamSettingController::sharedInstance()->resetCameraParameters();
}

void LumoMainWindowController::syncCameraModeSettings()
{
    CamSettingController *settings = CamSettingController::sharedInstance();
    const float zoom = settings->zoom();
    captureController_->setZoom(zoom > 0 ? zoom : 1.0f);
    captureController_->setHFlipped(settings->hFlipped());
    captureController_->setVFlipped(settings->vFlipped());
    captureController_->setResolution(toPhotoOutputSize(settings->resolution()).toSize());
}

void LumoMainWindowController::fileDidCreate(const Notification &notification)
{
    const QUrl url = notification.userInfo.value(NotificationNames::InfoKeys::FileURL).toUrl();
    showMessage(tr("Saved %1").arg(QFileInfo(url.toLocalFile()).fileName()));
}

void LumoMainWindowController::presentCaptureError(const CaptureDevice::Error &error)
{
    auto *box = new QMessageBox(QMessageBox::Warning, error.description, error.description,
                                QMessageBox::Ok, window_);
    box->setInformativeText(error.recoverySuggestion);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void LumoMainWindowController::reportProblem(const QString &message)
{
    problem_ = message;
    problemShown_ = false;
    message_->setText(problem_);
    if (window_->isVisible())
        showWindow();
}

void LumoMainWindowController::showMessage(const QString &message)
{
    message_->setText(message);
    messageTimer_->start(MessageDurationMs);
}

QString LumoMainWindowController::statusText() const
{
    return status_->text();
}

QString LumoMainWindowController::messageText() const
{
    return message_->text();
}

void LumoMainWindowController::updateCameraStatus()
{
    CameraPtr camera = currentCamera_();
    const bool live = camera && captureController_->isRunning() && captureController_->frameCount() > 0;
    stack_->setCurrentWidget(live ? captureViewContainer_ : placeholder_);
    if (!camera) {
        placeholder_->setText(tr("No camera connected"));
        status_->setText(tr("No camera connected"));
        return;
    }
    placeholder_->setText(tr("%1\nwaiting for the picture…").arg(camera->model()));
    const QSize size = captureController_->lastFrameSize();
    if (!live || size.isEmpty()) {
        status_->setText(camera->model());
        return;
    }
    status_->setText(tr("%1  ·  %2×%3  ·  %4 fps")
                         .arg(camera->model())
                         .arg(size.width())
                         .arg(size.height())
                         .arg(framesPerSecond_, 0, 'f', 1));
}
