#pragma once

#include "CaptureDevice.h"
#include "FrameDecoding.h"
#include "LiveFrame.h"
#include "YuvFrame.h"

#include <QByteArray>
#include <QImage>

#include <array>
#include <atomic>

// The decoding step of the live picture, shared by every capture device: turns a payload into a
// LiveFrame with no more work than the view needs. Of an MJPEG frame only the rows and columns
// the zoom shows are decoded, DCT-scaled while the picture on screen is at most half their size;
// the camera's JPEG is kept with the frame so a snapshot can decode it whole. A whole frame
// shown enlarged, or reduced by less than half, is decoded to Y'CbCr planes with the fast DCT and
// handed over ready to paint at the view's size, mirrored (YuvFrame::present). Pixel buffers
// come from a small pool: a buffer still held by the view or by a snapshot is never written or
// copied, the next free one is taken instead.
//
// Thread: the frame thread; one instance per stream.
class LiveFrameDecoder {
public:
    LiveFrameDecoder();

    // The DCT scale (1, 2, 4 or 8) that still shows `visible` frame pixels at `shown` device
    // pixels without losing detail; 1 when the shown size is not known.
    static int denominatorFor(const QSize &visible, const QSize &shown);

    // The frame to show for `payload`, transformed by `transform`, on `shownSize` device pixels
    // (empty: not known). Null for a frame to drop (corrupt or truncated).
    LiveFrame decode(const FramePayload &payload, const LiveFrame::Transform &transform,
                     const QSize &shownSize);

    // While something takes every frame at full size (a recording), a whole frame shown reduced
    // is decoded to RGB once for both, instead of to planes for the view and again for the
    // full-size picture. Any thread.
    void setWholePictureKept(bool kept) { wholePictureKept_.store(kept, std::memory_order_relaxed); }

    // The whole frame at its output size, as a device's client that wants plain pictures sees
    // it. False for a frame to drop.
    bool decodeWhole(const FramePayload &payload, QImage &out);

private:
    LiveFrame decodeFrame(const FramePayload &payload, const LiveFrame::Transform &transform,
                          const QSize &shownSize);
    QImage &freePicture();
    QByteArray &freeJpeg();
    QByteArray &keepJpeg(const FramePayload &payload);

    FrameDecoding::MjpegDecoder decoder_;
    FrameDecoding::JpegRegionDecoder regionDecoder_;
    YuvFrame yuv_;
    std::atomic<bool> wholePictureKept_{false};
    // Enough for the frame on screen (which the snapshot controller holds too), an older one
    // still being painted, and the next. A frame that finds them all held gets buffers of its
    // own, which go with it.
    std::array<QImage, 3> pictures_;
    std::array<QByteArray, 3> jpegs_;
    QImage spare_;
    QByteArray spareJpeg_;
    QImage scratch_;
};
