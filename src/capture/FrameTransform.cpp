#include "FrameTransform.h"

#include <libyuv/planar_functions.h>
#include <libyuv/rotate_argb.h>
#include <libyuv/scale_argb.h>

#include <cmath>

namespace {

// Makes `scratch` a 32-bit image of `size` that this frame may write to: its buffer is reused
// unless a previous frame is still shared with someone, in which case QImage gives a new one.
uint8_t *writableScratch(QImage &scratch, const QSize &size, QImage::Format format)
{
    if (scratch.size() != size || scratch.format() != format)
        scratch = QImage(size, format);
    return scratch.bits();
}

bool is32Bit(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
           || image.format() == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QRectF FrameTransform::zoomSourceRect(const QSize &frame, const QSize &output, float zoom)
{
    // Scaling the frame by `zoom` and cropping the centred output-sized rectangle of the result
    // keeps, in frame pixels, the centred rectangle of output / zoom.
    const double w = output.width() / double(zoom);
    const double h = output.height() / double(zoom);
    const QRectF wanted((frame.width() - w) * 0.5, (frame.height() - h) * 0.5, w, h);
    return wanted.intersected(QRectF(QPointF(0, 0), QSizeF(frame)));
}

void FrameTransform::apply(QImage &frame, const Settings &s)
{
    if (frame.isNull())
        return;
    const bool zoom = s.zoom > 1.0f && s.outputSize.isValid();
    if (!zoom && !s.hFlipped && !s.vFlipped)
        return;
    if (!is32Bit(frame))
        frame = frame.convertToFormat(QImage::Format_RGB32);

    if (zoom) {
        const QRect source =
            zoomSourceRect(frame.size(), s.outputSize, s.zoom).toAlignedRect().intersected(frame.rect());
        if (!source.isEmpty()) {
            uint8_t *dst = writableScratch(zoomed_, s.outputSize, frame.format());
            const uint8_t *src = frame.constBits() + source.y() * frame.bytesPerLine() + source.x() * 4;
            libyuv::ARGBScale(src, int(frame.bytesPerLine()), source.width(), source.height(), dst,
                              int(zoomed_.bytesPerLine()), zoomed_.width(), zoomed_.height(),
                              libyuv::kFilterBilinear);
            frame = zoomed_;
        }
    }

    if (s.hFlipped || s.vFlipped) {
        const int w = frame.width();
        const int h = frame.height();
        uint8_t *dst = writableScratch(mirrored_, frame.size(), frame.format());
        const uint8_t *src = frame.constBits();
        const int srcStride = int(frame.bytesPerLine());
        const int dstStride = int(mirrored_.bytesPerLine());
        if (s.hFlipped && s.vFlipped)
            libyuv::ARGBRotate(src, srcStride, dst, dstStride, w, h, libyuv::kRotate180);
        else if (s.hFlipped)
            libyuv::ARGBMirror(src, srcStride, dst, dstStride, w, h);
        else // a negative height makes libyuv read the rows bottom up
            libyuv::ARGBCopy(src, srcStride, dst, dstStride, w, -h);
        frame = mirrored_;
    }
}
