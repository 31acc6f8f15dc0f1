#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <limits>

// Where the floating controls sit over the picture, kept free of widgets so it can be checked
// without a display.
//
// Everything is in the coordinates of the widget that shows the picture (the "parent"), with the
// origin at the bottom left and y growing upwards, in 32-bit float arithmetic. Each function
// answers a floater's frame origin (its bottom-left corner) from the parent's frame and the
// floater's own size.
//
//   +--------------------------------------------------------------+
//   |            [ zoom | exposure | AE | timer | size | mirror ] (x)|   full screen only,
//   |                                                              |   centred 50 below the top
//   |                            -+-                               |   focus cross: centred
//   |                                                              |
//   |                          [exposure]      (snapshot)  [3]     |   tops 70 above the bottom
//   +--------------------------------------------------------------+
//
// The snapshot button, its focus-mode background and the focus button share one centre line 95
// left of the right reference R, the countdown's centre lies 35 left of R. In a window R is the
// parent's right edge; full screen, it is the right edge of the picture as it fills the screen
// in its own aspect (4:3 unless the camera streams another shape), centred on the screen, so the
// buttons stay on the picture rather than on the black bands beside it.
namespace FloaterGeometry {

enum class Floater {
    FocusCross,      // centred on the parent
    FocusBackground, // the focus-mode background behind the snapshot button
    Snapshot,        // on its background: the same origin for the same size
    FocusButton,
    Countdown,
    Exposure,      // the exposure read-out's resting place
    ExposureShown, // where the read-out shows a new value: 20 higher
};

// Where the picture lies in the parent: the parent itself in a window; full screen, as tall as
// the screen and centred across it. A picture of another shape than 4:3 that would then be wider
// than the screen is as wide as the screen and centred vertically: the buttons sit on its bottom
// edge, the strip and the close button below its top edge.
QRectF pictureFrame(const QRectF &parent, bool fullScreen, const QSizeF &aspect = QSizeF(4, 3));

// R, as an offset from the parent's left edge, for a picture of `aspect` (width : height).
float rightReference(const QRectF &parent, bool fullScreen, const QSizeF &aspect = QSizeF(4, 3));

QPointF origin(Floater floater, const QRectF &parent, const QSizeF &size, bool fullScreen,
               const QSizeF &aspect = QSizeF(4, 3));

// The close button: its right edge on the focus background's right edge, its vertical centre 50
// below the parent's top.
QPointF closeOrigin(const QRectF &parent, const QSizeF &size, const QRectF &focusBackground);

// The strip of pop-ups: centred, its vertical centre 50 below the parent's top. On a narrow
// picture (a portrait one) it moves left so that it ends 8 before `closeLeft`, the close
// button's left edge, but not past the parent's left edge.
QPointF stripOrigin(const QRectF &parent, const QSizeF &size,
                    float closeLeft = std::numeric_limits<float>::infinity());

// The strip's items side by side from x = 0 with `gap` between them: each item's x, and the
// width of the whole row.
struct Row {
    QList<float> x;
    float width = 0;
};
Row stripRow(const QList<float> &itemWidths, float gap = 5);

// The focus cross's picture at a zoom factor: half the source size times the factor.
QSizeF crossSize(const QSizeF &source, float zoomFactor);

} // namespace FloaterGeometry
