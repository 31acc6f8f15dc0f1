#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class V4l2Io;

// One picture format and frame size a camera can stream in.
struct V4l2CaptureMode {
    uint32_t pixelFormat = 0; // V4L2_PIX_FMT_MJPEG or V4L2_PIX_FMT_YUYV
    QSize size;

    bool operator==(const V4l2CaptureMode &other) const
    {
        return pixelFormat == other.pixelFormat && size == other.size;
    }
    bool operator!=(const V4l2CaptureMode &other) const { return !(*this == other); }
};

// The mode to stream in for frames of `requested` size, among `offered`, or none when no mode has
// a format this back end decodes. Closeness of size comes first, so the picture loses as little
// detail as possible: the exact size; else the smallest size at least as large in both directions
// (scaled down); else the largest size (scaled up). Between modes of the same size, MJPEG is
// taken before YUYV: it carries a large frame at the full rate over USB 2.0.
std::optional<V4l2CaptureMode> chooseCaptureMode(const std::vector<V4l2CaptureMode> &offered,
                                                 const QSize &requested);

// The modes the open node `fd` offers in MJPEG and YUYV (VIDIOC_ENUM_FMT, VIDIOC_ENUM_FRAMESIZES).
// A stepwise or continuous size range contributes its largest size and the size nearest to
// `requested` that it can make.
std::vector<V4l2CaptureMode> enumerateCaptureModes(V4l2Io &io, int fd, const QSize &requested);

// One size a node streams in one format, with its frame rates in frames per second, highest
// first (empty when the node does not say).
struct V4l2FrameSize {
    uint32_t pixelFormat = 0;
    QSize size;
    std::vector<uint32_t> frameRates;

    bool operator==(const V4l2FrameSize &other) const
    {
        return pixelFormat == other.pixelFormat && size == other.size && frameRates == other.frameRates;
    }
};

// Every size the open node `fd` offers in MJPEG and YUYV, for the user to choose from, with its
// rates (VIDIOC_ENUM_FRAMEINTERVALS). Discrete sizes are listed as the node gives them; a
// stepwise or continuous range gives the common picture sizes that lie on its grid, and its
// largest size. Rates of a range of intervals are the common rates within it and its highest.
std::vector<V4l2FrameSize> listFrameSizes(V4l2Io &io, int fd);

// "MJPG 1600x1200", for the log.
QString describeCaptureMode(const V4l2CaptureMode &mode);
