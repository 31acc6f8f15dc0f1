#include "LiveFrame.h"

#include "FrameDecoding.h"

#include <mutex>

struct LiveFrame::Data {
    QImage picture;
    QRect region; // of the frame, in frame pixels, that the picture shows
    int denominator = 1;
    QSize frameSize;
    QByteArray jpeg;
    Transform transform;
    Picture kind = Picture::Exact;
    // The rendered picture, made once however many snapshots take this frame.
    mutable std::mutex renderMutex;
    mutable QImage rendered;
};

LiveFrame::LiveFrame(const QImage &picture, const Transform &transform)
    : LiveFrame(picture, picture.rect(), 1, picture.size(), {}, transform)
{}

LiveFrame::LiveFrame(const QImage &picture, const QRect &region, int denominator, const QSize &frameSize,
                     const QByteArray &jpeg, const Transform &transform)
    : LiveFrame(picture, region, denominator, frameSize, jpeg, transform, Picture::Exact)
{}

LiveFrame::LiveFrame(const QImage &picture, const QRect &region, int denominator, const QSize &frameSize,
                     const QByteArray &jpeg, const Transform &transform, Picture kind)
{
    if (picture.isNull())
        return;
    auto data = std::make_shared<Data>();
    data->picture = picture;
    data->region = region;
    data->denominator = denominator;
    data->frameSize = frameSize;
    data->jpeg = jpeg;
    data->transform = transform;
    data->kind = kind;
    d_ = std::move(data);
}

LiveFrame LiveFrame::stamped(TimePoint shownAt, const QSize &requestedSize) const
{
    LiveFrame frame = *this;
    frame.shownAt_ = shownAt;
    frame.requestedSize_ = requestedSize;
    return frame;
}

QSize LiveFrame::frameSize() const
{
    return d_ ? d_->frameSize : QSize();
}

LiveFrame::Transform LiveFrame::transform() const
{
    return d_ ? d_->transform : Transform();
}

QImage LiveFrame::picture() const
{
    return d_ ? d_->picture : QImage();
}

QRect LiveFrame::pictureRegion() const
{
    return d_ ? d_->region : QRect();
}

int LiveFrame::denominator() const
{
    return d_ ? d_->denominator : 1;
}

QByteArray LiveFrame::jpeg() const
{
    return d_ ? d_->jpeg : QByteArray();
}

bool LiveFrame::isPresented() const
{
    return d_ && d_->kind == Picture::Presented;
}

QSize LiveFrame::shownSize() const
{
    if (!d_)
        return {};
    return FrameTransform::shownSize(d_->frameSize, d_->transform);
}

QRect LiveFrame::visibleRect() const
{
    return d_ ? FrameTransform::visibleRect(d_->frameSize, d_->transform) : QRect();
}

QRect LiveFrame::visiblePictureRect() const
{
    if (!d_)
        return {};
    if (d_->kind == Picture::Presented)
        return d_->picture.rect();
    const QRect visible = visibleRect().intersected(d_->region).translated(-d_->region.topLeft());
    const int n = d_->denominator;
    if (n == 1)
        return visible.intersected(d_->picture.rect());
    // Rounded outwards to whole picture pixels.
    const QRect scaled(QPoint(visible.left() / n, visible.top() / n),
                       QPoint((visible.right() + n) / n - 1, (visible.bottom() + n) / n - 1));
    return scaled.intersected(d_->picture.rect());
}

QImage LiveFrame::fullFrame() const
{
    if (!d_)
        return {};
    if (d_->kind == Picture::Exact && d_->denominator == 1
        && d_->region == QRect(QPoint(0, 0), d_->frameSize))
        return d_->picture;
    const FrameDecoding::MjpegDecoder decoder = FrameDecoding::makeMjpegDecoder();
    QImage frame;
    if (!FrameDecoding::decodeMjpegFrame(decoder.get(),
                                         reinterpret_cast<const uint8_t *>(d_->jpeg.constData()),
                                         size_t(d_->jpeg.size()), frame))
        return {};
    return frame;
}

QImage LiveFrame::render() const
{
    if (!d_)
        return {};
    std::lock_guard<std::mutex> lock(d_->renderMutex);
    if (d_->rendered.isNull()) {
        QImage frame = fullFrame();
        FrameTransform().apply(frame, d_->transform);
        d_->rendered = frame;
    }
    return d_->rendered;
}
