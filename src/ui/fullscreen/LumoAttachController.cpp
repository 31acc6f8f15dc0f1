#include "LumoAttachController.h"

#include "FloaterGeometry.h"
#include "FloaterImages.h"
#include "LumoControlController.h"
#include "core/Delays.h"
#include "device/LumoCamera.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "ui/camera/CameraControlSet.h"
#include "ui/widgets/LumoButtonView.h"
#include "ui/widgets/LumoExposureButton.h"
#include "ui/windows/LumoFloaterWindow.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

using FloaterGeometry::Floater;

namespace {

constexpr int StripPadding = 6;
constexpr int StripMinimumHeight = 30;
// The focus button is a ring around the snapshot button: clicks inside the ring's hole reach the
// snapshot button below it.
constexpr qreal FocusRingHole = 19.0 / 29.0; // inner radius over outer radius

// The strip's backing: a dark translucent plate, as on-screen controls over a picture are, so
// that its light titles read over any picture.
class StripView : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(255, 255, 255, 50), 1));
        painter.setBrush(QColor(0x16, 0x1A, 0x20, 190));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
};

QRegion ringRegion(const QSize &size)
{
    const QRect outer(QPoint(0, 0), size);
    const int insetX = qRound(size.width() * (1 - FocusRingHole) / 2);
    const int insetY = qRound(size.height() * (1 - FocusRingHole) / 2);
    return QRegion(outer, QRegion::Ellipse)
           - QRegion(outer.adjusted(insetX, insetY, -insetX, -insetY), QRegion::Ellipse);
}

void setFloaterSize(LumoFloaterWindow *floater, const QSizeF &size)
{
    floater->setFrame(QRectF(floater->frame().topLeft(), size));
}

} // namespace

LumoAttachController::LumoAttachController(CameraProvider currentCamera, QObject *parent)
    : QObject(parent), currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); }),
      controlController_(new LumoControlController(currentCamera_, this)),
      hideExposureIndicatorTimer_(new QTimer(this))
{
    hideExposureIndicatorTimer_->setSingleShot(true);
    connect(hideExposureIndicatorTimer_, &QTimer::timeout, this, [this] { shutdownHideExposureTimer(); });
    twins_.showExposure = [this](int value, bool showSigned) {
        toggleIndicatorForExposure(value, showSigned);
    };
}

LumoAttachController::~LumoAttachController()
{
    // The floaters belong to the parent widget, which may outlive this controller.
    for (LumoFloaterWindow *floater :
         {focusWindow_.data(), focusIndicatorWindow_.data(), snapshotWindow_.data(),
          focusButtonWindow_.data(), closeWindow_.data(), timerWindow_.data(), exposureWindow_.data(),
          toolbarContainerWindow_.data()})
        delete floater;
}

// --- Making and moving the floaters -------------------------------------------------------------

void LumoAttachController::setParentWindow(QWidget *parent)
{
    if (parent == parent_)
        return;
    if (parent_)
        parent_->removeEventFilter(this);
    parent_ = parent;
    if (!parent_)
        return;
    parent_->installEventFilter(this);
    if (!focusWindow_) {
        makeFloaters();
        return;
    }
    for (LumoFloaterWindow *floater :
         {focusWindow_.data(), focusIndicatorWindow_.data(), snapshotWindow_.data(),
          focusButtonWindow_.data(), closeWindow_.data(), timerWindow_.data(), exposureWindow_.data(),
          toolbarContainerWindow_.data()})
        floater->setContainer(parent_);
}

LumoFloaterWindow *LumoAttachController::makeFloater(LumoButtonView *&view, const QString &image)
{
    auto *floater = new LumoFloaterWindow(parent_);
    view = new LumoButtonView;
    view->setExitImage(FloaterImages::named(image));
    floater->loadFrame(QRectF(QPointF(0, 0), view->srcSize()));
    floater->setContentWidget(view);
    return floater;
}

void LumoAttachController::makeFloaters()
{
    // In stacking order, bottom first.
    focusWindow_ = makeFloater(focusView_, QStringLiteral("Target-Green"));
    focusWindow_->setObjectName(QStringLiteral("focusWindow"));
    // Only an indicator: clicks on the page's centre go to the window below.
    focusWindow_->setAttribute(Qt::WA_TransparentForMouseEvents);
    focusIndicatorWindow_ = makeFloater(focusIndicatorView_, QStringLiteral("Background-Single"));
    focusIndicatorWindow_->setObjectName(QStringLiteral("focusIndicatorWindow"));
    snapshotWindow_ = makeFloater(snapshotView_, QStringLiteral("Snapshot-Down"));
    snapshotWindow_->setObjectName(QStringLiteral("snapshotWindow"));
    snapshotView_->setEnterImage(FloaterImages::named(QStringLiteral("Snapshot-Up")));
    focusButtonWindow_ = makeFloater(focusButtonView_, QStringLiteral("Put-On-Focus-Down"));
    focusButtonWindow_->setObjectName(QStringLiteral("focusButtonWindow"));
    focusButtonWindow_->setMask(ringRegion(focusButtonView_->srcSize().toSize()));
    timerWindow_ = makeFloater(timerView_, QStringLiteral("0"));
    timerWindow_->setObjectName(QStringLiteral("timerWindow"));
    timerView_->setExitImage({});
    exposureWindow_ = makeFloater(exposureView_, QStringLiteral("Exp-0"));
    exposureWindow_->setObjectName(QStringLiteral("exposureWindow"));
    exposureView_->setExitImage({});
    closeWindow_ = makeFloater(closeView_, QStringLiteral("Esc-Down"));
    closeWindow_->setObjectName(QStringLiteral("closeWindow"));
    describeFloaters();

    toolbarContainerWindow_ = new LumoFloaterWindow(parent_);
    toolbarContainerWindow_->setObjectName(QStringLiteral("toolbarContainerWindow"));
    strip_ = new StripView;
    // Light text on the dark strip, whatever the desktop's palette; the pop-ups' menus are
    // windows of their own and keep the desktop's colours.
    QPalette palette = QApplication::palette();
    const QColor light(0xF4, 0xF6, 0xF8);
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(role, light);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8A, 0x96, 0xA3));
    palette.setColor(QPalette::Button, QColor(0x2B, 0x34, 0x40));
    palette.setColor(QPalette::Window, QColor(0x16, 0x1A, 0x20));
    palette.setResolveMask(~QPalette::ResolveMask(0)); // every role set here, none inherited
    strip_->setPalette(palette);
    toolbarContainerWindow_->setContentWidget(strip_);

    connect(snapshotView_, &LumoButtonView::clicked, controlController_, &LumoControlController::snapshot);
    connect(focusButtonView_, &LumoButtonView::clicked, controlController_, &LumoControlController::focus);
    connect(closeView_, &LumoButtonView::clicked, controlController_,
            &LumoControlController::fullScreenClose);
    connect(timerView_, &LumoButtonView::clicked, controlController_,
            &LumoControlController::countdownCancelRequested);
}

void LumoAttachController::describeFloaters()
{
    // The buttons among the floaters take the focus from Tab; the others are pictures.
    const struct {
        LumoButtonView *view;
        QString name;
        QString description;
    } floaters[] = {
        {snapshotView_, tr("Take Photo"), tr("Saves the current picture to the photo library")},
        {focusButtonView_, tr("Focus"), tr("Has the camera focus on the page once")},
        {closeView_, tr("Leave Project Mode"), tr("Returns to the window with the toolbar")},
        {timerView_, tr("Cancel Self-Timer"), tr("Stops the countdown before the photo is taken")},
        {focusView_, tr("Focus Mark"), tr("Shows while the camera focuses and when it is done")},
        {focusIndicatorView_, tr("Focus Mode"), tr("Shows whether the camera focuses once or all the time")},
        {exposureView_, tr("Exposure Level"), tr("Shows the exposure step just chosen")},
    };
    for (const auto &f : floaters) {
        f.view->setAccessibleName(f.name);
        f.view->setAccessibleDescription(f.description);
    }
    for (LumoButtonView *button : {snapshotView_, focusButtonView_, timerView_, closeView_})
        button->setFocusPolicy(Qt::TabFocus);
}

void LumoAttachController::makeTwins(const LumoCameraModeControls &controls)
{
    if (!strip_ || twins_.zoom)
        return;
    using namespace NotificationNames;
    const auto twin = [this](LumoPopUpButton *original, const char *notification) {
        LumoPopUpButton *copy;
        if (qobject_cast<LumoExposureButton *>(original)) {
            auto *button = new LumoExposureButton(strip_);
            button->setFace(CameraControlSet::forCamera(currentCamera_().get()));
            copy = button;
        } else {
            copy = new LumoPopUpButton(strip_);
            for (int i = 1; i < original->numberOfItems(); ++i)
                copy->addItem(original->itemAtIndex(i)->text(), original->itemAtIndex(i)->icon());
        }
        copy->setObjectName(original->objectName() + QStringLiteral("Twin"));
        copy->setAccessibleDescription(original->accessibleDescription());
        copy->show();
        connect(copy, &LumoPopUpButton::activated, this, [this, copy, notification] {
            NotificationCenter::defaultCenter()->post(QString::fromLatin1(notification), copy);
            // The window below takes the keyboard again (Escape, Return).
            if (parent_)
                parent_->window()->activateWindow();
        });
        return copy;
    };
    twins_.zoom = twin(controls.zoomButton(), FullScreenSetZoom);
    twins_.exposure = twin(controls.exposureButton(), FullScreenSetExposure);
    twins_.exposureLock = twin(controls.exposureLockButton(), FullScreenSetExposureLock);
    twins_.timer = twin(controls.timerButton(), FullScreenSetTimer);
    twins_.resolution = twin(controls.resolutionButton(), FullScreenSetResolution);
    twins_.mirror = twin(controls.mirrorButton(), FullScreenSetMirror);
}

// --- Showing, hiding, placing ------------------------------------------------------------------

void LumoAttachController::toggleIndicator()
{
    if (!parent_)
        return;
    if (isVisable_) {
        focusButtonView_->setExitImage(FloaterImages::named(QStringLiteral("Put-On-Focus-Down")));
        focusButtonView_->setEnterImage(FloaterImages::named(QStringLiteral("Put-On-Focus-Up")));
        if (isFullScreen_) {
            closeView_->setExitImage(FloaterImages::named(QStringLiteral("Esc-Down")));
            closeView_->setEnterImage(FloaterImages::named(QStringLiteral("Esc-Up")));
            layoutStrip();
        }
        resize();
    }
    applyVisibility();
}

void LumoAttachController::applyVisibility()
{
    if (!parent_)
        return;
    const bool shown = isVisable_;
    const bool buttons = shown && !countingDown_;
    // The focus ring and the cross only for a camera that focuses when asked; without a camera
    // they stay, as the toolbar's controls do.
    const CameraPtr camera = currentCamera_();
    const bool focus = !camera || CameraControlSet::forCamera(camera.get()).focus;
    // In stacking order, so that each one shown lies above the ones before it.
    const std::pair<LumoFloaterWindow *, bool> floaters[] = {
        {focusWindow_, shown && focus},
        {focusIndicatorWindow_, buttons},
        {snapshotWindow_, buttons},
        {focusButtonWindow_, buttons && focus},
        {timerWindow_, shown && countingDown_},
        // The read-out is feedback for a change the user just made: it shows with the
        // controls hidden as well, but not over a countdown.
        {exposureWindow_, !exposureImageName_.isEmpty() && !countingDown_},
        {toolbarContainerWindow_, shown && isFullScreen_},
        {closeWindow_, shown && isFullScreen_},
    };
    for (const auto &[floater, visible] : floaters) {
        if (visible)
            floater->showFloater();
        else
            floater->hideFloater();
    }
}

QRectF LumoAttachController::parentFrame() const
{
    return parent_ ? QRectF(0, 0, parent_->width(), parent_->height()) : QRectF();
}

void LumoAttachController::resize()
{
    if (!parent_)
        return;
    const QRectF parent = parentFrame();
    LUMO_LOG("parent window frame: %g, %g, %g x %g", parent.x(), parent.y(), parent.width(), parent.height());
    const auto place = [&](LumoFloaterWindow *floater, Floater which) {
        floater->setFrameOrigin(
            FloaterGeometry::origin(which, parent, floater->frame().size(), isFullScreen_, pictureAspect_));
    };
    place(focusWindow_, Floater::FocusCross);
    place(focusIndicatorWindow_, Floater::FocusBackground);
    // On its background: the background's origin, for the background's size.
    snapshotWindow_->setFrameOrigin(FloaterGeometry::origin(
        Floater::Snapshot, parent, focusIndicatorWindow_->frame().size(), isFullScreen_, pictureAspect_));
    place(focusButtonWindow_, Floater::FocusButton);
    place(timerWindow_, Floater::Countdown);
    place(exposureWindow_, exposureImageName_.isEmpty() ? Floater::Exposure : Floater::ExposureShown);
    placeTopBand();
}

void LumoAttachController::placeTopBand()
{
    // Below the top of the picture, which a wide picture leaves bands above.
    const QRectF parent = FloaterGeometry::pictureFrame(parentFrame(), isFullScreen_, pictureAspect_);
    const QPointF close =
        FloaterGeometry::closeOrigin(parent, closeWindow_->frame().size(), focusIndicatorWindow_->frame());
    closeWindow_->setFrameOrigin(close);
    toolbarContainerWindow_->setFrameOrigin(
        FloaterGeometry::stripOrigin(parent, toolbarContainerWindow_->frame().size(), float(close.x())));
}

void LumoAttachController::layoutStrip()
{
    // The pop-ups side by side, at the widths they ask for; a pop-up hidden for this camera
    // (AE for a model without an exposure lock) takes no room.
    QList<LumoPopUpButton *> items;
    QList<float> widths;
    int height = StripMinimumHeight;
    for (LumoPopUpButton *button : {twins_.zoom, twins_.exposure, twins_.exposureLock, twins_.timer,
                                    twins_.resolution, twins_.mirror}) {
        if (!button || button->isHidden())
            continue;
        items << button;
        widths << float(button->sizeHint().width());
        height = std::max(height, button->sizeHint().height());
    }
    const FloaterGeometry::Row row = FloaterGeometry::stripRow(widths);
    for (int i = 0; i < items.size(); ++i)
        items[i]->setGeometry(StripPadding + int(row.x[i]), StripPadding, int(widths[i]), height);
    setFloaterSize(toolbarContainerWindow_, QSizeF(row.width + 2 * StripPadding, height + 2 * StripPadding));
}

bool LumoAttachController::eventFilter(QObject *watched, QEvent *event)
{
    // The buttons keep their distance from the right and bottom edges as the picture resizes.
    if (watched == parent_ && event->type() == QEvent::Resize)
        resize();
    return QObject::eventFilter(watched, event);
}

void LumoAttachController::cameraDidChange()
{
    // The strip loses or regains the pop-ups the camera has no use for, and the focus floaters
    // follow what the camera can do.
    toggleIndicator();
}

void LumoAttachController::toggleControl()
{
    isVisable_ = !isVisable_;
    scale();
    toggleIndicator();
    if (focusView_)
        focusView_->update();
}

void LumoAttachController::setNeedsDisplay(bool)
{
    for (LumoButtonView *view : {focusView_, focusIndicatorView_, snapshotView_, focusButtonView_})
        if (view)
            view->update();
}

// --- State indicators --------------------------------------------------------------------------

void LumoAttachController::toogleFocusColor(int color)
{
    focusValue_ = color;
    if (!focusView_)
        return;
    const QString name = color == 0   ? QStringLiteral("Target-Green")
                         : color == 1 ? QStringLiteral("Target-Red")
                                      : QString();
    focusView_->setExitImage(name.isEmpty() ? QPixmap() : FloaterImages::named(name));
}

void LumoAttachController::scale()
{
    toogleFocusColor(focusValue_);
}

void LumoAttachController::setZoomFactor(float factor)
{
    zoomFactor_ = factor;
    if (!focusView_ || focusView_->exitImage().isNull())
        return;
    const QPixmap cross = focusView_->exitImage();
    const QSizeF size = FloaterGeometry::crossSize(cross.deviceIndependentSize(), factor);
    QPixmap scaled = cross.scaled((size * cross.devicePixelRatio()).toSize(), Qt::KeepAspectRatio,
                                  Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(cross.devicePixelRatio());
    focusView_->setExitImage(scaled);
    setFloaterSize(focusWindow_, size);
    resize();
}

void LumoAttachController::toogleFocusMode(int mode)
{
    if (!focusIndicatorView_)
        return;
    if (mode == 0)
        focusIndicatorView_->setExitImage(FloaterImages::named(QStringLiteral("Background-Single")));
    else if (mode == 1)
        focusIndicatorView_->setExitImage(FloaterImages::named(QStringLiteral("Background-Continuos")));
    focusIndicatorView_->update();
}

void LumoAttachController::toogleTimerTick(int seconds)
{
    if (!timerView_)
        return;
    // Tested unsigned, so that -1 ends the countdown like any other value past 10.
    countingDown_ = unsigned(seconds) <= 10;
    if (countingDown_) {
        timerImageName_ = QString::number(seconds);
        timerView_->setExitImage(FloaterImages::named(timerImageName_));
        setFloaterSize(timerWindow_, timerView_->srcSize());
        snapshotView_->setShouldResponse(false);
    } else {
        timerImageName_.clear();
        timerView_->setExitImage({});
        snapshotView_->setExitImage(FloaterImages::named(QStringLiteral("Snapshot-Down")));
        snapshotView_->setEnterImage(FloaterImages::named(QStringLiteral("Snapshot-Up")));
        snapshotView_->setShouldResponse(true);
    }
    if (parent_)
        resize();
    applyVisibility();
}

QString LumoAttachController::exposureImageName(int value, bool showSigned)
{
    return showSigned && value > 0 ? QStringLiteral("Exp-+%1").arg(value)
                                   : QStringLiteral("Exp-%1").arg(value);
}

void LumoAttachController::toggleIndicatorForExposure(int value)
{
    const CameraPtr camera = currentCamera_();
    if (camera && CameraControlSet::forCamera(camera.get()).exposure == CameraControlSet::Exposure::None)
        return;
    toggleIndicatorForExposure(value,
                               camera && camera->exposureKind() == LumoCamera::ExposureKind::FiveSteps);
}

void LumoAttachController::toggleIndicatorForExposure(int value, bool showSigned)
{
    if (!exposureView_)
        return;
    exposureImageName_ = exposureImageName(value, showSigned);
    exposureView_->setExitImage(FloaterImages::named(exposureImageName_));
    setFloaterSize(exposureWindow_, exposureView_->srcSize());
    exposureWindow_->setFrameOrigin(FloaterGeometry::origin(Floater::ExposureShown, parentFrame(),
                                                            exposureWindow_->frame().size(), isFullScreen_,
                                                            pictureAspect_));
    // A second change restarts the three seconds.
    hideExposureIndicatorTimer_->start(Delays::scaled(Delays::ExposureReadout));
    applyVisibility();
}

void LumoAttachController::shutdownHideExposureTimer()
{
    hideExposureIndicatorTimer_->stop();
    exposureImageName_.clear();
    if (exposureView_)
        exposureView_->setExitImage({});
    applyVisibility();
}
