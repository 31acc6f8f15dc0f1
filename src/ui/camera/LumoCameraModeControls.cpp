#include "LumoCameraModeControls.h"

#include "CameraControlDescriptions.h"
#include "CameraControlSet.h"
#include "LumoCaptureViewController.h"
#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "settings/CamSettingController.h"
#include "settings/Conversions.h"
#include "ui/widgets/LumoPopUpButton.h"

#include <QAction>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int ZoomEntries = 6;
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
    describeCameraControls(*this);

    addZoomEntries(zoomButton_);
    addZoomEntries(photoZoomButton_);
    exposureButton_->setStyle(LumoExposureButton::MenuStyle);
    exposureLockButton_->addItem(tr("On"));
    exposureLockButton_->addItem(tr("Off"));
    for (int i = 0; i < TimerEntries; ++i) {
        const int seconds = toTimerValue(i);
        timerButton_->addItem(seconds == 0 ? tr("Off") : tr("%1 s").arg(seconds));
    }
    for (const QString &title : resolutions_.titles())
        resolutionButton_->addItem(title);
    mirrorButton_->addItem(tr("Horizontal"));
    mirrorButton_->addItem(tr("Vertical"));
    fitTitles(zoomButton_, exposureButton_, exposureLockButton_, timerButton_, resolutionButton_,
              mirrorButton_);
    photoZoomButton_->setTitleMaker([](const QString &value) { return joined(tr("Zoom"), value); });

    // What the controls show until the cache restores or defaults a camera's settings: 100%,
    // the "0" step, AE on, no timer, 1280×960.
    showIndex(zoomButton_, nullptr, tr("Zoom"), 1);
    showIndex(photoZoomButton_, nullptr, tr("Zoom"), 1);
    showIndex(exposureButton_, nullptr, tr("Exposure"), 3);
    showIndex(exposureLockButton_, nullptr, tr("AE"), indexOfExposureLockItem_);
    showIndex(timerButton_, nullptr, tr("Timer"), 1);
    showIndex(resolutionButton_, nullptr, tr("Resolution"), 2);
    setMirrorTitles();
    showMirrorChecks();
    updateEnabled();

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
    fitTitles(twins_->zoom, twins_->exposure, twins_->exposureLock, twins_->timer, twins_->resolution,
              twins_->mirror);
    showIndex(zoomButton_, twins_->zoom, tr("Zoom"), zoomButton_->indexOfSelectedItem());
    showIndex(exposureButton_, twins_->exposure, tr("Exposure"), exposureButton_->indexOfSelectedItem());
    showIndex(exposureLockButton_, twins_->exposureLock, tr("AE"),
              exposureLockButton_->indexOfSelectedItem());
    showIndex(timerButton_, twins_->timer, tr("Timer"), timerButton_->indexOfSelectedItem());
    showIndex(resolutionButton_, twins_->resolution, tr("Resolution"),
              resolutionButton_->indexOfSelectedItem());
    setMirrorTitles();
    showMirrorChecks();
    updateEnabled();
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

void LumoCameraModeControls::showExposureLevel(int level)
{
    // The menu's five entries read +2 to -2.
    if (exposureButton_->style() == LumoExposureButton::MenuStyle)
        showExposureIndicator(3 - level, true);
    else
        showExposureIndicator(level, false);
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
    if (reviewMode_ && sender == photoZoomButton_) {
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
    sender->selectItemAtIndex(zoomEntry(factor));
    sender->setTitle(joined(tr("Zoom"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    follow(sender, {zoomButton_, twins_ ? twins_->zoom : nullptr});
    // A factor with no entry is applied as the entry shown.
    factor = toZoomFactor(sender->indexOfSelectedItem() - 1);
    capture_->setZoom(factor);
    NotificationCenter::defaultCenter()->post(NotificationNames::DeviceCacheWillUpdateZoomFactor, nullptr,
                                              {{NotificationNames::InfoKeys::ZoomFactor, factor}});
}

void LumoCameraModeControls::zoomIn()
{
    stepZoom(+1);
}

void LumoCameraModeControls::zoomOut()
{
    stepZoom(-1);
}

void LumoCameraModeControls::stepZoom(int step)
{
    // Review mode zooms the photo; the other modes zoom the camera picture, as its pop-up does
    // (and not while it is disabled).
    LumoPopUpButton *button = reviewMode_ ? photoZoomButton_.data() : zoomButton_.data();
    if (!button || !button->isEnabled())
        return;
    const int index = button->indexOfSelectedItem() + step;
    if (index < 1 || index > ZoomEntries)
        return;
    button->selectItemAtIndex(index);
    zoom(button);
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
    if (show)
        showExposureLevel(level);
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
    sender->setFace(CameraControlSet::forCamera(camera.get()));
}

void LumoCameraModeControls::updateExposureValue(const Notification &notification)
{
    if (lockAutoGetExposure_ || supressExposureOSD_)
        return;
    const CameraPtr camera = currentCamera_();
    if (!camera || notification.object != camera.get())
        return;
    int level = camera->getExposure();
    if (level < 0)
        return; // no answer (the camera was busy): nothing reported
    if (level < LowestReportedExposure || level > HighestReportedExposure) {
        indexOfExposureLockItem_ = AutoExposureOn;
        showIndex(exposureLockButton_, twins_ ? twins_->exposureLock : nullptr, tr("AE"), AutoExposureOn);
        level = FallbackExposure;
    }
    if (level == indexOfExposureItem_)
        return;
    if (indexOfExposureLockItem_ == AutoExposureOff) {
        // With automatic exposure off the camera holds the level chosen; another level means it
        // did not take it (it was busy, or reset itself), so it gets the level again.
        finishPendingPause();
        settings_->setExposure(int16_t(indexOfExposureItem_));
        return;
    }
    indexOfExposureItem_ = level;
    exposureButton_->selectItemAtIndex(level);
    exposureButton_->setTitle(tr("%1: %2").arg(tr("Exposure")).arg(level));
    exposureButton_->setMutexState();
    follow(exposureButton_, {twins_ ? twins_->exposure : nullptr});
    showExposureLevel(level);
}

void LumoCameraModeControls::captureViewWillUpdateExposure(const Notification &)
{
    // The camera button: one step brighter, as if the entry had been picked in the toolbar; not
    // for a camera without an exposure control.
    const CameraPtr camera = currentCamera_();
    if (!exposureButton_->isEnabled()
        || CameraControlSet::forCamera(camera.get()).exposure == CameraControlSet::Exposure::None)
        return;
    exposureButton_->selectItemAtIndex(exposureButton_->brighterIndex());
    setExposure(exposureButton_);
}

// --- Auto exposure -------------------------------------------------------------------------

void LumoCameraModeControls::setAutoBrightness(LumoPopUpButton *sender)
{
    indexOfExposureLockItem_ = sender->indexOfSelectedItem();
    setAutoBrightness(toAutoBrightnessValue(indexOfExposureLockItem_ - 1), sender);
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
    settings_->setAutoBrightness(on);
    if (!on)
        settings_->setExposure(int16_t(indexOfExposureItem_));
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
    const CameraControlSet controls = CameraControlSet::forCamera(camera.get());
    // Without a camera the exposure control stays, disabled, so the toolbar does not jump when
    // one arrives; a camera that cannot set its exposure shows none.
    const bool exposure = !camera || controls.exposure != CameraControlSet::Exposure::None;
    setToolbarItemVisible(exposureButton_, exposure);
    setToolbarItemVisible(twins_ ? twins_->exposure : nullptr, exposure);
    setToolbarItemVisible(exposureLockButton_, controls.autoExposure);
    setToolbarItemVisible(twins_ ? twins_->exposureLock : nullptr, controls.autoExposure);
}

void LumoCameraModeControls::lockToolbar(bool lock)
{
    locked_ = lock;
    updateEnabled();
}

void LumoCameraModeControls::updateEnabled()
{
    const bool hasCamera = currentCamera_() != nullptr;
    const bool enabled = hasCamera && !locked_;
    const QString why = hasCamera ? QString() : tr("No camera connected");
    QList<QWidget *> widgets = toolbarWidgets();
    if (twins_)
        widgets << twins_->zoom << twins_->exposure << twins_->exposureLock << twins_->timer
                << twins_->resolution << twins_->mirror;
    for (QWidget *widget : widgets) {
        if (!widget)
            continue;
        widget->setEnabled(enabled);
        widget->setToolTip(why);
    }
}

void LumoCameraModeControls::cameraDidChange()
{
    // A level still waiting for the auto-exposure pause was meant for the camera that went.
    pauseTimer_->stop();
    pausedRest_ = nullptr;
    lockAutoGetExposure_ = false;
    setExposureStyleForCamera(exposureButton_);
    if (twins_)
        setExposureStyleForCamera(qobject_cast<LumoExposureButton *>(twins_->exposure));
    offerCameraResolutions();
    adjustCameraModeToolbarItems();
    updateEnabled();
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
}

void LumoCameraModeControls::offerCameraResolutions()
{
    const CameraPtr camera = currentCamera_();
    const ResolutionChoices choices = ResolutionChoices::forCamera(camera.get());
    if (choices == resolutions_)
        return;
    const QSize shown = resolutions_.sizes().value(resolutionButton_->indexOfSelectedItem() - 1);
    resolutions_ = choices;
    for (LumoPopUpButton *button :
         {static_cast<LumoPopUpButton *>(resolutionButton_), twins_ ? twins_->resolution : nullptr}) {
        if (!button)
            continue;
        button->removeValueItems();
        for (const QString &title : resolutions_.titles())
            button->addItem(title);
    }
    // Until the camera's settings choose, the entry nearest the size shown before.
    showIndex(resolutionButton_, twins_ ? twins_->resolution : nullptr, tr("Resolution"),
              resolutions_.indexOf(resolutions_.nearest(shown)) + 1);
}

void LumoCameraModeControls::setResolution(LumoPopUpButton *sender)
{
    const int index = sender->indexOfSelectedItem() - 1;
    if (resolutions_.keptByIndex())
        settings_->setResolution(index);
    else
        settings_->setResolutionSize(resolutions_.sizes().value(index));
    setResolution(index, sender);
    // The exposure the camera reports while it settles on the new size is not its own choice.
    supressExposureOSD_ = true;
}

void LumoCameraModeControls::setResolution(int index, LumoPopUpButton *sender)
{
    sender->selectItemAtIndex(index + 1);
    sender->setTitle(joined(tr("Resolution"), sender->titleOfSelectedItem()));
    sender->setMutexState();
    follow(sender, {resolutionButton_, twins_ ? twins_->resolution : nullptr});
    const QSize size = index >= 0 && index < resolutions_.sizes().size()
                           ? resolutions_.sizes().at(index)
                           : resolutions_.nearest(toPhotoOutputSize(index).toSize());
    capture_->setResolution(size);
    emit focusRequested();
}

// --- Mirror --------------------------------------------------------------------------------

void LumoCameraModeControls::fitTitles(LumoPopUpButton *zoom, LumoPopUpButton *exposure,
                                       LumoPopUpButton *exposureLock, LumoPopUpButton *timer,
                                       LumoPopUpButton *resolution, LumoPopUpButton *mirror)
{
    const std::pair<LumoPopUpButton *, const char *> labelled[] = {
        {zoom, QT_TR_NOOP("Zoom")},
        {exposure, QT_TR_NOOP("Exposure")},
        {exposureLock, QT_TR_NOOP("AE")},
        {timer, QT_TR_NOOP("Timer")},
        {resolution, QT_TR_NOOP("Resolution")},
    };
    for (const auto &[button, label] : labelled) {
        if (button)
            button->setTitleMaker([label = label](const QString &value) { return joined(tr(label), value); });
    }
    if (!mirror)
        return;
    mirror->setExclusive(false);
    QStringList values;
    for (int turns = 0; turns < 4; ++turns) {
        for (int flips = 0; flips < 4; ++flips)
            values << mirrorValueText(flips & 1, flips & 2, turns);
    }
    mirror->setTitleMaker([](const QString &value) { return joined(tr("Mirror"), value); }, values);
}

QString LumoCameraModeControls::mirrorValueText() const
{
    return mirrorValueText(settings_->hFlipped(), settings_->vFlipped(), settings_->quarterTurns());
}

QString LumoCameraModeControls::mirrorValueText(bool h, bool v, int turns)
{
    const QString flips = h && v ? QStringLiteral("V+H")
                          : h    ? QStringLiteral("H")
                          : v    ? QStringLiteral("V")
                                 : tr("Off");
    return turns == 0 ? flips : tr("%1 · %2°").arg(flips).arg(turns * 90);
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
    toggleFlip(sender->indexOfSelectedItem());
}

void LumoCameraModeControls::toggleFlip(int entry)
{
    // The two entries are switches of their own, so the new state is taken from the check mark
    // as it was before the click (the menu has already flipped its own copy).
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
    // The camera button: the horizontal mirror, as its entry in the mirror pop-up.
    if (mirrorButton_->isEnabled())
        toggleFlip(HorizontalFlipEntry);
}

void LumoCameraModeControls::captureWillDigitalZoom(const Notification &)
{
    // The camera button: the next whole factor (1x, 2x, 3x), and 1x again after the largest
    // factor of the zoom pop-up. The factor is saved, applied and shown like a chosen one.
    if (!zoomButton_->isEnabled())
        return;
    const float largest = toZoomFactor(ZoomEntries - 1);
    float factor = std::floor(capture_->zoom()) + 1.0f;
    if (factor > largest)
        factor = 1.0f;
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

    offerCameraResolutions();
    resolutionButton_->selectItemAtIndex(
        resolutions_.keptByIndex()
            ? settings_->resolution() + 1
            : resolutions_.indexOf(resolutions_.nearest(settings_->resolutionSize())) + 1);
    setResolution(resolutionButton_.data());

    // The restored level needs the face of the camera it belongs to (its levels or five steps),
    // or the control could not select it; a level the face does not offer shows the camera's
    // starting level. A camera without exposure control keeps its record's level as it is.
    const CameraPtr camera = currentCamera_();
    const CameraControlSet controls = CameraControlSet::forCamera(camera.get());
    if (controls.exposure == CameraControlSet::Exposure::None)
        return;
    setExposureStyleForCamera(exposureButton_);
    exposureButton_->selectItemAtIndex(controls.exposureEntry(settings_->exposure()));
    setExposureWithOSD(exposureButton_, false);

    exposureLockButton_->selectItemAtIndex(toAutoBrightnessIndex(settings_->autoBrightness()) + 1);
    setAutoBrightness(exposureLockButton_.data());
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
