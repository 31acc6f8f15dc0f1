#include "YuvFrame.h"

#include "FrameDecoding.h"

#include <libyuv/convert_argb.h>
#include <libyuv/planar_functions.h>
#include <libyuv/scale.h>
#include <libyuv/scale_argb.h>

#include <limits>

void YuvFrame::Plane::prepare(const QSize &planeSize)
{
    size = planeSize;
    stride = (planeSize.width() + 31) & ~31; // row starts aligned for libyuv's vector paths
    const size_t bytesNeeded = size_t(stride) * size_t(planeSize.height());
    if (bytes.size() < bytesNeeded)
        bytes.resize(bytesNeeded);
}

bool YuvFrame::decodeJpeg(tjhandle decoder, const uint8_t *data, size_t size, int denominator)
{
    if (!decoder || !data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return false;
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8)
        return false;
    int width = 0;
    int height = 0;
    int subsampling = 0;
    if (!FrameDecoding::readJpegHeader(decoder, data, size, &width, &height, &subsampling)
        || subsampling == TJSAMP_GRAY)
        return false;
    const tjscalingfactor factor{1, denominator};
    const int scaledWidth = TJSCALED(width, factor);
    const int scaledHeight = TJSCALED(height, factor);
    unsigned char *planes[3];
    int strides[3];
    for (int i = 0; i < 3; ++i) {
        const QSize planeSize(tjPlaneWidth(i, scaledWidth, subsampling),
                              tjPlaneHeight(i, scaledHeight, subsampling));
        if (planeSize.isEmpty())
            return false;
        frame_[size_t(i)].prepare(planeSize);
        planes[i] = frame_[size_t(i)].data();
        strides[i] = frame_[size_t(i)].stride;
    }
    size_ = QSize(scaledWidth, scaledHeight);
    return tjDecompressToYUVPlanes(decoder, data, static_cast<unsigned long>(size), planes, scaledWidth,
                                   strides, scaledHeight, TJFLAG_FASTDCT | TJFLAG_STOPONWARNING)
           == 0;
}

bool YuvFrame::present(const QRect &source, bool hFlipped, bool vFlipped, QImage &out)
{
    if (out.isNull() || source.isEmpty() || !QRect(QPoint(0, 0), size_).contains(source)
        || (out.format() != QImage::Format_RGB32 && out.format() != QImage::Format_ARGB32))
        return false;
    const QSize shown = out.size();
    if (shown.width() > source.width() && shown.height() > source.height())
        return enlarge(source, hFlipped, vFlipped, out);
    const QSize chroma((shown.width() + 1) / 2, (shown.height() + 1) / 2);
    for (size_t i = 0; i < 3; ++i) {
        const Plane &from = frame_[i];
        Plane &to = hFlipped ? scaled_[i] : mirrored_[i];
        to.prepare(i == 0 ? shown : chroma);
        // The part of this plane under `source`: the colour planes are subsampled.
        const double sx = double(from.size.width()) / size_.width();
        const double sy = double(from.size.height()) / size_.height();
        const int left = int(source.left() * sx);
        const int top = int(source.top() * sy);
        const int width = std::max(1, std::min(from.size.width() - left, int(source.width() * sx + 0.5)));
        const int height = std::max(1, std::min(from.size.height() - top, int(source.height() * sy + 0.5)));
        // A negative height reads the rows bottom up: the vertical flip costs nothing.
        const bool up = to.size.width() > width || to.size.height() > height;
        libyuv::ScalePlane(from.bytes.data() + size_t(top) * size_t(from.stride) + size_t(left), from.stride,
                           width, vFlipped ? -height : height, to.data(), to.stride, to.size.width(),
                           to.size.height(), up ? libyuv::kFilterBilinear : libyuv::kFilterBox);
        if (hFlipped) {
            mirrored_[i].prepare(to.size);
            libyuv::MirrorPlane(to.data(), to.stride, mirrored_[i].data(), mirrored_[i].stride,
                                to.size.width(), to.size.height());
        }
    }
    uchar *pixels = out.bits();
    if (!pixels)
        return false;
    // JPEG's colours are full-range BT.601; libyuv's ARGB is QImage's 32-bit layout.
    return libyuv::I420ToARGBMatrix(mirrored_[0].data(), mirrored_[0].stride, mirrored_[1].data(),
                                    mirrored_[1].stride, mirrored_[2].data(), mirrored_[2].stride, pixels,
                                    int(out.bytesPerLine()), &libyuv::kYuvJPEGConstants, shown.width(),
                                    shown.height())
           == 0;
}

bool YuvFrame::enlarge(const QRect &source, bool hFlipped, bool vFlipped, QImage &out)
{
    const Plane &luma = frame_[0];
    if (frame_[1].size != frame_[2].size || frame_[1].size.isEmpty())
        return false;
    // 4:2:0, 4:2:2 or 4:4:4: colour planes of half or the whole width and height.
    const bool halfWide =
        frame_[1].size.width() * 2 >= luma.size.width() && frame_[1].size.width() < luma.size.width();
    const bool halfHigh =
        frame_[1].size.height() * 2 >= luma.size.height() && frame_[1].size.height() < luma.size.height();
    if ((!halfWide && frame_[1].size.width() != luma.size.width())
        || (!halfHigh && frame_[1].size.height() != luma.size.height()) || (halfHigh && !halfWide))
        return false;
    std::array<const uint8_t *, 3> planes{};
    std::array<int, 3> strides{};
    for (size_t i = 0; i < 3; ++i) {
        Plane &from = frame_[i];
        const int sx = i > 0 && halfWide ? 2 : 1;
        const int sy = i > 0 && halfHigh ? 2 : 1;
        // Whole subsampled pixels: the part starts on an even luma pixel where the colour is halved.
        const QRect part(source.left() / sx, source.top() / sy, (source.width() + sx - 1) / sx,
                         (source.height() + sy - 1) / sy);
        const uint8_t *at = from.data() + size_t(part.top()) * size_t(from.stride) + size_t(part.left());
        if (hFlipped) {
            Plane &to = mirrored_[i];
            to.prepare(part.size());
            libyuv::MirrorPlane(at, from.stride, to.data(), to.stride, part.width(), part.height());
            at = to.data();
        }
        planes[i] = at;
        strides[i] = hFlipped ? mirrored_[i].stride : from.stride;
    }
    if (rgb_.size() != source.size())
        rgb_ = QImage(source.size(), QImage::Format_RGB32);
    if (rgb_.isNull())
        return false;
    const auto convert = !halfWide  ? libyuv::I444ToARGBMatrix
                         : halfHigh ? libyuv::I420ToARGBMatrix
                                    : libyuv::I422ToARGBMatrix;
    uchar *pixels = out.bits();
    // JPEG's colours are full-range BT.601; a negative height reads the rows bottom up.
    return pixels
           && convert(planes[0], strides[0], planes[1], strides[1], planes[2], strides[2], rgb_.bits(),
                      int(rgb_.bytesPerLine()), &libyuv::kYuvJPEGConstants, source.width(), source.height())
                  == 0
           && libyuv::ARGBScale(rgb_.constBits(), int(rgb_.bytesPerLine()), source.width(),
                                vFlipped ? -source.height() : source.height(), pixels,
                                int(out.bytesPerLine()), out.width(), out.height(), libyuv::kFilterBilinear)
                  == 0;
}
