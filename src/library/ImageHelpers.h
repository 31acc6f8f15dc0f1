#pragma once

#include <QImage>
#include <QList>
#include <QModelIndexList>
#include <QSize>

#include <set>

// Picture helpers used by the review mode and the photo viewer, and the smallest and largest
// index of a selection. Pure functions; any thread.
namespace ImageHelpers {

// `image` turned by `degrees`; a positive angle turns it counter-clockwise, as seen on screen.
//
// A whole multiple of 360 (0 and negative multiples included) gives `image` itself: the result
// shares its data, nothing is copied. A multiple of 90 is an exact pixel permutation (no
// resampling): 90 and -90 swap width and height. Any other angle gives a transparent picture of
// the bounding size, (w·c + h·s) × (w·s + h·c) with c = |cos a| and s = |sin a|, each rounded to
// the nearest whole pixel, with the picture drawn smoothly in its centre. Rounding to nearest
// (not up) keeps a 45° turn of a square of side a at a·√2 rounded, and keeps floating-point dust
// from adding a pixel.
QImage rotateByAngle(const QImage &image, int degrees);

// The bounding size of `size` turned by `degrees`, rounded as rotateByAngle() does.
QSize rotatedSize(const QSize &size, int degrees);

// An empty, fully transparent picture of `size` (ARGB32 premultiplied), to draw into.
QImage imageWithSize(const QSize &size);

// `image` in the format the painting code draws fastest (ARGB32 premultiplied); shared, not
// copied, when it is in that format already. A null image gives a null image.
QImage imageForDrawing(const QImage &image);

// The value returned by minValue() and maxValue() for an empty selection.
constexpr int NotFound = 2147483647;

// The smallest and the largest index, or NotFound when there is none.
int minValue(const std::set<int> &indexes);
int maxValue(const std::set<int> &indexes);
int minValue(const QList<int> &indexes);
int maxValue(const QList<int> &indexes);
// Rows of a view's selection (QItemSelectionModel::selectedIndexes()); invalid indexes are
// skipped.
int minValue(const QModelIndexList &indexes);
int maxValue(const QModelIndexList &indexes);

} // namespace ImageHelpers
