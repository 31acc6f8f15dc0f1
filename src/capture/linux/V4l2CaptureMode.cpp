#include "V4l2CaptureMode.h"

#include "V4l2Io.h"

#include <QString>

#include <algorithm>
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
            if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
                modes.push_back(
                    {format.pixelformat, QSize(int(size.discrete.width), int(size.discrete.height))});
                continue;
            }
            const v4l2_frmsize_stepwise &range = size.stepwise;
            const QSize nearest(
                stepwiseDimension(requested.width(), range.min_width, range.max_width, range.step_width),
                stepwiseDimension(requested.height(), range.min_height, range.max_height, range.step_height));
            const QSize largest(int(range.max_width), int(range.max_height));
            modes.push_back({format.pixelformat, nearest});
            if (largest != nearest)
                modes.push_back({format.pixelformat, largest});
            break; // a range is the only entry of its format
        }
    }
    return modes;
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
