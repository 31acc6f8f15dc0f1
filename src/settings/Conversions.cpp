#include "Conversions.h"

#include <array>

namespace {

constexpr std::array<QSizeF, 6> OutputSizes = {QSizeF(1600, 1200), QSizeF(1280, 960), QSizeF(1024, 768),
                                               QSizeF(800, 600),   QSizeF(640, 480),  QSizeF(320, 240)};
constexpr int FallbackOutputSize = 4;

constexpr std::array<float, 6> ZoomFactors = {1.0f, 1.25f, 1.5f, 2.0f, 2.5f, 3.0f};

} // namespace

QSizeF toPhotoOutputSize(int index)
{
    if (index < 0 || index >= int(OutputSizes.size()))
        index = FallbackOutputSize;
    return OutputSizes[size_t(index)];
}

int toZoomIndex(float factor)
{
    for (size_t i = 0; i < ZoomFactors.size(); ++i) {
        if (factor == ZoomFactors[i])
            return int(i);
    }
    return int(ZoomFactors.size());
}

float toZoomFactor(int index)
{
    if (index < 0 || index >= int(ZoomFactors.size()))
        return 0.0f;
    return ZoomFactors[size_t(index)];
}

int toTimerValue(int index)
{
    switch (index) {
    case 0:
        return 0;
    case 1:
        return 3;
    case 2:
        return 10;
    default:
        return index;
    }
}

int toTimerIndex(int seconds)
{
    switch (seconds) {
    case 3:
        return 1;
    case 10:
        return 2;
    default:
        return 0;
    }
}

bool toAutoBrightnessValue(int index)
{
    return index == 0;
}

int toAutoBrightnessIndex(bool on)
{
    return on ? 0 : 1;
}
