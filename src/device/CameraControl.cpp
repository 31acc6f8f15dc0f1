#include "CameraControl.h"

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

} // namespace

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
    return text;
}
