#include "CameraControlsForm.h"

#include "RequestThrottle.h"
#include "core/Delays.h"
#include "settings/CamSettingController.h"
#include "settings/CameraControlSettings.h"
#include "ui/widgets/FormAccessibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Type = CameraControl::Type;

} // namespace

CameraControlsForm::CameraControlsForm(CamSettingController *settings, QWidget *parent)
    : QWidget(parent), settings_(settings)
{
    setObjectName(QStringLiteral("cameraControls"));
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowsHost_ = new QWidget;
    form_ = new QFormLayout(rowsHost_);
    form_->setContentsMargins(0, 0, 0, 0);
    form_->setLabelAlignment(Qt::AlignRight);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    scroll->setWidget(rowsHost_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

CameraControlsForm::~CameraControlsForm() = default;

void CameraControlsForm::setCamera(const CameraPtr &camera)
{
    if (camera && camera == camera_.lock()) {
        refresh();
        return;
    }
    clearRows();
    camera_ = camera;
    if (camera) {
        for (const CameraControl &control : camera->cameraControls())
            addRow(control);
    }
    describeFormFields(form_);
    updateGeometry();
    refresh();
}

QSize CameraControlsForm::sizeHint() const
{
    const QSize rows = rowsHost_->sizeHint();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QSize(rows.width() + scrollBar, std::min(rows.height(), fontMetrics().height() * 30));
}

QSize CameraControlsForm::minimumSizeHint() const
{
    const QSize rows = rowsHost_->minimumSizeHint();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QSize(rows.width() + scrollBar, std::min(rows.height(), fontMetrics().height() * 8));
}

void CameraControlsForm::clearRows()
{
    for (Row &row : rows_)
        row.throttle->cancel();
    while (form_->rowCount() > 0)
        form_->removeRow(0);
    for (Row &row : rows_)
        delete row.throttle;
    rows_.clear();
}

void CameraControlsForm::addRow(const CameraControl &control)
{
    Row row;
    row.control = control;
    const uint32_t id = control.id;
    row.throttle = new RequestThrottle(
        Delays::CameraRequestInterval, [this, id](int v) { apply(id, v); }, this);
    switch (control.type) {
    case Type::Integer: {
        auto *slider = new QSlider(Qt::Horizontal);
        slider->setMinimumWidth(240);
        slider->setRange(control.minimum, control.maximum);
        slider->setSingleStep(std::max(control.step, 1));
        slider->setPageStep(std::max(control.step, (control.maximum - control.minimum) / 10));
        auto *value = new QLabel;
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        RequestThrottle *throttle = row.throttle;
        // Only the user moves a slider with signals on; the form fills them with signals blocked.
        connect(slider, &QSlider::valueChanged, this, [control, value, throttle](int v) {
            value->setNum(control.clamped(v));
            throttle->submit(control.clamped(v));
        });
        auto *line = new QHBoxLayout;
        line->addWidget(slider, 1);
        line->addWidget(value);
        row.editor = slider;
        row.value = value;
        row.label = new QLabel(control.label() + QLatin1Char(':'));
        form_->addRow(row.label, line);
        break;
    }
    case Type::Boolean: {
        auto *box = new QCheckBox;
        connect(box, &QCheckBox::toggled, this, [this, id](bool on) { apply(id, on ? 1 : 0); });
        row.editor = box;
        break;
    }
    case Type::Menu: {
        auto *popUp = new QComboBox;
        for (const auto &[value, text] : control.menu)
            popUp->addItem(CameraControl::shownText(text), value);
        connect(popUp, &QComboBox::activated, this,
                [this, id, popUp](int index) { apply(id, popUp->itemData(index).toInt()); });
        row.editor = popUp;
        break;
    }
    case Type::Button: {
        auto *button = new QPushButton(control.label());
        connect(button, &QPushButton::clicked, this, [this, id] { apply(id, 1); });
        row.editor = button;
        break;
    }
    }
    if (!row.label) {
        row.label = new QLabel(control.type == Type::Button ? QString() : control.label() + QLatin1Char(':'));
        form_->addRow(row.label, row.editor);
    }
    row.editor->setObjectName(CameraControlSettings::keyOf(id));
    rows_.push_back(row);
}

const CameraControlsForm::Row *CameraControlsForm::rowOf(uint32_t id) const
{
    const auto found =
        std::find_if(rows_.begin(), rows_.end(), [id](const Row &row) { return row.control.id == id; });
    return found != rows_.end() ? &*found : nullptr;
}

QWidget *CameraControlsForm::editor(uint32_t id) const
{
    const Row *row = rowOf(id);
    return row ? row->editor : nullptr;
}

QLabel *CameraControlsForm::label(uint32_t id) const
{
    const Row *row = rowOf(id);
    return row ? row->label : nullptr;
}

void CameraControlsForm::apply(uint32_t id, int value)
{
    const CameraPtr camera = camera_.lock();
    const Row *row = rowOf(id);
    if (!camera || !row)
        return;
    CameraControlSettings(*settings_).setValue(*camera, row->control, value);
    // One control switches others (automatic white balance and the temperature), and a value the
    // camera refused shows what it kept.
    refresh();
}

void CameraControlsForm::refresh()
{
    const CameraPtr camera = camera_.lock();
    for (Row &row : rows_) {
        const std::optional<CameraControl> control =
            camera ? camera->cameraControl(row.control.id) : std::nullopt;
        const std::optional<int> value = control ? camera->controlValue(row.control.id) : std::nullopt;
        show(row, control.value_or(row.control), value.value_or(row.control.defaultValue));
        // A control the camera no longer answers for cannot be changed either.
        if (!control)
            row.editor->setEnabled(false);
    }
}

void CameraControlsForm::show(Row &row, const CameraControl &control, int value)
{
    const QSignalBlocker blocker(row.editor);
    // A slider being dragged keeps its place; the camera ends on the value the slider holds.
    if (auto *slider = qobject_cast<QSlider *>(row.editor)) {
        if (!row.throttle->hasPending() && !slider->isSliderDown()) {
            slider->setValue(value);
            row.value->setNum(value);
        }
    } else if (auto *box = qobject_cast<QCheckBox *>(row.editor)) {
        box->setChecked(value != 0);
    } else if (auto *popUp = qobject_cast<QComboBox *>(row.editor)) {
        popUp->setCurrentIndex(popUp->findData(value));
    }
    const bool enabled = control.type == Type::Button
                             ? !(control.flags & (CameraControl::ReadOnly | CameraControl::Disabled))
                             : control.settable() && !control.inactive();
    row.editor->setEnabled(enabled);
    if (row.value)
        row.value->setEnabled(enabled);
    row.label->setEnabled(enabled);
}

void CameraControlsForm::restoreDefaults()
{
    const CameraPtr camera = camera_.lock();
    if (!camera)
        return;
    cancelPendingRequests();
    CameraControlSettings(*settings_).restoreDefaults(*camera);
    refresh();
}

void CameraControlsForm::flushPendingRequests()
{
    for (Row &row : rows_)
        row.throttle->flush();
}

void CameraControlsForm::cancelPendingRequests()
{
    for (Row &row : rows_)
        row.throttle->cancel();
}
