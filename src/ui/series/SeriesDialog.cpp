#include "SeriesDialog.h"

#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"
#include "ui/widgets/FormAccessibility.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

SeriesDialog::SeriesDialog(UserDefaults *defaults, QWidget *parent) : QDialog(parent), defaults_(defaults)
{
    setObjectName(QStringLiteral("seriesDialog"));
    setWindowTitle(tr("Photos at Intervals"));
    interval_ = new QSpinBox;
    interval_->setObjectName(QStringLiteral("seriesInterval"));
    interval_->setRange(PhotoSeries::MinIntervalSeconds, PhotoSeries::MaxIntervalSeconds);
    interval_->setSuffix(tr(" s"));
    interval_->setToolTip(tr("From 2 seconds to 10 minutes (600 s)"));
    photos_ = new QSpinBox;
    photos_->setObjectName(QStringLiteral("seriesPhotos"));
    photos_->setRange(1, PhotoSeries::MaxPhotos);
    untilStopped_ = new QCheckBox(tr("Until stopped"));
    untilStopped_->setObjectName(QStringLiteral("seriesUntilStopped"));
    connect(untilStopped_, &QCheckBox::toggled, photos_, &QWidget::setDisabled);

    auto *form = new QFormLayout;
    form->addRow(tr("Take a photo every:"), interval_);
    form->addRow(tr("Number of photos:"), photos_);
    form->addRow(QString(), untilStopped_);
    describeFormFields(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Start"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    PhotoSeries::Plan plan;
    plan.intervalSeconds = defaults_->integerForKey(DefaultsKeys::SeriesInterval, plan.intervalSeconds);
    plan.photos = defaults_->integerForKey(DefaultsKeys::SeriesPhotos, plan.photos);
    setPlan(plan);
}

PhotoSeries::Plan SeriesDialog::plan() const
{
    return {interval_->value(), untilStopped_->isChecked() ? 0 : photos_->value()};
}

void SeriesDialog::setPlan(PhotoSeries::Plan plan)
{
    plan = PhotoSeries::clamped(plan);
    interval_->setValue(plan.intervalSeconds);
    untilStopped_->setChecked(plan.photos == 0);
    if (plan.photos > 0)
        photos_->setValue(plan.photos);
}

void SeriesDialog::savePlan()
{
    const PhotoSeries::Plan chosen = plan();
    defaults_->setValue(DefaultsKeys::SeriesInterval, chosen.intervalSeconds);
    defaults_->setValue(DefaultsKeys::SeriesPhotos, chosen.photos);
}
