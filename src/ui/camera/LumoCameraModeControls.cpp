#include "LumoCameraModeControls.h"

#include "LumoCaptureViewController.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "device/LumoCameraArvo.h"
#include "device/LumoCameraTobble.h"
#include "settings/CamSettingController.h"
#include "settings/Conversions.h"
#include "ui/widgets/LumoPopUpButton.h"

#include <QAction>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <utility>

namespace {

constexpr int ZoomEntries = 6;
constexpr int ResolutionEntries = 6;
constexpr int TimerEntries = 3;
constexpr int LowestReportedExposure = 1;
constexpr int HighestReportedExposure = 15;
// Shown when the camera reports a level it has no such step for.
constexpr int FallbackExposure = 4;
constexpr int AutoExposureOn = 1; // AE entries: 1 on, 2 off
constexpr int AutoExposureOff = 2;
constexpr int HorizontalFlipEntry = 1;
constexpr int VerticalFlipEntry = 2;

// The zoom entry of a factor. A factor with no entry (a damaged setting) shows the entry of 1.0,
// so that restoring it applies and saves the unzoomed picture rather than keeping a value no
// control can show or reach again.
int zoomEntry(float factor)
{
    const int index = toZoomIndex(factor);
    return index >= 0 && index < ZoomEntries ? index + 1 : toZoomIndex(1.0f) + 1;
}

LumoPopUpButton *popUpOf(const Notification &notification)
{
    return qobject_cast<LumoPopUpButton *>(notification.object.data());
}

void addZoomEntries(LumoPopUpButton *button)
{
    for (int i = 0; i < ZoomEntries; ++i)
        button->addItem(QStringLiteral("%1%").arg(qRound(toZoomFactor(i) * 100)));
}

} // namespace

LumoCameraModeControls::LumoCameraModeControls(LumoCaptureViewController *capture,
                                               CamSettingController *settings, CameraProvider currentCamera,
                                               QObject *parent)
    : QObject(parent), capture_(capture), settings_(settings),
      currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); }),
      zoomButton_(new LumoPopUpButton), exposureButton_(new LumoExposureButton),
      exposureLockButton_(new LumoPopUpButton), timerButton_(new LumoPopUpButton),
      resolutionButton_(new LumoPopUpButton), mirrorButton_(new LumoPopUpButton),
      photoZoomButton_(new LumoPopUpButton), pauseTimer_(new QTimer(this))
{
    zoomButton_->setObjectName(QStringLiteral("zoomButton"));
    exposureButton_->setObjectName(QStringLiteral("exposureButton"));
    exposureLockButton_->setObjectName(QStringLiteral("exposureLockButton"));
    timerButton_->setObjectName(QStringLiteral("timerButton"));
    resolutionButton_->setObjectName(QStringLiteral("resolutionButton"));
    mirrorButton_->setObjectName(QStringLiteral("mirrorButton"));
    photoZoomButton_->setObjectName(QStringLiteral("photoZoomButton"));

    addZoomEntries(zoomButton_);
    addZoomEntries(photoZoomButton_);
    exposureButton_->setStyle(LumoExposureButton::MenuStyle);
    exposureLockButton_->addItem(tr("On"));
    exposureLockButton_->addItem(tr("Off"));
    for (int i = 0; i < TimerEntries; ++i) {
        const int seconds = toTimerValue(i);
        timerButton_->addItem(seconds == 0 ? tr("Off") : tr("%1 s").arg(seconds));
    }
    for (int i = 0; i < ResolutionEntries; ++i) {
        const QSize size = toPhotoOutputSize(i).toSize();
        resolutionButton_->addItem(QStringLiteral("%1×%2").arg(size.width()).arg(size.height()));
    }
    mirrorButton_->addItem(tr("Horizontal"));
    mirrorButton_->addItem(tr("Vertical"));

    // What the controls show until the cache restores or defaults a camera's settings.
    showIndex(zoomButton_, nullptr, tr("Zoom"), indexOfZoomItem_);
    showIndex(photoZoomButton_, nullptr, tr("Zoom"), indexOfPhotoZoomItem_);
    showIndex(exposureButton_, nullptr, tr("Exposure"), 3); // the "0" step
    showIndex(exposureLockButton_, nullptr, tr("AE"), indexOfExposureLockItem_);
    showIndex(timerButton_, nullptr, tr("Timer"), indexOfTimerItem_);
    showIndex(resolutionButton_, nullptr, tr("Resolution"), indexOfResolutionItem_);
    setMirrorTitles();
    showMirrorChecks();

    connect(zoomButton_, &LumoPopUpButton::activated, this, [this] { zoom(zoomButton_); });
    connect(photoZoomButton_, &LumoPopUpButton::activated, this, [this] { zoom(photoZoomButton_); });
    connect(exposureButton_, &LumoPopUpButton::activated, this, [this] { setExposure(exposureButton_); });
    connect(exposureLockButton_, &LumoPopUpButton::activated, this,
            [this] { setAutoBrightness(exposureLockButton_); });
    connect(timerButton_, &LumoPopUpButton::activated, this, [this] { setTimer(timerButton_); });
    connect(resolutionButton_, &LumoPopUpButton::activated, this,
            [this] { setResolution(resolutionButton_); });
    connect(mirrorButton_, &LumoPopUpButton::activated, this, [this] { toggleMirror(mirrorButton_); });

    pauseTimer_->setSingleShot(true);
    connect(pauseTimer_, &QTimer::timeout, this, [this] { finishPendingPause(); });

    using namespace NotificationNames;
    NotificationCenter *center = NotificationCenter::defaultCenter();
    const std::pair<const char *, void (LumoCameraModeControls::*)(const Notification &)> observers[] = {
        {CaptureWillMirror, &LumoCameraModeControls::captureWillMirror},
        {CaptureWillDigitalZoom, &LumoCameraModeControls::captureWillDigitalZoom},
        {FullScreenSetZoom, &LumoCameraModeControls::fullScreenSetZoom},
        {FullScreenSetTimer, &LumoCameraModeControls::fullScreenSetTimer},
        {FullScreenSetResolution, &LumoCameraModeControls::fullScreenSetResolution},
        {FullScreenSetExposure, &LumoCameraModeControls::fullScreenSetExposure},
        {FullScreenSetExposureLock, &LumoCameraModeControls::fullScreenSetExposureLock},
        {FullScreenSetMirror, &LumoCameraModeControls::fullScreenSetMirror},
        {CamSettingDidRestore, &LumoCameraModeControls::syncCameraModeToolbarSettings},
        {CamSettingDidSetToDefault, &LumoCameraModeControls::syncCameraModeToolbarSettings},
        {ReportExposure, &LumoCameraModeControls::updateExposureValue},
        {CaptureViewWillUpdateExposure, &LumoCameraModeControls::captureViewWillUpdateExposure},
    };
    for (const auto &[name, handler] : observers)
        center->addObserver(this, name,
                            [this, handler = handler](const Notification &n) { (this->*handler)(n); });
}

LumoCameraModeControls::~LumoCameraModeControls()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
    for (QWidget *button : {static_cast<QWidget *>(zoomButton_), static_cast<QWidget *>(exposureButton_),
                            static_cast<QWidget *>(exposureLockButton_), static_cast<QWidget *>(timerButton_),
                            static_cast<QWidget *>(resolutionButton_), static_cast<QWidget *>(mirrorButton_),
                            static_cast<QWidget *>(photoZoomButton_)}) {
        if (button && !button->parent())
            delete button;
    }
}

QList<QWidget *> LumoCameraModeControls::toolbarWidgets() const
{
    return {zoomButton_,  exposureButton_,   exposureLockButton_,
            timerButton_, resolutionButton_, mirrorButton_};
}

void LumoCameraModeControls::setTwins(const Twins *twins)
{
    twins_ = twins;
    if (!twins_)
        return;
    showIndex(zoomButton_, twins_->zoom, tr("Zoom"), zoomButton_->indexOfSelectedItem());
    showIndex(exposureButton_, twins_->exposure, tr("Exposure"), exposureButton_->indexOfSelectedItem());
    showIndex(exposureLockButton_, twins_->exposureLock, tr("AE"),
              exposureLockButton_->indexOfSelectedItem());
    showIndex(timerButton_, twins_->timer, tr("Timer"), timerButton_->indexOfSelectedItem());
    showIndex(resolutionButton_, twins_->resolution, tr("Resolution"),
              resolutionButton_->indexOfSelectedItem());
    setMirrorTitles();
    showMirrorChecks();
}

// --- Helpers -------------------------------------------------------------------------------

QString LumoCameraModeControls::joined(const QString &label, const QString &value)
{
    return tr("%1: %2").arg(label, value);
}

void LumoCameraModeControls::follow(LumoPopUpButton *sender, std::initializer_list<LumoPopUpButton *> buttons)
{
    for (LumoPopUpButton *button : buttons) {
        if (!button || button == sender)
            continue;
        button->selectItemAtIndex(sender->indexOfSelectedItem());
        button->setTitle(sender->title());
        button->setMutexState();
    }
}

void LumoCameraModeControls::showIndex(LumoPopUpButton *button, LumoPopUpButton *twin, const QString &label,
                                       int index)
{
    button->selectItemAtIndex(index);
    button->setTitle(joined(label, button->titleOfSelectedItem()));
    button->setMutexState();
    follow(button, {twin});
}

bool LumoCameraModeControls::currentCameraIsArvo() const
{
    const CameraPtr camera = currentCamera_();
    return qobject_cast<LumoCameraArvo *>(camera.get()) != nullptr;
}

void LumoCameraModeControls::showExposureIndicator(int value, bool showSigned)
{
    if (twins_ && twins_->showExposure)
        twins_->showExposure(value, showSigned);
}

void LumoCameraModeControls::afterAutoExposurePause(std::function<void()> rest)
{
    finishPendingPause();
    pausedRest_ = std::move(rest);
    pauseTimer_->start(Delays::scaled(Delays::AutoExposurePause));
}

void LumoCameraModeControls::finishPendingPause()
{
    pauseTimer_->stop();
    if (std::function<void()> rest = std::exchange(pausedRest_, {}))
        rest();
}

// --- Zoom ----------------------------------------------------------------------------------

void LumoCameraModeControls::zoom(LumoPopUpButton *sender)
{
    sender->setTitle(joined(tr("Zoom"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    const float factor = toZoomFactor(sender->indexOfSelectedItem() - 1);
    if (reviewMode_) {
        indexOfPhotoZoomItem_ = sender->indexOfSelectedItem();
        emit viewerZoomRequested(factor);
        return;
    }
    setZoom(sender);
}

void LumoCameraModeControls::setZoom(LumoPopUpButton *sender)
{
    const float factor = toZoomFactor(sender->indexOfSelectedItem() - 1);
    settings_->setZoom(factor);
    setZoom(factor, sender);
}

void LumoCameraModeControls::setZoom(float factor, LumoPopUpButton *sender)
{
    if (toZoomIndex(factor) < ZoomEntries) {
        sender->selectItemAtIndex(zoomEntry(factor));
        sender->setTitle(joined(tr("Zoom"), sender->titleOfSelectedItem()));
    } else {
        // Only the camera button's zoom steps go past the table: no entry is checked, and the
        // title tells the factor in use.
        sender->selectItemAtIndex(0);
        sender->setTitle(joined(tr("Zoom"), QStringLiteral("%1%").arg(qRound(factor * 100))));
    }
    sender->setMutexState();
    // Every zoom pop-up but the photo viewer's shows the camera zoom, which the photo zoom
    // pop-up sets through the keys in camera mode.
    follow(sender, {zoomButton_, twins_ ? twins_->zoom : nullptr});
    capture_->setZoom(factor);
    indexOfZoomItem_ = sender->indexOfSelectedItem();
    NotificationCenter::defaultCenter()->post(NotificationNames::DeviceCacheWillUpdateZoomFactor, nullptr,
                                              {{NotificationNames::InfoKeys::ZoomFactor, factor}});
}

void LumoCameraModeControls::zoomIn()
{
    const int index = photoZoomButton_->indexOfSelectedItem();
    if (index >= ZoomEntries)
        return;
    photoZoomButton_->selectItemAtIndex(index + 1);
    zoom(photoZoomButton_);
}

void LumoCameraModeControls::zoomOut()
{
    const int index = photoZoomButton_->indexOfSelectedItem();
    if (index < 2)
        return;
    photoZoomButton_->selectItemAtIndex(index - 1);
    zoom(photoZoomButton_);
}

// --- Exposure ------------------------------------------------------------------------------

void LumoCameraModeControls::setExposure(LumoPopUpButton *sender)
{
    setExposureWithOSD(sender, true);
}

void LumoCameraModeControls::setExposureWithOSD(LumoPopUpButton *sender, bool show)
{
    sender->setTitle(joined(tr("Exposure"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    follow(sender, {exposureButton_, twins_ ? twins_->exposure : nullptr});
    const int level = sender->indexOfSelectedItem();
    indexOfExposureItem_ = level;
    if (show) {
        // The five steps of the first model read +2 to -2; the levels of the other as they are.
        if (currentCameraIsArvo())
            showExposureIndicator(3 - level, true);
        else
            showExposureIndicator(level, false);
    }
    NotificationCenter::defaultCenter()->post(NotificationNames::DeviceCacheWillUpdateExposure, nullptr,
                                              {{NotificationNames::InfoKeys::Exposure, level}});
    finishPendingPause();
    if (indexOfExposureLockItem_ == AutoExposureOn) {
        settings_->setExposure(int16_t(level));
        return;
    }
    // With auto exposure off the camera takes a level only after its lock was released; its
    // own reports are not followed meanwhile.
    lockAutoGetExposure_ = true;
    settings_->setAutoBrightness(false);
    afterAutoExposurePause([this] {
        settings_->setExposure(int16_t(indexOfExposureItem_));
        lockAutoGetExposure_ = false;
    });
}

void LumoCameraModeControls::setExposureStyleForCamera(LumoExposureButton *sender)
{
    if (!sender)
        return;
    const CameraPtr camera = currentCamera_();
    sender->setStyle(LumoExposureButton::styleForCamera(camera.get()));
}

void LumoCameraModeControls::updateExposureValue(const Notification &notification)
{
    if (lockAutoGetExposure_ || supressExposureOSD_)
        return;
    const CameraPtr camera = currentCamera_();
    if (!camera || notification.object != camera.get())
        return;
    int level = camera->getExposure();
    if (level < LowestReportedExposure || level > HighestReportedExposure) {
        indexOfExposureLockItem_ = AutoExposureOn;
        showIndex(exposureLockButton_, twins_ ? twins_->exposureLock : nullptr, tr("AE"), AutoExposureOn);
        level = FallbackExposure;
    }
    if (level == indexOfExposureItem_)
        return;
    indexOfExposureItem_ = level;
    exposureButton_->selectItemAtIndex(level);
    exposureButton_->setTitle(tr("%1: %2").arg(tr("Exposure")).arg(level));
    exposureButton_->setMutexState();
    follow(exposureButton_, {twins_ ? twins_->exposure : nullptr});
    showExposureIndicator(level, currentCameraIsArvo());
    if (indexOfExposureLockItem_ == AutoExposureOff) {
        // One auto-exposure cycle, so that the camera keeps the level it reported.
        finishPendingPause();
        settings_->setAutoBrightness(false);
        afterAutoExposurePause([this] { settings_->setAutoBrightness(true); });
    }
}

void LumoCameraModeControls::captureViewWillUpdateExposure(const Notification &notification)
{
    // The camera button's steps -2 to +2: the menu face shows the step, with its title and
    // check mark; the slider face has no entry for a step and stays as it is.
    exposureStep_ = notification.userInfo.value(NotificationNames::InfoKeys::Exposure).toInt();
    for (LumoPopUpButton *button :
         {static_cast<LumoPopUpButton *>(exposureButton_.data()), twins_ ? twins_->exposure : nullptr}) {
        auto *exposure = qobject_cast<LumoExposureButton *>(button);
        if (!exposure || exposure->style() != LumoExposureButton::MenuStyle)
            continue;
        for (int i = 1; i < exposure->numberOfItems(); ++i) {
            bool ok = false;
            if (exposure->itemAtIndex(i)->text().toInt(&ok) == exposureStep_ && ok) {
                exposure->selectItemAtIndex(i);
                exposure->setTitle(joined(tr("Exposure"), exposure->titleOfSelectedItem()));
                exposure->setMutexState();
            }
        }
    }
}

// --- Auto exposure -------------------------------------------------------------------------

void LumoCameraModeControls::setAutoBrightness(LumoPopUpButton *sender)
{
    indexOfExposureLockItem_ = sender->indexOfSelectedItem();
    const bool on = toAutoBrightnessValue(indexOfExposureLockItem_ - 1);
    finishPendingPause();
    settings_->setAutoBrightness(on);
    setAutoBrightness(on, sender);
}

void LumoCameraModeControls::setAutoBrightness(bool on, LumoPopUpButton *)
{
    showAutoBrightness(on);
    setLockAE(on);
}

void LumoCameraModeControls::showAutoBrightness(bool on)
{
    const QString title = joined(tr("AE"), on ? tr("On") : tr("Off"));
    for (LumoPopUpButton *button :
         {static_cast<LumoPopUpButton *>(exposureLockButton_), twins_ ? twins_->exposureLock : nullptr}) {
        if (!button)
            continue;
        button->selectItemAtIndex(toAutoBrightnessIndex(on) + 1);
        button->setMutexState();
        button->setTitle(title);
    }
}

void LumoCameraModeControls::setLockAE(bool on)
{
    lockae_ = on;
    finishPendingPause();
    if (const CameraPtr camera = currentCamera_())
        camera->setExposureLock(on ? 1 : 2);
}

void LumoCameraModeControls::setToolbarItemVisible(QWidget *widget, bool visible)
{
    if (!widget)
        return;
    // A toolbar shows and hides its items through their actions; the widget alone would be
    // shown again at the next layout.
    if (auto *toolbar = qobject_cast<QToolBar *>(widget->parentWidget())) {
        for (QAction *action : toolbar->actions()) {
            if (toolbar->widgetForAction(action) == widget) {
                action->setVisible(visible);
                return;
            }
        }
    }
    widget->setVisible(visible);
}

void LumoCameraModeControls::adjustCameraModeToolbarItems()
{
    const CameraPtr camera = currentCamera_();
    const bool hasExposureLock = qobject_cast<LumoCameraTobble *>(camera.get()) != nullptr;
    setToolbarItemVisible(exposureLockButton_, hasExposureLock);
    setToolbarItemVisible(twins_ ? twins_->exposureLock : nullptr, hasExposureLock);
}

void LumoCameraModeControls::lockToolbar(bool lock)
{
    for (QWidget *widget : toolbarWidgets()) {
        if (widget)
            widget->setEnabled(!lock);
    }
    if (!twins_)
        return;
    for (QWidget *widget : {twins_->zoom, twins_->exposure, twins_->exposureLock, twins_->timer,
                            twins_->resolution, twins_->mirror}) {
        if (widget)
            widget->setEnabled(!lock);
    }
}

void LumoCameraModeControls::cameraDidChange()
{
    setExposureStyleForCamera(exposureButton_);
    if (twins_)
        setExposureStyleForCamera(qobject_cast<LumoExposureButton *>(twins_->exposure));
    adjustCameraModeToolbarItems();
}

// --- Timer, resolution ---------------------------------------------------------------------

void LumoCameraModeControls::setTimer(LumoPopUpButton *sender)
{
    sender->setTitle(joined(tr("Timer"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    follow(sender, {timerButton_, twins_ ? twins_->timer : nullptr});
    const int seconds = toTimerValue(sender->indexOfSelectedItem() - 1);
    settings_->setTimer(seconds);
    NotificationCenter::defaultCenter()->post(NotificationNames::DeviceCacheWillUpdateTimer, nullptr,
                                              {{NotificationNames::InfoKeys::Timer, seconds}});
    indexOfTimerItem_ = sender->indexOfSelectedItem();
}

void LumoCameraModeControls::setResolution(LumoPopUpButton *sender)
{
    indexOfResolutionItem_ = sender->indexOfSelectedItem();
    settings_->setResolution(indexOfResolutionItem_ - 1);
    setResolution(indexOfResolutionItem_ - 1, sender);
    // The exposure the camera reports while it settles on the new size is not its own choice.
    supressExposureOSD_ = true;
}

void LumoCameraModeControls::setResolution(int index, LumoPopUpButton *sender)
{
    sender->selectItemAtIndex(index + 1);
    sender->setTitle(joined(tr("Resolution"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    follow(sender, {resolutionButton_, twins_ ? twins_->resolution : nullptr});
    capture_->setResolution(toPhotoOutputSize(index).toSize());
    emit focusRequested();
}

// --- Mirror --------------------------------------------------------------------------------

QString LumoCameraModeControls::mirrorValueText() const
{
    const bool h = settings_->hFlipped();
    const bool v = settings_->vFlipped();
    if (h && v)
        return QStringLiteral("V+H");
    if (h)
        return QStringLiteral("H");
    if (v)
        return QStringLiteral("V");
    return tr("Off");
}

void LumoCameraModeControls::showMirrorChecks()
{
    for (LumoPopUpButton *button :
         {static_cast<LumoPopUpButton *>(mirrorButton_), twins_ ? twins_->mirror : nullptr}) {
        if (!button)
            continue;
        for (int entry : {HorizontalFlipEntry, VerticalFlipEntry}) {
            if (QAction *item = button->itemAtIndex(entry))
                item->setChecked(mirrorChecked_[entry - 1]);
        }
    }
}

void LumoCameraModeControls::setMirrorTitles()
{
    const QString title = joined(tr("Mirror"), mirrorValueText());
    mirrorButton_->setTitle(title);
    if (twins_ && twins_->mirror)
        twins_->mirror->setTitle(title);
}

void LumoCameraModeControls::postMirror()
{
    using namespace NotificationNames;
    NotificationCenter::defaultCenter()->post(
        DeviceCacheWillUpdateMirror, nullptr,
        {{InfoKeys::Horizontal, capture_->hFlipped()}, {InfoKeys::Vertical, capture_->vFlipped()}});
}

void LumoCameraModeControls::toggleMirror(LumoPopUpButton *sender)
{
    // The two entries are switches of their own, so the new state is taken from the check mark
    // as it was before the click (the menu has already flipped its own copy).
    const int entry = sender->indexOfSelectedItem();
    if (entry == HorizontalFlipEntry || entry == VerticalFlipEntry) {
        const bool on = !mirrorChecked_[entry - 1];
        mirrorChecked_[entry - 1] = on;
        if (entry == HorizontalFlipEntry) {
            capture_->setHFlipped(on);
            settings_->setHFlipped(on);
        } else {
            capture_->setVFlipped(on);
            settings_->setVFlipped(on);
        }
    }
    showMirrorChecks();
    setMirrorTitles();
    postMirror();
}

void LumoCameraModeControls::captureWillMirror(const Notification &)
{
    // Only the picture turns: the saved setting and the mirror control keep theirs.
    capture_->setHFlipped(!capture_->hFlipped());
}

void LumoCameraModeControls::captureWillDigitalZoom(const Notification &notification)
{
    // The camera button steps the zoom 1x to 5x and then back; its step past the end (0) is the
    // unzoomed picture. The factor is saved, applied and shown like a chosen one.
    const float factor =
        std::max(notification.userInfo.value(NotificationNames::InfoKeys::ZoomFactor).toFloat(), 1.0f);
    settings_->setZoom(factor);
    setZoom(factor, zoomButton_);
}

// --- Settings restore ----------------------------------------------------------------------

void LumoCameraModeControls::syncCameraModeToolbarSettings(const Notification &notification)
{
    LUMO_LOG("Notification: %s", qPrintable(notification.name));
    finishPendingPause();

    zoomButton_->selectItemAtIndex(zoomEntry(settings_->zoom()));
    setZoom(zoomButton_.data());

    timerButton_->selectItemAtIndex(toTimerIndex(settings_->timer()) + 1);
    setTimer(timerButton_);

    // The picture takes the camera's saved flips, so that a new camera does not inherit the
    // last one's. A check mark is set for a flip that is on and left as it is otherwise.
    capture_->setHFlipped(settings_->hFlipped());
    capture_->setVFlipped(settings_->vFlipped());
    if (settings_->hFlipped())
        mirrorChecked_[HorizontalFlipEntry - 1] = true;
    if (settings_->vFlipped())
        mirrorChecked_[VerticalFlipEntry - 1] = true;
    showMirrorChecks();
    postMirror();
    setMirrorTitles();

    resolutionButton_->selectItemAtIndex(settings_->resolution() + 1);
    setResolution(resolutionButton_.data());

    // The restored level needs the face of the camera it belongs to (fifteen levels or five
    // steps), or the control could not select it.
    const CameraPtr camera = currentCamera_();
    if (exposureButton_->style() != LumoExposureButton::styleForCamera(camera.get()))
        setExposureStyleForCamera(exposureButton_);
    exposureButton_->selectItemAtIndex(settings_->exposure());
    setExposureWithOSD(exposureButton_, false);

    exposureLockButton_->selectItemAtIndex(toAutoBrightnessIndex(settings_->autoBrightness()) + 1);
    setAutoBrightness(exposureLockButton_.data());
}

// --- Index setters -------------------------------------------------------------------------

void LumoCameraModeControls::setIndexOfZoomItem(int16_t index)
{
    indexOfZoomItem_ = index;
    showIndex(zoomButton_, twins_ ? twins_->zoom : nullptr, tr("Zoom"), index);
}

void LumoCameraModeControls::setIndexOfExposureItem(int16_t index)
{
    indexOfExposureItem_ = index;
    showIndex(exposureButton_, twins_ ? twins_->exposure : nullptr, tr("Exposure"), index);
}

void LumoCameraModeControls::setIndexOfTimerItem(int16_t index)
{
    indexOfTimerItem_ = index;
    showIndex(timerButton_, twins_ ? twins_->timer : nullptr, tr("Timer"), index);
}

void LumoCameraModeControls::setIndexOfResolutionItem(int16_t index)
{
    indexOfResolutionItem_ = index;
    showIndex(resolutionButton_, twins_ ? twins_->resolution : nullptr, tr("Resolution"), index);
}

void LumoCameraModeControls::setIndexOfExposureLockItem(int16_t index)
{
    indexOfExposureLockItem_ = index;
    showIndex(exposureLockButton_, twins_ ? twins_->exposureLock : nullptr, tr("AE"), index);
}

// --- Full-screen forwarding ----------------------------------------------------------------

void LumoCameraModeControls::fullScreenSetZoom(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        zoom(sender);
}

void LumoCameraModeControls::fullScreenSetTimer(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        setTimer(sender);
}

void LumoCameraModeControls::fullScreenSetResolution(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        setResolution(sender);
}

void LumoCameraModeControls::fullScreenSetExposure(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        setExposure(sender);
}

void LumoCameraModeControls::fullScreenSetExposureLock(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        setExposureLock(sender);
}

void LumoCameraModeControls::fullScreenSetMirror(const Notification &notification)
{
    if (LumoPopUpButton *sender = popUpOf(notification))
        toggleMirror(sender);
}
