#pragma once

#include <QList>
#include <QSize>
#include <QString>

class LumoCamera;

// The picture sizes the resolution pop-ups offer for one camera: the fixed output table of the
// maker's software for a camera that has it (toPhotoOutputSize(), in its order), else each size
// the camera streams, once, largest first. Also how a chosen size is kept and found again.
class ResolutionChoices {
public:
    // The choices of `camera`; without a camera, the output table.
    static ResolutionChoices forCamera(const LumoCamera *camera);
    static ResolutionChoices outputTable();
    // Each size once, largest (by area, then width) first; empty sizes are left out.
    static ResolutionChoices ofSizes(const QList<QSize> &sizes);

    const QList<QSize> &sizes() const { return sizes_; }
    // Whether a chosen size is kept in the settings by its position in the output table (the
    // cameras that have one) rather than as the size itself.
    bool keptByIndex() const { return keptByIndex_; }
    bool isEmpty() const { return sizes_.isEmpty(); }

    // The entry title of a size: "1920×1080".
    static QString title(const QSize &size);
    QStringList titles() const;

    // The position of `size` in sizes(), or -1.
    int indexOf(const QSize &size) const { return int(sizes_.indexOf(size)); }
    // The offered size nearest to `wanted`: the size itself when offered; else, among the sizes
    // of the same shape (aspect within 1%) when there are any, the one closest in area, the
    // larger of two equally close. An invalid size when nothing is offered.
    QSize nearest(const QSize &wanted) const;
    // The size a camera starts at when nothing was saved for it: the one nearest 1280×960.
    QSize defaultSize() const;

    bool operator==(const ResolutionChoices &other) const
    {
        return keptByIndex_ == other.keptByIndex_ && sizes_ == other.sizes_;
    }
    bool operator!=(const ResolutionChoices &other) const { return !(*this == other); }

private:
    QList<QSize> sizes_;
    bool keptByIndex_ = false;
};
