#include "PictureFreeze.h"

bool PictureFreeze::freeze(const LiveFrame &shown)
{
    if (frozen_)
        return true;
    // A copy of its own: the decoder's buffers go back to the stream.
    const QImage whole = shown.fullFrame().copy();
    if (whole.isNull())
        return false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = whole;
    }
    frozen_ = true;
    emit frozenChanged(true);
    return true;
}

void PictureFreeze::release()
{
    if (!frozen_.exchange(false))
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = QImage();
    }
    emit frozenChanged(false);
}

LiveFrame PictureFreeze::frameWith(const LiveFrame::Transform &transform) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (held_.isNull())
        return {};
    return LiveFrame(held_, transform);
}

QSize PictureFreeze::frozenSize() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return held_.size();
}
