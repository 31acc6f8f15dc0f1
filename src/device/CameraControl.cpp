#include "CameraControl.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>

namespace {

// The nearest value on the steps from `minimum`, within the limits, in 64 bits so that wide
// limits do not overflow.
int onSteps(int64_t value, int minimum, int maximum, int step)
{
    value = std::clamp<int64_t>(value, minimum, maximum);
    if (step > 1) {
        const int64_t steps = (value - minimum + step / 2) / step;
        value = minimum + steps * step;
        if (value > maximum)
            value -= step;
    }
    return int(value);
}

// The names the Linux video drivers give the standard controls of a USB camera and the entries
// of their menus. Drivers give them in English whatever the user's language; these are looked
// up in the translations, and any other name is shown as the driver gives it.
[[maybe_unused]] const char *const StandardTexts[] = {
    QT_TRANSLATE_NOOP("CameraControl", "Brightness"),
    QT_TRANSLATE_NOOP("CameraControl", "Contrast"),
    QT_TRANSLATE_NOOP("CameraControl", "Saturation"),
    QT_TRANSLATE_NOOP("CameraControl", "Hue"),
    QT_TRANSLATE_NOOP("CameraControl", "Hue, Automatic"),
    QT_TRANSLATE_NOOP("CameraControl", "Gamma"),
    QT_TRANSLATE_NOOP("CameraControl", "Gain"),
    QT_TRANSLATE_NOOP("CameraControl", "Sharpness"),
    QT_TRANSLATE_NOOP("CameraControl", "Backlight Compensation"),
    QT_TRANSLATE_NOOP("CameraControl", "White Balance, Automatic"),
    QT_TRANSLATE_NOOP("CameraControl", "White Balance Temperature"),
    QT_TRANSLATE_NOOP("CameraControl", "White Balance Temperature, Auto"),
    QT_TRANSLATE_NOOP("CameraControl", "Power Line Frequency"),
    QT_TRANSLATE_NOOP("CameraControl", "Disabled"),
    QT_TRANSLATE_NOOP("CameraControl", "50 Hz"),
    QT_TRANSLATE_NOOP("CameraControl", "60 Hz"),
    QT_TRANSLATE_NOOP("CameraControl", "Auto"),
    QT_TRANSLATE_NOOP("CameraControl", "Auto Exposure"),
    QT_TRANSLATE_NOOP("CameraControl", "Exposure, Auto"),
    QT_TRANSLATE_NOOP("CameraControl", "Auto Mode"),
    QT_TRANSLATE_NOOP("CameraControl", "Manual Mode"),
    QT_TRANSLATE_NOOP("CameraControl", "Shutter Priority Mode"),
    QT_TRANSLATE_NOOP("CameraControl", "Aperture Priority Mode"),
    QT_TRANSLATE_NOOP("CameraControl", "Exposure Time, Absolute"),
    QT_TRANSLATE_NOOP("CameraControl", "Exposure (Absolute)"),
    QT_TRANSLATE_NOOP("CameraControl", "Exposure, Dynamic Framerate"),
    QT_TRANSLATE_NOOP("CameraControl", "Focus, Absolute"),
    QT_TRANSLATE_NOOP("CameraControl", "Focus (absolute)"),
    QT_TRANSLATE_NOOP("CameraControl", "Focus, Automatic Continuous"),
    QT_TRANSLATE_NOOP("CameraControl", "Focus, Auto"),
    QT_TRANSLATE_NOOP("CameraControl", "Auto Focus, Start"),
    QT_TRANSLATE_NOOP("CameraControl", "Zoom, Absolute"),
    QT_TRANSLATE_NOOP("CameraControl", "Pan, Absolute"),
    QT_TRANSLATE_NOOP("CameraControl", "Tilt, Absolute"),
    QT_TRANSLATE_NOOP("CameraControl", "Privacy"),
};

} // namespace

QString CameraControl::shownText(const QString &driverText)
{
    return QCoreApplication::translate("CameraControl", driverText.toUtf8().constData());
}

int CameraControl::clamped(int value) const
{
    if (type == Type::Menu) {
        for (const auto &entry : menu) {
            if (entry.first == value)
                return value;
        }
        return defaultValue;
    }
    if (minimum > maximum)
        return defaultValue;
    return onSteps(value, minimum, maximum, std::max(step, 1));
}

int CameraControl::levelOf(int value, int levels) const
{
    if (levels < 2 || maximum <= minimum)
        return 0;
    const int64_t span = int64_t(maximum) - minimum;
    const int64_t offset = std::clamp<int64_t>(int64_t(value) - minimum, 0, span);
    return int((offset * (levels - 1) + span / 2) / span);
}

int CameraControl::valueOfLevel(int level, int levels) const
{
    if (levels < 2)
        return clamped(defaultValue);
    level = std::clamp(level, 0, levels - 1);
    const int64_t span = int64_t(maximum) - minimum;
    return onSteps(minimum + (span * level + (levels - 1) / 2) / (levels - 1), minimum, maximum,
                   std::max(step, 1));
}

QString CameraControl::label() const
{
    QString text = name.simplified();
    // Names in the style of identifiers ("white_balance_auto") become words, each capitalised.
    if (text.contains(QLatin1Char('_')) || text == text.toLower()) {
        text.replace(QLatin1Char('_'), QLatin1Char(' '));
        QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString &word : words)
            word[0] = word[0].toUpper();
        text = words.join(QLatin1Char(' '));
    }
    return shownText(text);
}
