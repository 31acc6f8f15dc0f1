#include "FrameTransform.h"

#include <libyuv/planar_functions.h>
#include <libyuv/rotate_argb.h>
#include <libyuv/scale_argb.h>

#include <algorithm>
#include <cmath>

namespace {

bool is32Bit(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
           || image.format() == QImage::Format_ARGB32_Premultiplied;
}

// Makes `image` a 32-bit image of `size` that this call may write to: its buffer is reused
// unless a previous result is still held elsewhere, in which case it gets a fresh one (never a
// copy of pixels that are about to be overwritten).
uint8_t *writable(QImage &image, const QSize &size, QImage::Format format)
{
    if (image.size() != size || image.format() != format || !image.isDetached())
        image = QImage(size, format);
    return image.bits();
}

const uint8_t *pixelAt(const QImage &image, const QPoint &at)
{
    return image.constBits() + at.y() * image.bytesPerLine() + at.x() * 4;
}

bool mirror(const uint8_t *src, int srcStride, int w, int h, bool hFlipped, bool vFlipped, uint8_t *dst,
            int dstStride)
{
    if (hFlipped && vFlipped)
        return libyuv::ARGBRotate(src, srcStride, dst, dstStride, w, h, libyuv::kRotate180) == 0;
    if (hFlipped)
        return libyuv::ARGBMirror(src, srcStride, dst, dstStride, w, h) == 0;
    // A negative height makes libyuv read the rows bottom up.
    return libyuv::ARGBCopy(src, srcStride, dst, dstStride, w, vFlipped ? -h : h) == 0;
}

} // namespace

QRectF FrameTransform::zoomSourceRect(const QSize &frame, const QSize &output, float zoom, const QPointF &pan)
{
    // Scaling the frame by `zoom` and cropping an output-sized rectangle of the result keeps, in
    // frame pixels, a rectangle of output / zoom.
    const double w = output.width() / double(zoom);
    const double h = output.height() / double(zoom);
    const QPointF centre = clampedPan(frame, output, zoom, pan);
    const QRectF wanted(frame.width() * centre.x() - w * 0.5, frame.height() * centre.y() - h * 0.5, w, h);
    return wanted.intersected(QRectF(QPointF(0, 0), QSizeF(frame)));
}

QPointF FrameTransform::clampedPan(const QSize &frame, const QSize &output, float zoom, const QPointF &pan)
{
    if (frame.isEmpty() || output.isEmpty() || !(zoom > 1.0f))
        return {0.5, 0.5};
    // Half the zoomed part, as a fraction of the frame; at least half the frame means no room.
    const auto clamp = [](double at, double half) {
        if (half >= 0.5 || !std::isfinite(at))
            return 0.5;
        return std::clamp(at, half, 1.0 - half);
    };
    return {clamp(pan.x(), output.width() / double(zoom) / frame.width() * 0.5),
            clamp(pan.y(), output.height() / double(zoom) / frame.height() * 0.5)};
}

QRect FrameTransform::visibleRect(const QSize &frame, const Settings &s)
{
    const QRect whole(QPoint(0, 0), frame);
    if (!zooms(s))
        return whole;
    const QRect source =
        zoomSourceRect(frame, s.outputSize, s.zoom, s.pan).toAlignedRect().intersected(whole);
    return source.isEmpty() ? whole : source;
}

bool FrameTransform::scaleAndMirror(const QImage &in, const QRect &source, bool hFlipped, bool vFlipped,
                                    QImage &out, QImage &scratch)
{
    if (in.isNull() || out.isNull() || !is32Bit(in) || !is32Bit(out) || source.isEmpty()
        || !in.rect().contains(source))
        return false;
    const uint8_t *src = pixelAt(in, source.topLeft());
    const int srcStride = int(in.bytesPerLine());
    const bool mirrors = hFlipped || vFlipped;
    if (source.size() == out.size())
        return mirror(src, srcStride, out.width(), out.height(), hFlipped, vFlipped, out.bits(),
                      int(out.bytesPerLine()));
    const bool up = out.width() >= source.width() || out.height() >= source.height();
    const auto scale = [&](const uint8_t *from, int stride, QImage &to) {
        return libyuv::ARGBScale(from, stride, source.width(), source.height(), to.bits(),
                                 int(to.bytesPerLine()), to.width(), to.height(),
                                 up ? libyuv::kFilterBilinear : libyuv::kFilterBox)
               == 0;
    };
    if (!mirrors)
        return scale(src, srcStride, out);
    // Scaled first, then mirrored: libyuv's bilinear samples are not quite symmetric, so the
    // other order would move pixels by a step or two.
    writable(scratch, out.size(), out.format());
    return scale(src, srcStride, scratch)
           && mirror(scratch.constBits(), int(scratch.bytesPerLine()), out.width(), out.height(), hFlipped,
                     vFlipped, out.bits(), int(out.bytesPerLine()));
}

bool FrameTransform::render(const QImage &in, const QRect &source, const Settings &s, QImage &out,
                            QImage &scratch)
{
    // Both flips are a half turn; what is left is at most one flip.
    bool h = s.hFlipped, v = s.vFlipped;
    int turns = s.quarterTurns;
    if (h && v) {
        h = v = false;
        turns += 2;
    }
    turns = ((turns % 4) + 4) % 4;
    if (turns == 0)
        return scaleAndMirror(in, source, h, v, out, scratch);
    if (in.isNull() || out.isNull() || !is32Bit(in) || !is32Bit(out) || source.isEmpty()
        || !in.rect().contains(source))
        return false;
    // Scaled unturned first, then turned by libyuv; a flip before the turn is the other flip after
    // an odd turn, done in place on the turned picture.
    const QSize unturned = turned(out.size(), turns);
    const uint8_t *from = pixelAt(in, source.topLeft());
    int stride = int(in.bytesPerLine());
    if (source.size() != unturned) {
        writable(scratch, unturned, out.format());
        const bool up = unturned.width() >= source.width() || unturned.height() >= source.height();
        if (libyuv::ARGBScale(from, stride, source.width(), source.height(), scratch.bits(),
                              int(scratch.bytesPerLine()), unturned.width(), unturned.height(),
                              up ? libyuv::kFilterBilinear : libyuv::kFilterBox)
            != 0)
            return false;
        from = scratch.constBits();
        stride = int(scratch.bytesPerLine());
    }
    const libyuv::RotationMode mode = turns == 1   ? libyuv::kRotate90
                                      : turns == 2 ? libyuv::kRotate180
                                                   : libyuv::kRotate270;
    if (libyuv::ARGBRotate(from, stride, out.bits(), int(out.bytesPerLine()), unturned.width(),
                           unturned.height(), mode)
        != 0)
        return false;
    if (h || v)
        out.mirror(turns % 2 ? v : h, turns % 2 ? h : v);
    return true;
}

void FrameTransform::apply(QImage &frame, const Settings &s)
{
    if (frame.isNull())
        return;
    const bool zoom = zooms(s);
    if (!zoom && !s.hFlipped && !s.vFlipped && s.quarterTurns % 4 == 0)
        return;
    if (!is32Bit(frame))
        frame = frame.convertToFormat(QImage::Format_RGB32);
    const QRect source = visibleRect(frame.size(), s);
    writable(result_, shownSize(frame.size(), s), frame.format());
    if (render(frame, source, s, result_, scratch_))
        frame = result_;
}
