#include "VirtualControlSet.h"

#include "VirtualCamera.h"

namespace {

using Type = CameraControl::Type;
namespace Id = CameraControlId;

CameraControl integer(uint32_t id, const char *name, int minimum, int maximum, int step, int byDefault)
{
    CameraControl c;
    c.id = id;
    c.name = QString::fromLatin1(name);
    c.minimum = minimum;
    c.maximum = maximum;
    c.step = step;
    c.defaultValue = byDefault;
    return c;
}

CameraControl boolean(uint32_t id, const char *name, bool byDefault)
{
    CameraControl c = integer(id, name, 0, 1, 1, byDefault ? 1 : 0);
    c.type = Type::Boolean;
    return c;
}

CameraControl menu(uint32_t id, const char *name, int maximum, int byDefault,
                   QList<QPair<int, QString>> entries)
{
    CameraControl c = integer(id, name, 0, maximum, 1, byDefault);
    c.type = Type::Menu;
    c.menu = std::move(entries);
    return c;
}

} // namespace

VirtualControlSet::VirtualControlSet()
{
    const QList<CameraControl> controls = {
        integer(Id::Brightness, "Brightness", 0, 127, 1, 64),
        integer(Id::Contrast, "Contrast", 0, 95, 1, 32),
        integer(Id::Saturation, "Saturation", 0, 200, 1, 100),
        integer(Id::Hue, "Hue", -40, 40, 1, 0),
        boolean(Id::AutoWhiteBalance, "White Balance, Automatic", true),
        integer(Id::Gamma, "Gamma", 40, 500, 1, 100),
        integer(Id::Gain, "Gain", 0, 100, 1, 32),
        menu(Id::PowerLineFrequency, "Power Line Frequency", 2, 1,
             {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}),
        integer(Id::WhiteBalanceTemperature, "White Balance Temperature", 2000, 6500, 10, 4000),
        integer(Id::Sharpness, "Sharpness", 1, 10, 1, 5),
        integer(Id::BacklightCompensation, "Backlight Compensation", 0, 3, 1, 1),
        // As such cameras list it: automatic and shutter priority are holes of the menu.
        menu(Id::ExposureAuto, "Auto Exposure", 3, Id::ExposureAperturePriority,
             {{Id::ExposureManual, "Manual Mode"}, {Id::ExposureAperturePriority, "Aperture Priority Mode"}}),
        integer(Id::ExposureAbsolute, "Exposure Time, Absolute", 3, 2047, 1, 250),
        integer(Id::FocusAbsolute, "Focus, Absolute", 0, 1020, 4, 68),
        boolean(Id::FocusAuto, "Focus, Automatic Continuous", true),
    };
    const char *keys[] = {"brightness",
                          "contrast",
                          "saturation",
                          "hue",
                          "auto-white-balance",
                          "gamma",
                          "gain",
                          "power-line-frequency",
                          "white-balance",
                          "sharpness",
                          "backlight-compensation",
                          "auto-exposure",
                          "exposure-absolute",
                          "focus-absolute",
                          "auto-focus"};
    for (int i = 0; i < controls.size(); ++i)
        entries_.push_back({keys[i], controls[i], controls[i].defaultValue});
}

const VirtualControlSet::Entry *VirtualControlSet::find(uint32_t id) const
{
    for (const Entry &entry : entries_) {
        if (entry.control.id == id)
            return &entry;
    }
    return nullptr;
}

CameraControl VirtualControlSet::withFlags(const Entry &entry) const
{
    // Each value the camera chooses itself while its automatic counterpart is on.
    const auto current = [this](uint32_t id) {
        const Entry *e = find(id);
        return e ? e->current : 0;
    };
    CameraControl control = entry.control;
    bool inactive = false;
    switch (control.id) {
    case Id::WhiteBalanceTemperature:
        inactive = current(Id::AutoWhiteBalance) != 0;
        break;
    case Id::ExposureAbsolute:
        inactive = current(Id::ExposureAuto) != Id::ExposureManual;
        break;
    case Id::FocusAbsolute:
        inactive = current(Id::FocusAuto) != 0;
        break;
    }
    if (inactive)
        control.flags |= CameraControl::Inactive;
    return control;
}

QList<CameraControl> VirtualControlSet::controls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    QList<CameraControl> list;
    for (const Entry &entry : entries_)
        list << withFlags(entry);
    return list;
}

std::optional<CameraControl> VirtualControlSet::control(uint32_t id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const Entry *entry = find(id);
    return entry ? std::optional<CameraControl>(withFlags(*entry)) : std::nullopt;
}

std::optional<int> VirtualControlSet::value(uint32_t id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const Entry *entry = find(id);
    return entry ? std::optional<int>(entry->current) : std::nullopt;
}

bool VirtualControlSet::setValue(uint32_t id, int value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto *entry = const_cast<Entry *>(find(id));
    if (!entry)
        return false;
    const CameraControl control = withFlags(*entry);
    if (control.inactive() || !control.settable() || control.clamped(value) != value)
        return false;
    entry->current = value;
    return true;
}

void VirtualControlSet::resetToDefaults()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Entry &entry : entries_)
        entry.current = entry.control.defaultValue;
}

std::optional<uint32_t> VirtualControlSet::idOf(const QString &key) const
{
    for (const Entry &entry : entries_) {
        if (key == QLatin1String(entry.key))
            return entry.control.id;
    }
    return std::nullopt;
}

std::optional<int> VirtualControlSet::value(const QString &key) const
{
    const std::optional<uint32_t> id = idOf(key);
    return id ? value(*id) : std::nullopt;
}

QStringList VirtualControlSet::describe() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    QStringList lines;
    for (const Entry &entry : entries_)
        lines << QStringLiteral("%1 %2").arg(QLatin1String(entry.key)).arg(entry.current);
    return lines;
}

namespace {

class VirtualControlChannel : public CameraControlChannel {
public:
    explicit VirtualControlChannel(std::shared_ptr<VirtualCamera> camera) : camera_(std::move(camera)) {}

    QList<CameraControl> controls() override { return set() ? set()->controls() : QList<CameraControl>(); }
    std::optional<CameraControl> control(uint32_t id) override
    {
        return set() ? set()->control(id) : std::nullopt;
    }
    std::optional<int> value(uint32_t id) override { return set() ? set()->value(id) : std::nullopt; }
    bool setValue(uint32_t id, int value) override { return set() && set()->setValue(id, value); }

private:
    VirtualControlSet *set() const { return camera_->plugged() ? camera_->controlSet() : nullptr; }

    std::shared_ptr<VirtualCamera> camera_;
};

} // namespace

std::unique_ptr<CameraControlChannel> VirtualControlSet::openChannel(std::shared_ptr<VirtualCamera> camera)
{
    if (!camera || !camera->plugged() || !camera->controlSet())
        return nullptr;
    return std::make_unique<VirtualControlChannel>(std::move(camera));
}
