#include "V4l2CaptureMode.h"

#include "V4l2Io.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <linux/videodev2.h>

namespace {

bool isDecodedFormat(uint32_t pixelFormat)
{
    return pixelFormat == V4L2_PIX_FMT_MJPEG || pixelFormat == V4L2_PIX_FMT_YUYV;
}

int formatRank(uint32_t pixelFormat)
{
    return pixelFormat == V4L2_PIX_FMT_MJPEG ? 0 : 1;
}

qint64 area(const QSize &size)
{
    return qint64(size.width()) * size.height();
}

// Orders modes from best to worst for `requested`; see chooseCaptureMode().
struct ModeOrder {
    QSize requested;

    int sizeClass(const QSize &size) const
    {
        if (size == requested)
            return 0;
        if (size.width() >= requested.width() && size.height() >= requested.height())
            return 1;
        return 2;
    }

    bool operator()(const V4l2CaptureMode &a, const V4l2CaptureMode &b) const
    {
        const int classA = sizeClass(a.size);
        const int classB = sizeClass(b.size);
        if (classA != classB)
            return classA < classB;
        if (a.size != b.size) {
            if (classA == 1)
                return area(a.size) < area(b.size); // the least scaling down
            if (classA == 2)
                return area(a.size) > area(b.size); // the least scaling up
        }
        return formatRank(a.pixelFormat) < formatRank(b.pixelFormat);
    }
};

// The size in [min, max] on the step grid that is nearest to `wanted` from above (or max).
int stepwiseDimension(int wanted, uint32_t min, uint32_t max, uint32_t step)
{
    if (step == 0)
        step = 1;
    if (wanted <= int(min))
        return int(min);
    if (wanted >= int(max))
        return int(max);
    const uint32_t steps = (uint32_t(wanted) - min + step - 1) / step;
    return int(std::min<uint32_t>(min + steps * step, max));
}

// Calls `each` for every entry of VIDIOC_ENUM_FRAMESIZES of every format this back end decodes.
// A range is the only entry of its format.
template<typename Each> void forEachFrameSize(V4l2Io &io, int fd, Each each)
{
    for (uint32_t formatIndex = 0;; ++formatIndex) {
        v4l2_fmtdesc format{};
        format.index = formatIndex;
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io.ioctl(fd, VIDIOC_ENUM_FMT, &format) < 0)
            break;
        if (!isDecodedFormat(format.pixelformat))
            continue;
        for (uint32_t sizeIndex = 0;; ++sizeIndex) {
            v4l2_frmsizeenum size{};
            size.index = sizeIndex;
            size.pixel_format = format.pixelformat;
            if (io.ioctl(fd, VIDIOC_ENUM_FRAMESIZES, &size) < 0)
                break;
            each(format.pixelformat, size);
            if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE)
                break;
        }
    }
}

// The picture sizes offered from a range of sizes, beside its largest: 4:3 and 16:9 sizes that
// cameras and screens commonly use.
const QSize CommonSizes[] = {{3840, 2160}, {2592, 1944}, {2560, 1440}, {2048, 1536}, {1920, 1080},
                             {1600, 1200}, {1280, 960},  {1280, 720},  {1024, 768},  {800, 600},
                             {640, 480},   {640, 360},   {320, 240}};
// The frame rates offered from a range of intervals, beside its highest.
const uint32_t CommonRates[] = {60, 30, 25, 20, 15, 10, 5};

bool onGrid(int value, uint32_t min, uint32_t max, uint32_t step)
{
    if (value < int(min) || value > int(max))
        return false;
    return step <= 1 || (uint32_t(value) - min) % step == 0;
}

uint32_t ratePerSecond(const v4l2_fract &interval)
{
    return interval.numerator == 0 ? 0
                                   : uint32_t(std::lround(double(interval.denominator) / interval.numerator));
}

std::vector<uint32_t> frameRates(V4l2Io &io, int fd, uint32_t pixelFormat, const QSize &size)
{
    std::vector<uint32_t> rates;
    for (uint32_t index = 0;; ++index) {
        v4l2_frmivalenum interval{};
        interval.index = index;
        interval.pixel_format = pixelFormat;
        interval.width = uint32_t(size.width());
        interval.height = uint32_t(size.height());
        if (io.ioctl(fd, VIDIOC_ENUM_FRAMEINTERVALS, &interval) < 0)
            break;
        if (interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            rates.push_back(ratePerSecond(interval.discrete));
            continue;
        }
        // The shortest interval gives the highest rate, the longest the lowest.
        const uint32_t highest = ratePerSecond(interval.stepwise.min);
        const uint32_t lowest = ratePerSecond(interval.stepwise.max);
        rates.push_back(highest);
        for (uint32_t rate : CommonRates) {
            if (rate < highest && rate >= lowest)
                rates.push_back(rate);
        }
        break; // a range is the only entry
    }
    rates.erase(std::remove(rates.begin(), rates.end(), 0u), rates.end());
    std::sort(rates.begin(), rates.end(), std::greater<uint32_t>());
    rates.erase(std::unique(rates.begin(), rates.end()), rates.end());
    return rates;
}

} // namespace

std::optional<V4l2CaptureMode> chooseCaptureMode(const std::vector<V4l2CaptureMode> &offered,
                                                 const QSize &requested)
{
    std::optional<V4l2CaptureMode> best;
    const ModeOrder better{requested};
    for (const V4l2CaptureMode &mode : offered) {
        if (!isDecodedFormat(mode.pixelFormat) || mode.size.isEmpty())
            continue;
        // YUYV pairs pixels; an odd width cannot be converted.
        if (mode.pixelFormat == V4L2_PIX_FMT_YUYV && mode.size.width() % 2 != 0)
            continue;
        if (!best || better(mode, *best))
            best = mode;
    }
    return best;
}

std::vector<V4l2CaptureMode> enumerateCaptureModes(V4l2Io &io, int fd, const QSize &requested)
{
    std::vector<V4l2CaptureMode> modes;
    forEachFrameSize(io, fd, [&](uint32_t pixelFormat, const v4l2_frmsizeenum &size) {
        if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            modes.push_back({pixelFormat, QSize(int(size.discrete.width), int(size.discrete.height))});
            return;
        }
        const v4l2_frmsize_stepwise &range = size.stepwise;
        const QSize nearest(
            stepwiseDimension(requested.width(), range.min_width, range.max_width, range.step_width),
            stepwiseDimension(requested.height(), range.min_height, range.max_height, range.step_height));
        const QSize largest(int(range.max_width), int(range.max_height));
        modes.push_back({pixelFormat, nearest});
        if (largest != nearest)
            modes.push_back({pixelFormat, largest});
    });
    return modes;
}

std::vector<V4l2FrameSize> listFrameSizes(V4l2Io &io, int fd)
{
    std::vector<V4l2FrameSize> sizes;
    forEachFrameSize(io, fd, [&](uint32_t pixelFormat, const v4l2_frmsizeenum &size) {
        std::vector<QSize> listed;
        if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            listed.emplace_back(int(size.discrete.width), int(size.discrete.height));
        } else {
            const v4l2_frmsize_stepwise &range = size.stepwise;
            const QSize largest(int(range.max_width), int(range.max_height));
            listed.push_back(largest);
            for (const QSize &common : CommonSizes) {
                if (common != largest
                    && onGrid(common.width(), range.min_width, range.max_width, range.step_width)
                    && onGrid(common.height(), range.min_height, range.max_height, range.step_height))
                    listed.push_back(common);
            }
        }
        for (const QSize &each : listed)
            sizes.push_back({pixelFormat, each, frameRates(io, fd, pixelFormat, each)});
    });
    return sizes;
}

QString describeCaptureMode(const V4l2CaptureMode &mode)
{
    const char fourcc[5] = {char(mode.pixelFormat & 0xff), char((mode.pixelFormat >> 8) & 0xff),
                            char((mode.pixelFormat >> 16) & 0xff), char((mode.pixelFormat >> 24) & 0xff), 0};
    return QStringLiteral("%1 %2x%3")
        .arg(QString::fromLatin1(fourcc))
        .arg(mode.size.width())
        .arg(mode.size.height());
}
