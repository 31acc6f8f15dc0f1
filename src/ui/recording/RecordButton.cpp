#include "RecordButton.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int PlateGap = 8;
constexpr int PlatePadding = 10;
constexpr int DotDiameter = 18;
constexpr int StopSide = 16;

} // namespace

const QColor &RecordButton::recordingRed()
{
    static const QColor red(220, 38, 38);
    return red;
}

QIcon RecordButton::icon(bool recording)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(recordingRed().darker(140), side / 16.0));
        painter.setBrush(recordingRed());
        const qreal margin = side * (recording ? 0.25 : 0.2);
        const QRectF shape(margin, margin, side - 2 * margin, side - 2 * margin);
        if (recording)
            painter.drawRoundedRect(shape, side / 10.0, side / 10.0);
        else
            painter.drawEllipse(shape);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

RecordButton::RecordButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it in project mode; Space presses it.
    setFocusPolicy(Qt::TabFocus);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    setFont(bold);
    // Text changes (the time each second) change the width: the owner places it again.
    connect(this, &QAbstractButton::toggled, this, qOverload<>(&QWidget::update));
}

QSize RecordButton::sizeHint() const
{
    int width = Diameter;
    if (!text().isEmpty())
        width += fontMetrics().horizontalAdvance(text()) + 2 * PlatePadding + PlateGap;
    return {width, Diameter};
}

QRect RecordButton::roundRect() const
{
    return {width() - Diameter, (height() - Diameter) / 2, Diameter, Diameter};
}

void RecordButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor plate(0, 0, 0, 160);
    const QColor rim(255, 255, 255, 180);

    if (!text().isEmpty()) {
        const int plateHeight = fontMetrics().height() + PlatePadding;
        const QRectF textPlate(0, (height() - plateHeight) / 2.0, width() - Diameter - PlateGap, plateHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(plate);
        painter.drawRoundedRect(textPlate, 6, 6);
        painter.setPen(Qt::white);
        painter.drawText(textPlate, Qt::AlignCenter, text());
    }

    const QRectF round = QRectF(roundRect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(rim, 2));
    painter.setBrush(isChecked() ? recordingRed() : plate);
    if (isDown())
        painter.setBrush(isChecked() ? recordingRed().darker(130) : QColor(0, 0, 0, 210));
    painter.drawEllipse(round);

    painter.setPen(Qt::NoPen);
    const QPointF centre = round.center();
    if (isChecked()) {
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(
            QRectF(centre.x() - StopSide / 2.0, centre.y() - StopSide / 2.0, StopSide, StopSide), 3, 3);
    } else {
        painter.setBrush(recordingRed());
        painter.drawEllipse(centre, DotDiameter / 2.0, DotDiameter / 2.0);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(round.adjusted(1.5, 1.5, -1.5, -1.5));
    }
}
