#include "LiveFrameDecoder.h"

#include <cstring>

namespace {

// Converts or decodes the whole payload into `out` at the stream's own size.
bool decodeAsSent(const FramePayload &payload, tjhandle decoder, QImage &out)
{
    switch (payload.format) {
    case FramePayload::Format::Mjpeg:
        return FrameDecoding::decodeMjpegFrame(decoder, payload.data, payload.length, out);
    case FramePayload::Format::Yuyv:
        return FrameDecoding::convertYuyvFrame(payload.data, payload.length, payload.bytesPerLine,
                                               payload.size, out);
    case FramePayload::Format::Rgb32:
        if (payload.image.isNull())
            return false;
        out =
            payload.image.format() == QImage::Format_RGB32 || payload.image.format() == QImage::Format_ARGB32
                ? payload.image
                : payload.image.convertToFormat(QImage::Format_RGB32);
        return true;
    }
    return false;
}

} // namespace

LiveFrameDecoder::LiveFrameDecoder() : decoder_(FrameDecoding::makeMjpegDecoder()) {}

int LiveFrameDecoder::denominatorFor(const QSize &visible, const QSize &shown)
{
    if (shown.isEmpty() || visible.isEmpty())
        return 1;
    for (int n : {8, 4, 2}) {
        if (visible.width() >= shown.width() * n && visible.height() >= shown.height() * n)
            return n;
    }
    return 1;
}

QImage &LiveFrameDecoder::freePicture()
{
    for (QImage &picture : pictures_) {
        if (picture.isNull() || picture.isDetached())
            return picture;
    }
    spare_ = QImage(); // every pooled buffer is held: this frame gets a buffer of its own
    return spare_;
}

QByteArray &LiveFrameDecoder::freeJpeg()
{
    for (QByteArray &jpeg : jpegs_) {
        if (jpeg.isNull() || jpeg.isDetached())
            return jpeg;
    }
    spareJpeg_ = QByteArray();
    return spareJpeg_;
}

bool LiveFrameDecoder::decodeWhole(const FramePayload &payload, QImage &out)
{
    QSize sent;
    switch (payload.format) {
    case FramePayload::Format::Mjpeg:
        sent = regionDecoder_.imageSize(payload.data, payload.length);
        break;
    case FramePayload::Format::Yuyv:
        sent = payload.size;
        break;
    case FramePayload::Format::Rgb32:
        sent = payload.image.size();
        break;
    }
    const QSize output = payload.outputSize;
    if (output.isEmpty() || sent == output)
        return decodeAsSent(payload, decoder_.get(), out);
    if (!decodeAsSent(payload, decoder_.get(), scratch_))
        return false;
    FrameDecoding::prepareFrame(out, output);
    return FrameDecoding::scaleFrame(scratch_, out);
}

QByteArray &LiveFrameDecoder::keepJpeg(const FramePayload &payload)
{
    QByteArray &jpeg = freeJpeg();
    jpeg.resize(qsizetype(payload.length));
    std::memcpy(jpeg.data(), payload.data, payload.length);
    return jpeg;
}

LiveFrame LiveFrameDecoder::decode(const FramePayload &payload, const LiveFrame::Transform &transform,
                                   const QSize &shownSize)
{
    LiveFrame frame = decodeFrame(payload, transform, shownSize);
    spare_ = QImage(); // buffers outside the pool belong to their frame alone
    spareJpeg_ = QByteArray();
    return frame;
}

LiveFrame LiveFrameDecoder::decodeFrame(const FramePayload &payload, const LiveFrame::Transform &transform,
                                        const QSize &shownSize)
{
    const QSize output = payload.outputSize;
    if (payload.format == FramePayload::Format::Mjpeg && !output.isEmpty()) {
        const QSize size = regionDecoder_.imageSize(payload.data, payload.length);
        if (size.isEmpty())
            return {};
        if (size == output) {
            const QRect whole(QPoint(0, 0), size);
            const QRect visible = FrameTransform::visibleRect(size, transform);
            // The view's area as the unturned picture sees it.
            const QSize area = FrameTransform::turned(shownSize, transform.quarterTurns);
            const QSize shown = visible.size().scaled(area, Qt::KeepAspectRatio);
            const int n = denominatorFor(visible.size(), shownSize.isEmpty() ? QSize() : shown);
            // Shown smaller than the part it shows, the picture averages away what the fast DCT
            // gets a step or two off; shown larger, a step or two is as little to see in a
            // moving picture. Photos decode the kept JPEG accurately. The view's size is the one
            // the frame thread last saw: after a resize, the view scales the picture.
            const bool reduced =
                !area.isEmpty() && shown.width() < visible.width() && shown.height() < visible.height();
            const bool enlarged =
                !area.isEmpty() && shown.width() > visible.width() && shown.height() > visible.height();
            QImage &picture = freePicture();
            const int turns = transform.quarterTurns % 4;
            if ((reduced || enlarged) && n == 1 && visible == whole && (turns == 0 || turns == 2)
                && !wholePictureKept_.load(std::memory_order_relaxed)) {
                // Decoded to planes and handed over at the view's size, mirrored (YuvFrame::present).
                // A half turn is both flips. A DCT-scaled decode is small already: scaling its
                // RGB costs less than scaling three planes.
                const bool h = transform.hFlipped != (turns == 2);
                const bool v = transform.vFlipped != (turns == 2);
                if (yuv_.decodeJpeg(decoder_.get(), payload.data, payload.length, n)) {
                    FrameDecoding::prepareFrame(picture, shown);
                    if (yuv_.present(QRect(QPoint(0, 0), yuv_.size()), h, v, picture))
                        return LiveFrame(picture, whole, n, size, keepJpeg(payload), transform,
                                         LiveFrame::Picture::Presented);
                }
                // A grey JPEG has no planes to keep; a damaged one fails below as well.
            }
            if (visible == whole && n == 1) {
                if (!FrameDecoding::decodeMjpegFrame(decoder_.get(), payload.data, payload.length, picture))
                    return {};
                return LiveFrame(picture, transform);
            }
            QRect decoded;
            if (!regionDecoder_.decode(payload.data, payload.length, visible, n, picture, &decoded))
                return {};
            // The camera's JPEG stays with the frame, for a snapshot to decode at full size.
            return LiveFrame(picture, decoded, n, size, keepJpeg(payload), transform);
        }
    }
    // YUYV (small frames, converted whole), pictures, and frames of another size than asked for.
    QImage &picture = freePicture();
    if (!decodeWhole(payload, picture))
        return {};
    return LiveFrame(picture, transform);
}
