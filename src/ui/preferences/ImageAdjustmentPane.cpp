#include "ImageAdjustmentPane.h"

#include "CameraControlsForm.h"
#include "RequestThrottle.h"
#include "core/Delays.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "device/LumoCamerasController.h"
#include "settings/CamSettingController.h"
#include "ui/widgets/FormAccessibility.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <functional>

namespace {

using namespace NotificationNames;
using Limits = LumoCamera::ImageControlLimits;

// One image adjustment: how the setting cache reads and applies it, and the camera's limits.
// Hue is a signed 16-bit value, the others unsigned; a slider's value is cut to 16 bits on its
// way to the camera.
struct AdjustmentRow {
    const char *objectName;
    const char *label;
    bool isSigned;
    int (*cached)(const CamSettingController &);
    void (*apply)(CamSettingController &, int);
    int (*minimum)(LumoCamera &);
    int (*maximum)(LumoCamera &);
    int (*byDefault)(LumoCamera &);
};

// In the order the camera's defaults are applied.
const AdjustmentRow Rows[ImageAdjustmentPane::AdjustmentCount] = {
    {"brightSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Brightness:"), false,
     [](const CamSettingController &s) { return int(s.brightness()); },
     [](CamSettingController &s, int v) { s.setBrightness(uint16_t(v)); },
     [](LumoCamera &c) { return int(c.brightnessMin()); },
     [](LumoCamera &c) { return int(c.brightnessMax()); },
     [](LumoCamera &c) { return int(c.brightnessDef()); }},
    {"contrastSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Contrast:"), false,
     [](const CamSettingController &s) { return int(s.contrast()); },
     [](CamSettingController &s, int v) { s.setContrast(uint16_t(v)); },
     [](LumoCamera &c) { return int(c.contrastMin()); }, [](LumoCamera &c) { return int(c.contrastMax()); },
     [](LumoCamera &c) { return int(c.contrastDef()); }},
    {"gammaSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Gamma:"), false,
     [](const CamSettingController &s) { return int(s.gamma()); },
     [](CamSettingController &s, int v) { s.setGamma(uint16_t(v)); },
     [](LumoCamera &c) { return int(c.gammaMin()); }, [](LumoCamera &c) { return int(c.gammaMax()); },
     [](LumoCamera &c) { return int(c.gammaDef()); }},
    {"hueSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Hue:"), true,
     [](const CamSettingController &s) { return int(s.hue()); },
     [](CamSettingController &s, int v) { s.setHue(int16_t(v)); },
     [](LumoCamera &c) { return int(c.hueMin()); }, [](LumoCamera &c) { return int(c.hueMax()); },
     [](LumoCamera &c) { return int(c.hueDef()); }},
    {"saturationSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Saturation:"), false,
     [](const CamSettingController &s) { return int(s.saturation()); },
     [](CamSettingController &s, int v) { s.setSaturation(uint16_t(v)); },
     [](LumoCamera &c) { return int(c.saturationMin()); },
     [](LumoCamera &c) { return int(c.saturationMax()); },
     [](LumoCamera &c) { return int(c.saturationDef()); }},
    {"sharpnessSlider", QT_TRANSLATE_NOOP("ImageAdjustmentPane", "Sharpness:"), false,
     [](const CamSettingController &s) { return int(s.sharpness()); },
     [](CamSettingController &s, int v) { s.setSharpness(uint16_t(v)); },
     [](LumoCamera &c) { return int(c.sharpnessMin()); }, [](LumoCamera &c) { return int(c.sharpnessMax()); },
     [](LumoCamera &c) { return int(c.sharpnessDef()); }},
};

// Whether the camera answered both limits: a cell still holding its marker was not answered.
bool limitsAnswered(const AdjustmentRow &row, int minimum, int maximum)
{
    const int marker = row.isSigned ? int(Limits::HueMarker) : int(Limits::Marker);
    return minimum != marker && maximum != marker && minimum < maximum;
}

// The camera pop-up lists the cameras again each time it opens, so that a camera plugged in
// while the window is open can be chosen.
class CameraPopUp : public QComboBox {
public:
    std::function<void()> aboutToShow;
    void showPopup() override
    {
        if (aboutToShow)
            aboutToShow();
        QComboBox::showPopup();
    }
};

} // namespace

ImageAdjustmentPane::ImageAdjustmentPane(CamSettingController *settings, LumoCamerasController *cameras,
                                         QWidget *parent)
    : QWidget(parent), settings_(settings), cameras_(cameras)
{
    setObjectName(QStringLiteral("imageView"));

    cameraControls_ = new QWidget;
    auto *form = form_ = new QFormLayout(cameraControls_);
    form->setContentsMargins(0, 0, 0, 0);
    form->setLabelAlignment(Qt::AlignRight);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto *popUp = new CameraPopUp;
    popUp->aboutToShow = [this] { adjustControls(); };
    videoDevices_ = popUp;
    videoDevices_->setObjectName(QStringLiteral("videoDevices"));
    videoDevices_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    form->addRow(tr("Camera:"), videoDevices_);

    controlsForm_ = new CameraControlsForm(settings_);
    form->addRow(controlsForm_);

    for (int a = 0; a < AdjustmentCount; ++a) {
        auto *slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(QLatin1String(Rows[a].objectName));
        slider->setMinimumWidth(240);
        auto *value = new QLabel;
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *row = new QHBoxLayout;
        row->addWidget(slider, 1);
        row->addWidget(value);
        form->addRow(QCoreApplication::translate("ImageAdjustmentPane", Rows[a].label), row);
        sliderRows_[a] = row;
        sliders_[a] = slider;
        values_[a] = value;
        const auto adjustment = Adjustment(a);
        throttles_[a] = new RequestThrottle(
            Delays::CameraRequestInterval, [this, adjustment](int v) { apply(adjustment, v); }, this);
        // Only the user moves a slider with signals on; the pane fills them with signals blocked.
        connect(slider, &QSlider::valueChanged, this, [this, adjustment](int v) {
            values_[adjustment]->setNum(v);
            throttles_[adjustment]->submit(v);
        });
    }
    defaultsButton_ = new QPushButton(tr("Restore Defaults"));
    connect(defaultsButton_, &QPushButton::clicked, this, &ImageAdjustmentPane::setDefaultImageAdjustment);
    form->addRow(QString(), defaultsButton_);

    // The focus mode is set on the camera; the pane shows the mode the camera reports.
    auto *focusRow = new QHBoxLayout;
    focusSwitch_ = new QButtonGroup(this);
    const QString focusTitles[] = {tr("Single"), tr("Continuous")};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QRadioButton(focusTitles[i]);
        button->setEnabled(false);
        focusSwitch_->addButton(button, i);
        focusRow->addWidget(button);
    }
    auto *focusNote = new QLabel(tr("(set on the camera)"));
    focusNote->setForegroundRole(QPalette::PlaceholderText);
    focusRow->addWidget(focusNote);
    focusRow->addStretch();
    form->addRow(tr("Focus:"), focusRow);
    focusRow_ = focusRow;

    frequencySwitch_ = new QComboBox;
    frequencySwitch_->setObjectName(QStringLiteral("frequencySwitch"));
    frequencySwitch_->addItems({tr("Off"), tr("50 Hz"), tr("60 Hz")});
    auto *frequencyDescript =
        new QLabel(tr("Match the mains frequency to stop lamps from flickering in the picture."));
    frequencyDescript->setWordWrap(true);
    frequencyDescript->setForegroundRole(QPalette::PlaceholderText);
    auto *frequency = new QVBoxLayout;
    frequency->addWidget(frequencySwitch_, 0, Qt::AlignLeft);
    frequency->addWidget(frequencyDescript);
    form->addRow(tr("Power line:"), frequency);
    frequencyRow_ = frequency;
    frequencySwitch_->setAccessibleDescription(frequencyDescript->text());
    describeFormFields(form);

    connect(videoDevices_, &QComboBox::activated, this, &ImageAdjustmentPane::selectCamera);
    connect(frequencySwitch_, &QComboBox::activated, this, &ImageAdjustmentPane::setFrequency);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(cameraControls_);

    NotificationCenter *center = NotificationCenter::defaultCenter();
    center->addObserver(this, CameraDidChange, [this](const Notification &) { cameraDidChange(); });
    for (const char *name : {CamSettingDidRestore, CamSettingDidSetToDefault})
        center->addObserver(this, name, [this](const Notification &) { settingsDidApply(); });
    for (const char *name : {CameraSetToSingleFocus, CameraSetToContinueFocus})
        center->addObserver(this, name, [this](const Notification &) { velmarDidSetFocus(); });

    adjustControls();
}

ImageAdjustmentPane::~ImageAdjustmentPane()
{
    NotificationCenter::defaultCenter()->removeObserver(this);
}

CameraPtr ImageAdjustmentPane::currentCamera() const
{
    return cameras_ ? cameras_->currentCamera() : nullptr;
}

void ImageAdjustmentPane::adjustControls()
{
    const CameraPtr current = currentCamera();
    {
        const QSignalBlocker blocker(videoDevices_);
        videoDevices_->clear();
        const QList<CameraPtr> cameras = cameras_ ? cameras_->availableCameras() : QList<CameraPtr>();
        for (const CameraPtr &camera : cameras) {
            videoDevices_->addItem(camera->model(), camera->deviceKey());
            if (camera == current)
                videoDevices_->setCurrentIndex(videoDevices_->count() - 1);
        }
    }
    // A camera that lists its controls shows them all in their own form; the two models (and a
    // camera without a list) show the six sliders and the power-line pop-up.
    const bool listed = current && !current->cameraControls().isEmpty();
    controlsForm_->setVisible(listed);
    controlsForm_->setCamera(listed ? current : nullptr);
    for (QLayout *row : sliderRows_)
        form_->setRowVisible(row, !listed);
    form_->setRowVisible(frequencyRow_, !listed);
    form_->setRowVisible(focusRow_, !current || current->focusKind() == LumoCamera::FocusKind::VendorCommand);
    if (listed) {
        // Nothing more: the form reads its rows from the camera.
    } else if (current) {
        for (int a = 0; a < AdjustmentCount; ++a) {
            const int minimum = Rows[a].minimum(*current);
            const int maximum = Rows[a].maximum(*current);
            const bool answered = limitsAnswered(Rows[a], minimum, maximum);
            const QSignalBlocker blocker(sliders_[a]);
            if (answered)
                sliders_[a]->setRange(minimum, maximum);
            sliders_[a]->setEnabled(answered);
        }
        setImageAdjustmentUI();
        const QSignalBlocker blocker(frequencySwitch_);
        frequencySwitch_->setCurrentIndex(qBound(0, int(current->frequency()), 2));
        velmarDidSetFocus();
    }
    cameraControls_->setEnabled(bool(current));
}

void ImageAdjustmentPane::setImageAdjustmentUI()
{
    for (int a = 0; a < AdjustmentCount; ++a) {
        const QSignalBlocker blocker(sliders_[a]);
        sliders_[a]->setValue(Rows[a].cached(*settings_));
        values_[a]->setNum(sliders_[a]->value());
    }
}

void ImageAdjustmentPane::apply(Adjustment adjustment, int value)
{
    Rows[adjustment].apply(*settings_, value);
}

void ImageAdjustmentPane::setDefaultImageAdjustment()
{
    const CameraPtr current = currentCamera();
    if (!current)
        return;
    if (!current->cameraControls().isEmpty()) {
        controlsForm_->restoreDefaults();
        return;
    }
    for (int a = 0; a < AdjustmentCount; ++a) {
        const QSignalBlocker blocker(sliders_[a]);
        sliders_[a]->setValue(Rows[a].byDefault(*current));
        values_[a]->setNum(sliders_[a]->value());
        throttles_[a]->send(sliders_[a]->value());
    }
}

void ImageAdjustmentPane::selectCamera(int index)
{
    const QString key = videoDevices_->itemData(index).toString();
    const QList<CameraPtr> cameras = cameras_ ? cameras_->availableCameras() : QList<CameraPtr>();
    for (const CameraPtr &camera : cameras) {
        if (camera->deviceKey() != key)
            continue;
        if (camera == currentCamera())
            NotificationCenter::defaultCenter()->post(CommandRestartCaptureView, this);
        else
            cameras_->setCurrentCamera(camera);
        return;
    }
    adjustControls(); // the camera went while the pop-up was open
}

void ImageAdjustmentPane::setFrequency(int value)
{
    if (const CameraPtr current = currentCamera())
        current->setFrequency(uint8_t(value));
}

void ImageAdjustmentPane::flushPendingRequests()
{
    for (RequestThrottle *throttle : throttles_)
        throttle->flush();
    controlsForm_->flushPendingRequests();
}

void ImageAdjustmentPane::velmarDidSetFocus()
{
    if (QAbstractButton *button = focusSwitch_->button(settings_->continuousFocus() ? 1 : 0))
        button->setChecked(true);
}

void ImageAdjustmentPane::cameraDidChange()
{
    // A value held for the camera that went must not reach the new one.
    for (RequestThrottle *throttle : throttles_)
        throttle->cancel();
    controlsForm_->cancelPendingRequests();
    if (isVisible()) {
        adjustControls();
        // Another camera shows other controls: the window fits them, as when the pane is chosen.
        QWidget *top = window();
        top->resize(top->sizeHint().expandedTo(top->minimumSizeHint()));
    }
}

void ImageAdjustmentPane::settingsDidApply()
{
    if (isVisible())
        adjustControls();
}
