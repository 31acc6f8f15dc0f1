#pragma once

#include <QRect>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <memory>

// The live picture as a GStreamer application would make it, for the benchmark to set Arvo's path
// against: `appsrc ! jpegdec ! videocrop ! videoscale ! videoflip ! appsink` for MJPEG, and for
// YUYV the same without the decoder and with a conversion to BGRx at the end, as a window needs.
// One frame at a time: process() pushes a frame and waits for the picture that comes out.
//
// Threads: the caller's, and the pipeline's own streaming thread while process() waits.
class GstLivePipeline {
public:
    enum class Input { Mjpeg, Yuyv };

    // Frames of `frame` pixels, cropped to `crop`, scaled to `output` and mirrored left-right.
    GstLivePipeline(Input input, const QSize &frame, const QRect &crop, const QSize &output);
    ~GstLivePipeline();
    GstLivePipeline(const GstLivePipeline &) = delete;
    GstLivePipeline &operator=(const GstLivePipeline &) = delete;

    bool isValid() const;
    // The picture's size in bytes, or 0 when no picture came out.
    size_t process(const uint8_t *data, size_t size);

private:
    struct State;
    std::unique_ptr<State> state_;
};
