#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <cstdint>

// The picture a virtual camera shows: a printed page on a grey desk (border, title, lines of
// text and a ruled area) with a moving part, so that a stalled or repeated stream is visible at a
// glance: a coloured disc that travels along the ruled lines, a clock hand that turns once every
// 60 frames, and the frame number.
//
// The page is painted once, in the constructor; each frame copies it and paints only the moving
// part, which keeps even 1600 x 1200 frames cheap.
//
// Threads: any, one at a time.
class SyntheticPage {
public:
    SyntheticPage(const QSize &size, const QString &caption);

    QSize size() const { return page_.size(); }

    // Frame `number` into `frame` (RGB32, the page's size).
    void renderFrame(uint64_t number, QImage &frame) const;

    // Where the disc's centre is in frame `number`, in frame pixels.
    QPointF discCentre(uint64_t number) const;
    QRectF ruledArea() const { return ruled_; }

    static constexpr int DiscStepsPerLine = 90;

private:
    QImage page_;
    QRectF ruled_;
    int ruledLines_ = 1;
    qreal ruleSpacing_ = 1;
    QRectF clock_;
    QRectF counter_;
    qreal discRadius_ = 1;
};
