#pragma once

#include <QRectF>
#include <QSizeF>

class QRect;

// Window sizing arithmetic, kept free of widgets so it can be checked without a display.
//
// Every function but the two conversions works in screen coordinates with the origin at the
// bottom left and y growing upwards, on window frames (title bar included), with 32-bit float
// arithmetic. So "keeping the top edge" means keeping y + height. The conversions are the one
// place where those coordinates meet Qt's top-left ones.
namespace WindowGeometry {

// The band under the picture: the status line in camera mode, the thumbnail strip in review mode.
constexpr float CameraBand = 20;
constexpr float ReviewBand = 147;
float bandForMode(int mode); // CameraBand for mode 0, ReviewBand for any other

// The shape of the picture the window is sized for (width : height): the camera's frame size,
// 4:3 unless a camera streams another shape.
const QSizeF StandardAspect(4, 3);

// The smallest main window: a 480 × 360 picture plus title bar, toolbar and band.
QSizeF minimumSize(float titleBar, float toolbar, float band);

// The main window frame for a view `viewWidth` wide after a mode change: the picture area under
// title bar and toolbar and above the band keeps the picture's aspect at that width. A window
// taller than the visible area is cut to its height and narrowed to keep the aspect. The top
// edge stays unless that would push the window below the visible area; the left edge stays.
QRectF modeChangeFrame(const QRectF &frame, const QRectF &visible, float titleBar, float toolbar,
                       float viewWidth, float band, const QSizeF &aspect = StandardAspect);

// The frame size to use while the user resizes: the proposed height (at most the visible
// height) decides, the width follows from the aspect; the proposed width plays no part. For a
// picture of another shape than 4:3, a width beyond the visible area's gives way to the visible
// width, the height following it.
QSizeF liveResizeSize(const QSizeF &proposed, const QRectF &visible, float titleBar, float toolbar,
                      float band, const QSizeF &aspect = StandardAspect);

// The frame for zooming the window: the live-resize size of the default frame, at the default
// frame's y and the window's current x, moved left when it would pass the visible area's right
// edge.
QRectF zoomFrame(float currentX, const QRectF &defaultFrame, const QRectF &visible, float titleBar,
                 float toolbar, float band, const QSizeF &aspect = StandardAspect);

// The floating mode window's frame: its right edge on the main window's left edge, its top 100
// below the main window's top.
QRectF modeWindowFrame(const QRectF &mainFrame, const QSizeF &modeWindowSize);

// The window frame that shows content of the given size as the whole content under the toolbar
// and the title bar, keeping the frame's top-left corner: it grows or shrinks downwards and to
// the right.
QRectF frameForContent(const QRectF &frame, const QSizeF &content, float toolbar, float titleBar);

// Where a window of `size` opens over the window it was opened from (`opener`): centred across
// it, its top an eighth of the opener's height below the opener's top, and moved inside the
// visible area; a window taller than the visible area keeps its top on the area's top.
QRectF frameOverOpener(const QRectF &opener, const QSizeF &size, const QRectF &visible);

// Between Qt's top-left coordinates and the screen coordinates above, for the screen whose
// available (work-area) geometry in Qt coordinates is `available`: x is kept and y is mirrored so
// that the available area's bottom edge is y = 0. The mapping is its own inverse.
QRectF toScreen(const QRectF &qtRect, const QRect &available);
QRectF toQt(const QRectF &screenRect, const QRect &available);

// The available area itself in screen coordinates: (available.x, 0, width, height).
QRectF visibleFrame(const QRect &available);

// The main window's place kept between runs, as the settings hold it: "x,y,width,height" of
// its client area in Qt coordinates. Text that does not read as four numbers with a size of
// at least 1 × 1 is damaged and gives a null rectangle.
QString rectText(const QRect &rect);
QRect parseRect(const QString &text);

// A kept window place on the screens there are now (`available`: their work areas, in Qt
// coordinates): on the screen it overlaps most (the first screen when it overlaps none), cut to
// that screen's size and moved inside it, at least `minimum` large. Null for a null place or
// no screen.
QRect restoredRect(const QRect &saved, const QList<QRect> &available, const QSize &minimum);

} // namespace WindowGeometry
