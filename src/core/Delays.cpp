#include "Delays.h"

#include <atomic>
#include <cmath>

namespace Delays {

namespace {
std::atomic<double> gScale{1.0};
}

void setTimeScale(double scale)
{
    gScale = scale > 0 ? scale : 1.0;
}

double timeScale()
{
    return gScale;
}

int scaled(Ms delay)
{
    return int(std::lround(double(delay.count()) * gScale));
}

} // namespace Delays
