#include "PhotoSeries.h"

#include "core/Delays.h"
#include "core/LumoLog.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

PhotoSeries::Plan PhotoSeries::clamped(Plan plan)
{
    plan.intervalSeconds = std::clamp(plan.intervalSeconds, MinIntervalSeconds, MaxIntervalSeconds);
    plan.photos = std::clamp(plan.photos, 0, MaxPhotos);
    return plan;
}

PhotoSeries::PhotoSeries(Shoot shoot, CameraProvider currentCamera, QObject *parent)
    : QObject(parent), shoot_(std::move(shoot)), currentCamera_(std::move(currentCamera))
{
    interval_ = new QTimer(this);
    // A coarse timer may be 5% late: half a minute in ten.
    interval_->setTimerType(Qt::PreciseTimer);
    connect(interval_, &QTimer::timeout, this, &PhotoSeries::shootNext);
    tick_ = new QTimer(this);
    connect(tick_, &QTimer::timeout, this, &PhotoSeries::progressChanged);
    // The camera change is posted after the registry switched: no current camera now means the
    // camera went away.
    NotificationCenter::defaultCenter()->addObserver(
        this, NotificationNames::CameraWillChange, [this](const Notification &) {
            if (running_)
                stop(currentCamera_ && currentCamera_() ? End::CameraChanged : End::CameraUnplugged);
        });
}

PhotoSeries::~PhotoSeries()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
}

bool PhotoSeries::start(Plan plan)
{
    if (running_)
        return false;
    if (!currentCamera_ || !currentCamera_()) {
        emit ended(End::CameraUnplugged, tr("No camera is connected, so no series was started."));
        return false;
    }
    plan_ = clamped(plan);
    running_ = true;
    taken_ = 0;
    LUMO_LOG("series: every %d s, %d photos", plan_.intervalSeconds, plan_.photos);
    interval_->start(Delays::scaled(Delays::Ms(plan_.intervalSeconds * 1000)));
    tick_->start(Delays::scaled(Delays::SeriesTick));
    shootNext();
    return true;
}

void PhotoSeries::shootNext()
{
    ++taken_;
    shoot_();
    if (plan_.photos > 0 && taken_ >= plan_.photos)
        finish(End::Completed);
    else
        emit progressChanged();
}

void PhotoSeries::stop(End why)
{
    if (running_)
        finish(why);
}

void PhotoSeries::finish(End why)
{
    running_ = false;
    interval_->stop();
    tick_->stop();
    const QString message = endMessage(why, taken_);
    LUMO_LOG("series ended: %s", qPrintable(message));
    emit progressChanged();
    emit ended(why, message);
}

int PhotoSeries::secondsToNext() const
{
    if (!running_ || !interval_->isActive())
        return 0;
    const double scale = Delays::timeScale() > 0 ? Delays::timeScale() : 1.0;
    return int(std::ceil(interval_->remainingTime() / scale / 1000.0));
}

QString PhotoSeries::progressText() const
{
    return running_ ? progressText(taken_, plan_.photos, secondsToNext()) : QString();
}

QString PhotoSeries::progressText(int taken, int photos, int secondsToNext)
{
    const QString next =
        secondsToNext >= 60
            ? tr("next in %1:%2").arg(secondsToNext / 60).arg(secondsToNext % 60, 2, 10, QLatin1Char('0'))
            : tr("next in %1 s").arg(secondsToNext);
    if (photos > 0)
        return tr("Series: %1 of %2, %3").arg(taken).arg(photos).arg(next);
    return tr("Series: %1 taken, %2").arg(taken).arg(next);
}

QString PhotoSeries::endMessage(End why, int taken)
{
    const QString photos = tr("%n photo(s)", nullptr, taken);
    switch (why) {
    case End::Completed:
        return tr("Series complete: %1 taken.").arg(photos);
    case End::Stopped:
        return tr("Series stopped after %1.").arg(photos);
    case End::CameraUnplugged:
        return tr("The camera was unplugged, so the series ended after %1.").arg(photos);
    case End::CameraChanged:
        return tr("The camera changed, so the series ended after %1.").arg(photos);
    case End::Quit:
        return tr("Arvo is quitting, so the series ended after %1.").arg(photos);
    }
    return {};
}
