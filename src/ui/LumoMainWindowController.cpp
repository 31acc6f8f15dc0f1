#include "LumoMainWindowController.h"

#include "core/NotificationCenter.h"
#include "device/LumoCamerasController.h"

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
constexpr int DefaultWidth = 800;   // 4:3 picture area
constexpr int DefaultHeight = 600;
} // namespace

LumoMainWindowController::LumoMainWindowController(QObject *parent)
    : QObject(parent)
    , window_(new QMainWindow)
{
    window_->setWindowTitle(QStringLiteral("Arvo"));
    window_->setObjectName(QStringLiteral("mainWindow"));

    captureViewContainer_ = new QWidget;
    captureViewContainer_->setObjectName(QStringLiteral("captureViewContainer"));
    captureViewContainer_->setAutoFillBackground(true);
    QPalette palette = captureViewContainer_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0xb0, 0xb0));
    captureViewContainer_->setPalette(palette);
    captureViewContainer_->setMinimumSize(320, 240);

    placeholder_ = new QLabel(captureViewContainer_);
    placeholder_->setAlignment(Qt::AlignCenter);
    QFont font = placeholder_->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    placeholder_->setFont(font);
    auto *layout = new QVBoxLayout(captureViewContainer_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(placeholder_);
    window_->setCentralWidget(captureViewContainer_);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("statusLine"));
    window_->statusBar()->addWidget(status_, 1);
    window_->resize(DefaultWidth, DefaultHeight + 60);

    updateCameraStatus();
}

LumoMainWindowController::~LumoMainWindowController()
{
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
    updateCameraStatus();
}

void LumoMainWindowController::reportProblem(const QString &message)
{
    problem_ = message;
    problemShown_ = false;
    updateCameraStatus();
    if (window_->isVisible())
        showWindow();
}

QString LumoMainWindowController::statusText() const
{
    return status_->text();
}

void LumoMainWindowController::updateCameraStatus()
{
    auto *registry = LumoCamerasController::sharedController();
    CameraPtr camera = registry ? registry->currentCamera() : nullptr;
    placeholder_->setText(camera ? camera->model() : tr("No camera connected"));
    QString text = camera ? tr("Camera: %1").arg(camera->model()) : tr("No camera connected");
    if (!problem_.isEmpty())
        text += QStringLiteral("  —  ") + problem_;
    status_->setText(text);
}
