#include "LumoMainWindowController.h"

#include "WindowGeometry.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/camera/CaptureView.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "ui/drawing/DrawingController.h"
#include "ui/review/LumoImageView.h"
#include "ui/review/LumoReviewController.h"
#include "ui/widgets/LumoElidedLabel.h"
#include "ui/fullscreen/LumoAttachController.h"
#include "ui/fullscreen/LumoPreviewImageView.h"
#include "ui/widgets/LumoImages.h"
#include "ui/widgets/ToolbarFocus.h"
#include "ui/widgets/ToolbarFit.h"
#include "ui/windows/LumoCameraView.h"
#include "ui/windows/LumoFullWindow.h"
#include "ui/windows/LumoMainWindow.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "library/LibraryFolder.h"
#include "settings/CamSettingController.h"
#include "settings/Conversions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int DefaultWidth = 800; // a 4:3 picture area
constexpr int DefaultHeight = 600;
constexpr int StatusIntervalMs = 1000;
constexpr int MessageDurationMs = 8000;
constexpr int MinimumPictureWidth = 480;
constexpr int MinimumPictureHeight = 360;

// A mode button's picture: the "-Down" image while the mode is not shown, "-Up" while it is.
QIcon modeIcon(const QString &name)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(LumoImages::named(name + QStringLiteral("-Down"), ratio), QIcon::Normal, QIcon::Off);
        icon.addPixmap(LumoImages::named(name + QStringLiteral("-Up"), ratio), QIcon::Normal, QIcon::On);
    }
    return icon;
}

} // namespace

LumoMainWindowController::LumoMainWindowController(CaptureBackend *captureBackend,
                                                   CameraProvider currentCamera, QObject *parent)
    : LumoWindowController(parent),
      currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); }),
      window_(new LumoMainWindow),
      captureController_(std::make_unique<LumoCaptureViewController>(captureBackend, currentCamera_))
{
    baseDir_ = UserDefaults::standard()->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    window_->setWindowTitle(QStringLiteral("Arvo"));
    window_->setObjectName(QStringLiteral("mainWindow"));
    window_->setDelegate(this);
    window_->installEventFilter(this);
    setWindow(window_);

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

    // The photo zoom pop-up joins once the camera controls exist.
    review_ = new LumoReviewController(window_, nullptr, this);
    albumView_ = review_->albumView();

    // The camera view carries the picture and, over it, the instant preview and the floating
    // controls, from this window to the full-screen window and back.
    cameraView_ = new LumoCameraView;
    cameraView_->setObjectName(QStringLiteral("cameraView"));
    cameraView_->setMinimumSize(stack_->minimumSize());
    cameraView_->setPicture(stack_);
    previewImageView_ = new LumoPreviewImageView;
    previewImageView_->setObjectName(QStringLiteral("previewImageView"));
    cameraView_->setCover(previewImageView_);

    pages_ = new QStackedWidget;
    pages_->addWidget(cameraView_);
    pages_->addWidget(albumView_);
    window_->setCentralWidget(pages_);
    captureController_->setCaptureViewContainer(captureViewContainer_);
    captureController_->setErrorPresenter(
        [this](const CaptureDevice::Error &error) { presentCaptureError(error); });
    // The picture replaces the placeholder as soon as it has something to show.
    connect(captureController_.get(), &LumoCaptureViewController::firstFrameShown, this,
            &LumoMainWindowController::updateCameraStatus);
    connect(captureController_.get(), &LumoCaptureViewController::resolutionChanged, this,
            &LumoMainWindowController::followPictureShape);

    message_ = new LumoElidedLabel;
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

    takePhotoAction_ = new QAction(tr("&Take Photo"), this);
    takePhotoAction_->setStatusTip(tr("Saves the current picture to the photo library"));
    takePhotoAction_->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(takePhotoAction_, &QAction::triggered, this, [this] { enter(); });
    window_->addAction(takePhotoAction_);

    // The mode switcher: the Mode menu's entries, the toolbars' mode buttons and Ctrl+1..3.
    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    const struct {
        const char *text;
        const char *tip; // also what assistive technology says the button does
        const char *image;
        Qt::Key key;
        int mode;
    } modes[] = {{QT_TR_NOOP("&Camera"), QT_TR_NOOP("Shows the live picture with the camera's controls"),
                  "Camera", Qt::Key_1, CameraMode},
                 {QT_TR_NOOP("&Project"), QT_TR_NOOP("Shows the live picture on the whole screen"),
                  "Full-Screen", Qt::Key_2, ProjectMode},
                 {QT_TR_NOOP("&Review"), QT_TR_NOOP("Shows the photos taken, to look at and sort"), "Review",
                  Qt::Key_3, ReviewMode}};
    for (const auto &m : modes) {
        QAction *action = modeGroup_->addAction(modeIcon(QString::fromLatin1(m.image)), tr(m.text));
        action->setToolTip(tr(m.tip));
        action->setStatusTip(tr(m.tip));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | m.key));
        action->setData(m.mode);
        window_->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode = m.mode] { setMode(mode); });
    }
    // F11 goes full screen from any mode, Escape comes back.
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), window_);
    connect(fullScreen, &QShortcut::activated, this, [this] { setMode(ProjectMode); });
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
    connect(leave, &QShortcut::activated, this, [this] {
        if (countingDown_)
            emit countdownCancelRequested();
        else if (mode_ == ProjectMode)
            setMode(CameraMode);
    });

    cameraModeToolbar_ = makeToolbar(QStringLiteral("cameraModeToolbar"));
    reviewModeToolbar_ = makeToolbar(QStringLiteral("reviewModeToolbar"));
    // The window is never narrower than its toolbar's controls, so none of them is hidden.
    toolbarFit_ = new ToolbarFit(window_, MinimumPictureWidth, this);
    toolbarFit_->watch(cameraModeToolbar_);
    toolbarFit_->watch(reviewModeToolbar_);
    cameraControls_ = new LumoCameraModeControls(
        captureController_.get(), CamSettingController::sharedInstance(), currentCamera_, this);
    for (QWidget *control : cameraControls_->toolbarWidgets())
        cameraModeToolbar_->addWidget(control);
    // The drawing: over the picture in camera and project mode, its tools beside the camera's.
    drawing_ = new DrawingController(
        cameraView_,
        [capture = QPointer<LumoCaptureViewController>(captureController_.get())] {
            CaptureView *view = capture ? capture->captureView() : nullptr;
            return view ? view->frame() : LiveFrame();
        },
        UserDefaults::standard(), this);
    cameraView_->setOverlay(drawing_->overlay());
    cameraModeToolbar_->addSeparator();
    cameraModeToolbar_->addWidget(drawing_->makeToolStrip(true));
    connect(drawing_->otherPhotoAction(), &QAction::triggered, this, [this] {
        if (mode_ != CameraMode && mode_ != ProjectMode)
            return;
        drawing_->takeNextPhotoOtherWay();
        enter();
    });
    reviewModeToolbar_->addWidget(cameraControls_->photoZoomButton());
    for (QWidget *control : review_->toolbarWidgets())
        reviewModeToolbar_->addWidget(control);
    window_->addActions(review_->shortcutActions());
    // The photo zoom pop-up and the viewer move together: the pop-up (and the zoom keys) zoom
    // the viewer, the scroll wheel over the viewer steps the pop-up, and each photo shown sets
    // the pop-up to the step it remembers.
    review_->setPhotoZoomButton(cameraControls_->photoZoomButton());
    connect(cameraControls_, &LumoCameraModeControls::viewerZoomRequested, review_,
            [this](float factor) { review_->imageView()->zoom(factor); });
    connect(review_, &LumoReviewController::zoomInRequested, cameraControls_,
            &LumoCameraModeControls::zoomIn);
    connect(review_, &LumoReviewController::zoomOutRequested, cameraControls_,
            &LumoCameraModeControls::zoomOut);
    review_->loadData(LibraryFolder::current(UserDefaults::standard()));

    NotificationCenter *center = NotificationCenter::defaultCenter();
    // Leaving full screen, by whatever way, comes back to camera mode.
    center->addObserver(this, NotificationNames::AppExitFullScreen,
                        [this](const Notification &) { appEscapeFromFullScreen(); });
    // Another camera was chosen for the picture: the stream starts again on it, and focuses.
    center->addObserver(this, NotificationNames::CommandRestartCaptureView, [this](const Notification &) {
        captureController_->restart();
        doAutoFocusInMainThread();
    });
    center->addObserver(this, NotificationNames::MainWindowDoubleClicked,
                        [this](const Notification &) { doubleClickMainWindow(); });
    center->addObserver(this, NotificationNames::PhotoSaveDidFail, [this](const Notification &n) {
        showMessage(n.userInfo.value(NotificationNames::InfoKeys::Message).toString());
    });
    setUpFullScreen();

    updateCameraStatus();
}

LumoMainWindowController::~LumoMainWindowController()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    tearDownFullScreen();
    captureController_.reset(); // stops the stream before the view goes
    // The window sends events while it is torn down, when it is no longer a LumoMainWindow.
    window_->removeEventFilter(this);
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
        auto *box = new QMessageBox(QMessageBox::Warning, tr("Arvo"), problem_, QMessageBox::Ok, window_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
    }
}

void LumoMainWindowController::restoreWindowFrame()
{
    const QString text = UserDefaults::standard()->stringForKey(DefaultsKeys::MainWindowFrame);
    if (text.isEmpty())
        return;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect place =
        WindowGeometry::restoredRect(WindowGeometry::parseRect(text), screens, window_->minimumSize());
    if (place.isNull()) {
        LUMO_LOG("window place \"%s\" not usable: ignored", qPrintable(text));
        return;
    }
    window_->setGeometry(place);
}

void LumoMainWindowController::saveWindowFrame() const
{
    // The size it has in a window, not the full screen's.
    UserDefaults::standard()->setValue(DefaultsKeys::MainWindowFrame,
                                       WindowGeometry::rectText(window_->normalGeometry()));
}

QList<QAction *> LumoMainWindowController::modeActions() const
{
    return modeGroup_->actions();
}

QToolBar *LumoMainWindowController::makeToolbar(const QString &name)
{
    auto *toolbar = new QToolBar(window_);
    toolbar->setObjectName(name);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->addActions(modeGroup_->actions());
    toolbar->addSeparator();
    toolbar->hide();
    ToolbarFocus::install(toolbar);
    return toolbar;
}

void LumoMainWindowController::setMode(int mode)
{
    LUMO_LOG("set mode to %d", mode);
    if (mode == mode_)
        return;
    switch (mode) {
    case CameraMode:
        runCameraModeSequence();
        break;
    case ProjectMode:
        if (mode_ != CameraMode)
            setMode(CameraMode);
        enterFullScreenMode();
        break;
    case ReviewMode:
        runReviewModeSequence();
        break;
    default:
        break;
    }
    mode_ = mode;
    checkModeAction(mode);
}

void LumoMainWindowController::runCameraModeSequence()
{
    setupToolbar(CameraMode);
    captureController_->resume();
    doAutoFocusInMainThread();
    cameraControls_->setReviewMode(false);
    review_->setShown(false);
    cameraControls_->adjustCameraModeToolbarItems();
    exitFullScreenMode();
    window_->statusBar()->show();
    pages_->setCurrentWidget(cameraView_);
    sizeWindowForMode(CameraMode);
    showFloaters(true);
}

void LumoMainWindowController::runReviewModeSequence()
{
    setupToolbar(ReviewMode);
    cameraControls_->setReviewMode(true);
    exitFullScreenMode();
    showFloaters(false);
    window_->statusBar()->hide();
    pages_->setCurrentWidget(albumView_);
    sizeWindowForMode(ReviewMode);
    review_->setShown(true);
    review_->enterReviewMode();
    captureController_->pause();
}

void LumoMainWindowController::setupToolbar(int mode)
{
    QToolBar *shown = mode == CameraMode   ? cameraModeToolbar_
                      : mode == ReviewMode ? reviewModeToolbar_
                                           : nullptr;
    if (!shown)
        return;
    for (QToolBar *toolbar : {cameraModeToolbar_, reviewModeToolbar_}) {
        if (toolbar != shown) {
            window_->removeToolBar(toolbar);
            toolbar->hide();
        }
    }
    window_->addToolBar(Qt::TopToolBarArea, shown);
    shown->show();
    setWindowToolbar(shown);
}

LumoMainWindowController::Chrome LumoMainWindowController::chrome(int mode) const
{
    // Measured as it is now: the title bar and the menu bar above the toolbar, and the band under
    // the picture (the status line in camera mode, the thumbnail strip in review mode).
    const QRect frame = window_->frameGeometry();
    const QRect client = window_->geometry();
    // A bar that has not been laid out yet counts with the height it asks for.
    const auto height = [](const QWidget *bar) {
        return float(bar->isVisible() ? bar->height() : bar->sizeHint().height());
    };
    const float menuBar = window_->menuBar()->isHidden() ? 0 : height(window_->menuBar());
    Chrome chrome;
    chrome.toolbar = toolbarHeight();
    chrome.band = mode == CameraMode ? height(window_->statusBar()) : WindowGeometry::ReviewBand;
    chrome.titleBar = float(frame.height() - client.height()) + menuBar;
    if (window_->isVisible()) {
        // Laid out, everything between the client area and the page is known exactly (bars,
        // margins, spacing): it all counts with the title bar, so the page keeps its aspect to the
        // pixel.
        window_->layout()->activate();
        const float aroundPage = float(client.height() - pages_->height());
        const float statusLine =
            window_->statusBar()->isVisible() ? float(window_->statusBar()->height()) : 0;
        chrome.titleBar = float(frame.height() - client.height()) + aroundPage - chrome.toolbar - statusLine;
        if (mode == CameraMode)
            chrome.band = statusLine;
    }
    chrome.decorations = frame.size() - client.size();
    return chrome;
}

void LumoMainWindowController::setScreenFrame(const QRectF &screenFrame, const QRect &available,
                                              const Chrome &chrome)
{
    const QRect target = WindowGeometry::toQt(screenFrame, available).toRect();
    // The sizing rules make the frame as wide as the picture: the window manager's side borders
    // come on top of that width, and only its title bar is part of the height. resize() takes
    // the client size, move() the frame's position.
    window_->resize(target.width(), target.height() - chrome.decorations.height());
    if (window_->isVisible())
        window_->move(target.topLeft());
}

void LumoMainWindowController::sizeWindowForMode(int mode)
{
    if (window_->isFullScreen() || window_->isMaximized())
        return;
    QScreen *screen = window_->screen();
    if (!screen)
        return;
    const Chrome c = chrome(mode);
    const QRect available = screen->availableGeometry();
    const QRectF frame = WindowGeometry::toScreen(QRectF(window_->frameGeometry()), available);
    const QRectF sized =
        WindowGeometry::modeChangeFrame(frame, WindowGeometry::visibleFrame(available), c.titleBar, c.toolbar,
                                        float(window_->width()), c.band, pictureAspect_);
    // The minimum is a client size: without the window manager's title bar.
    const float menuBar = c.titleBar - float(c.decorations.height());
    // A wide picture may be lower than 360 at the smallest width.
    const double minimumPicture = std::min<double>(
        MinimumPictureHeight, MinimumPictureWidth * pictureAspect_.height() / pictureAspect_.width());
    window_->setMinimumSize(toolbarFit_->minimumWidth(), int(minimumPicture + menuBar + c.toolbar + c.band));
    setScreenFrame(sized, available, c);
}

void LumoMainWindowController::zoomWindow()
{
    QScreen *screen = window_->screen();
    if (!screen)
        return;
    const Chrome c = chrome(mode_);
    const QRect available = screen->availableGeometry();
    // The side borders come on top of the frame's width (setScreenFrame()).
    const QRectF visible = WindowGeometry::visibleFrame(available).adjusted(0, 0, -c.decorations.width(), 0);
    const QRectF frame = WindowGeometry::toScreen(QRectF(window_->frameGeometry()), available);
    setScreenFrame(WindowGeometry::zoomFrame(float(frame.x()), visible, visible, c.titleBar, c.toolbar,
                                             c.band, pictureAspect_),
                   available, c);
}

void LumoMainWindowController::followPictureShape(const QSize &frameSize)
{
    if (frameSize.isEmpty())
        return;
    const QSizeF aspect(frameSize);
    // The same shape (1280x960 after 1600x1200) leaves the window as the user sized it.
    if (aspect.width() * pictureAspect_.height() == aspect.height() * pictureAspect_.width())
        return;
    pictureAspect_ = aspect;
    if (attachController_) {
        attachController_->setPictureAspect(aspect);
        attachController_->resize();
    }
    if (mode_ == CameraMode)
        sizeWindowForMode(CameraMode);
}

bool LumoMainWindowController::eventFilter(QObject *watched, QEvent *event)
{
    // Maximizing gives the tallest window whose picture keeps its aspect, not the whole screen.
    if (watched == window_ && event->type() == QEvent::WindowStateChange && window_->isMaximized()
        && mode_ != ProjectMode) {
        QTimer::singleShot(0, this, [this] {
            if (!window_->isMaximized())
                return;
            window_->showNormal();
            zoomWindow();
        });
    }
    return LumoWindowController::eventFilter(watched, event);
}

void LumoMainWindowController::checkModeAction(int mode)
{
    for (QAction *action : modeGroup_->actions())
        action->setChecked(action->data().toInt() == mode);
}

void LumoMainWindowController::doubleClickMainWindow()
{
    if (mode_ == CameraMode)
        setMode(ProjectMode);
}

void LumoMainWindowController::enter()
{
    if (mode_ == CameraMode || mode_ == ProjectMode)
        NotificationCenter::defaultCenter()->post(NotificationNames::Snapshot);
}

void LumoMainWindowController::selectAll()
{
    if (mode_ == ReviewMode)
        review_->selectAll();
}

void LumoMainWindowController::copyPhoto()
{
    if (mode_ == ReviewMode)
        review_->copy();
}

void LumoMainWindowController::deleteSelection()
{
    if (mode_ == ReviewMode)
        review_->deletePhoto();
}

void LumoMainWindowController::selectPrevious()
{
    if (mode_ == ReviewMode)
        review_->albumView()->selectPrevious();
}

void LumoMainWindowController::selectNext()
{
    if (mode_ == ReviewMode)
        review_->albumView()->selectNext();
}

void LumoMainWindowController::velmarCameraDidChange(const Notification &)
{
    lastFrameCount_ = captureController_->frameCount();
    framesPerSecond_ = 0;
    updateCameraStatus();
    cameraControls_->cameraDidChange();
    if (attachController_)
        attachController_->cameraDidChange();
    if (!currentCamera_())
        return;
    // The saved settings of the new camera; then the image adjustments once more, queued behind
    // everything else the change set off. The second run takes over the first one's steps and
    // keeps the restore that the first one ends with.
    focusForNewCamera(currentCamera_());
    CamSettingController *settings = CamSettingController::sharedInstance();
    settings->resetCameraParameters();
    QMetaObject::invokeMethod(
        settings, [settings] { settings->setImageAdjustments(); }, Qt::QueuedConnection);
}

void LumoMainWindowController::lockToolbar(bool lock)
{
    cameraControls_->lockToolbar(lock);
    for (QAction *action : modeGroup_->actions())
        action->setEnabled(!lock);
}

void LumoMainWindowController::zoomIn()
{
    cameraControls_->zoomIn();
}

void LumoMainWindowController::zoomOut()
{
    cameraControls_->zoomOut();
}

void LumoMainWindowController::photoLibraryLocationDidChange(const Notification &notification)
{
    baseDir_ = notification.userInfo.value(DefaultsKeys::PhotoLibraryLocation).toString();
    review_->loadData(LibraryFolder::resolve(baseDir_));
}

void LumoMainWindowController::fileDidCreate(const Notification &notification)
{
    const QUrl url = notification.userInfo.value(NotificationNames::InfoKeys::FileURL).toUrl();
    showMessage(tr("Saved %1").arg(QFileInfo(url.toLocalFile()).fileName()));
    review_->fileDidCreate(url.toLocalFile());
    QApplication::alert(window_);
}

void LumoMainWindowController::presentCaptureError(const CaptureDevice::Error &error)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, error.description, error.description, QMessageBox::Ok, window_);
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
    const bool stalled = captureController_->checkStall();
    placeholder_->setText(stalled ? tr("%1\nThe camera is not sending pictures.").arg(camera->model())
                                  : tr("%1\nwaiting for the picture…").arg(camera->model()));
    const QSize size = captureController_->lastFrameSize();
    if (!live || size.isEmpty()) {
        status_->setText(camera->model());
        return;
    }
    // A frozen picture still counts the frames the camera sends.
    const QString rate =
        captureController_->isFrozen() ? tr("Frozen, the camera sends %1 fps") : tr("%1 fps");
    status_->setText(
        tr("%1  ·  %2×%3  ·  %4")
            .arg(camera->model())
            .arg(size.width())
            .arg(size.height())
            .arg(stalled ? tr("not sending") : rate.arg(QLocale().toString(framesPerSecond_, 'f', 1))));
}
