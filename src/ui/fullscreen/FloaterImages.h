#pragma once

#include <QPixmap>
#include <QString>

// The pictures of the floating controls, by name. The countdown ("0" to "10") and the exposure
// read-out ("Exp-+2" to "Exp--2" for signed steps, "Exp-1" to "Exp-15" for plain levels) are
// drawn here: white figures on a translucent dark backing, readable over a white page and over
// a dark desk alike. Every other name is one of the application's SVG pictures (LumoImages). An
// unknown name gives a null pixmap. Main thread.
namespace FloaterImages {

QPixmap named(const QString &name);

} // namespace FloaterImages
