#pragma once

#include "LiveFrame.h"

#include <QImage>
#include <QObject>

#include <atomic>
#include <mutex>

// Holds the live picture still while the camera keeps streaming. Freezing keeps the whole frame
// shown at that moment (not only the part the zoom showed), so the zoom and mirroring of the
// live picture still act on it: each frame the camera sends while frozen is shown and published
// as the held frame with that frame's own transform and time. The held frame is let go when the
// stream it came from ends (camera change, unplug) or its size changes.
//
// Threads: freeze() and release() on the main thread; isFrozen() and frameWith() anywhere.
class PictureFreeze : public QObject {
    Q_OBJECT
public:
    explicit PictureFreeze(QObject *parent = nullptr) : QObject(parent) {}

    bool isFrozen() const { return frozen_; }
    // Holds `shown`'s whole picture. False, and nothing held, when there is no picture to hold.
    bool freeze(const LiveFrame &shown);
    void release();
    // The held picture shown with `transform`; null when nothing is held.
    LiveFrame frameWith(const LiveFrame::Transform &transform) const;
    QSize frozenSize() const;

signals:
    void frozenChanged(bool frozen);

private:
    mutable std::mutex mutex_;
    QImage held_;
    std::atomic<bool> frozen_{false};
};
