#include "RecordingPreferences.h"

#include "capture/recording/Recorder.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int DefaultQuality = int(Recorder::Quality::Standard);

} // namespace

RecordingPreferences::RecordingPreferences(UserDefaults *defaults, QWidget *parent)
    : QWidget(parent), defaults_(defaults)
{
    setObjectName(QStringLiteral("recordingPreferences"));
    sound_ = new QCheckBox(tr("Record sound"));
    microphone_ = new QComboBox;
    microphone_->setObjectName(QStringLiteral("microphonePopUp"));
    microphone_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    microphone_->setToolTip(tr("The microphone a recording takes its sound from"));
    auto *soundRow = new QHBoxLayout;
    soundRow->addWidget(sound_);
    soundRow->addWidget(microphone_, 1);

    quality_ = new QButtonGroup(this);
    auto *qualityRow = new QHBoxLayout;
    qualityRow->addWidget(new QLabel(tr("Video quality:")));
    const QStringList steps{tr("Low"), tr("Standard"), tr("High")};
    for (int i = 0; i < steps.size(); ++i) {
        auto *button = new QRadioButton(steps[i]);
        quality_->addButton(button, i);
        qualityRow->addWidget(button);
    }
    qualityRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(soundRow);
    layout->addLayout(qualityRow);

    // User actions only: loadDefaults() fills the controls without storing anything.
    connect(sound_, &QCheckBox::clicked, this, [this](bool on) {
        defaults_->setValue(DefaultsKeys::RecordWithSound, on);
        microphone_->setEnabled(on);
    });
    connect(microphone_, &QComboBox::activated, this, [this](int index) {
        defaults_->setValue(DefaultsKeys::RecordingMicrophone, microphone_->itemData(index).toString());
    });
    connect(quality_, &QButtonGroup::idClicked, this,
            [this](int id) { defaults_->setValue(DefaultsKeys::RecordingQuality, id); });
}

void RecordingPreferences::loadDefaults()
{
    const bool withSound = defaults_->boolForKey(DefaultsKeys::RecordWithSound, true);
    sound_->setChecked(withSound);
    microphone_->setEnabled(withSound);
    fillMicrophones();
    int quality = defaults_->integerForKey(DefaultsKeys::RecordingQuality, DefaultQuality);
    if (quality < 0 || quality >= quality_->buttons().size())
        quality = DefaultQuality;
    quality_->button(quality)->setChecked(true);
}

void RecordingPreferences::fillMicrophones()
{
    microphone_->clear();
    for (const Recorder::Microphone &microphone : Recorder::microphones())
        microphone_->addItem(microphone.description, microphone.id);
    if (microphone_->findData(QString()) < 0)
        microphone_->insertItem(0, tr("Default microphone"), QString());
    // A microphone chosen earlier and not plugged in now stays the choice, marked so, rather than
    // turning into the default one behind the user's back.
    const QString chosen = defaults_->stringForKey(DefaultsKeys::RecordingMicrophone);
    int index = microphone_->findData(chosen);
    if (index < 0) {
        microphone_->addItem(tr("%1 (not connected)").arg(chosen), chosen);
        index = microphone_->count() - 1;
    }
    microphone_->setCurrentIndex(index);
}
