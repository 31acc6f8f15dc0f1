#include "LumoScroller.h"

#include "AccessibleWidgets.h"
#include "LumoImages.h"
#include "WidgetGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

LumoScroller::LumoScroller(QWidget *parent) : QWidget(parent), defaultButton_(new QPushButton(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    installAccessibleWidgets();
    setAccessibleName(tr("Exposure"));
    setAccessibleDescription(tr("Sets how bright the camera takes the picture; Up and Down step it"));
    background_ = LumoImages::named(QStringLiteral("ManualExposureBackground"), devicePixelRatioF());
    cursor_ = LumoImages::named(QStringLiteral("Cursor"), devicePixelRatioF());
    cursorOver_ = LumoImages::named(QStringLiteral("CursorOver"), devicePixelRatioF());

    defaultButton_->setText(tr("Default"));
    defaultButton_->setFlat(true);
    defaultButton_->setFocusPolicy(Qt::NoFocus);
    defaultButton_->setAccessibleDescription(tr("Sets the exposure back to the camera's default"));
    defaultButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: transparent; border: none; color: white; }"));
    connect(defaultButton_, &QPushButton::clicked, this, &LumoScroller::defaultAct);

    knobRect_ = QRectF(KnobX, TrackBottom, KnobWidth, KnobHeight);
    setMaxValue(14);
    setIntValue(0);
    resize(115, 202);
}

float LumoScroller::itemLength(int minValue, int maxValue)
{
    if (minValue == maxValue)
        return 0;
    return float(TrackLength / double(maxValue - minValue));
}

float LumoScroller::pointValue(qreal y, float itemLength, bool discrete, float previous)
{
    // An empty range has no steps; it would otherwise divide by zero.
    if (y < TrackBottom || y > BandTop || itemLength == 0)
        return previous;
    float v = float((y - TrackBottom) / double(itemLength));
    const float whole = std::floor(v);
    if (discrete && v - whole > 0.5f)
        v = whole + 1;
    return v;
}

void LumoScroller::setIntValue(int value)
{
    value_ = value;
    knobRect_.moveTop(TrackBottom + value * itemLength_);
    update();
}

void LumoScroller::setMinValue(int minValue)
{
    minValue_ = minValue;
    itemLength_ = itemLength(minValue_, maxValue_);
}

void LumoScroller::setMaxValue(int maxValue)
{
    maxValue_ = maxValue;
    itemLength_ = itemLength(minValue_, maxValue_);
}

int LumoScroller::valueForPoint(const QPointF &point)
{
    lastPointValue_ = pointValue(point.y(), itemLength_, discrete_, lastPointValue_);
    return int(lastPointValue_);
}

void LumoScroller::setValueByUser(int value)
{
    changeByUser(std::clamp(value, minValue_, maxValue_));
}

void LumoScroller::defaultAct()
{
    changeByUser(defaultValue_);
}

void LumoScroller::changeByUser(int value)
{
    if (value == value_)
        return;
    setIntValue(value);
    emit valueActivated(value);
}

void LumoScroller::trackPointer(const QPointF &position)
{
    // The pointer is read in the coordinates of the window that holds the slider (its menu),
    // without taking off the slider's own offset in it. The menu puts at most a thin margin
    // below the slider, well under the half step that rounding absorbs.
    QWidget *holder = window();
    const QPointF inWindow = flippedPoint(mapTo(holder, position), holder->height());
    if (isEnabled())
        changeByUser(valueForPoint(inWindow));
}

void LumoScroller::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        trackPointer(event->position());
    event->accept();
}

void LumoScroller::mouseMoveEvent(QMouseEvent *event)
{
    const QRectF track = flippedRect(QRectF(0, TrackBottom, width(), TrackLength), height());
    setOver(track.contains(event->position()));
    if (event->buttons() & Qt::LeftButton)
        trackPointer(event->position());
    event->accept();
}

void LumoScroller::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second click of a double click moves nothing.
    event->accept();
}

void LumoScroller::leaveEvent(QEvent *event)
{
    setOver(false);
    QWidget::leaveEvent(event);
}

void LumoScroller::setOver(bool over)
{
    if (over == over_)
        return;
    over_ = over;
    update();
}

void LumoScroller::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down)
        changeByUser(std::max(value_ - 1, minValue_));
    else if (event->key() == Qt::Key_Up)
        changeByUser(std::min(value_ + 1, maxValue_));
    else
        QWidget::keyPressEvent(event);
}

void LumoScroller::resizeEvent(QResizeEvent *event)
{
    const qreal buttonWidth = background_.isNull() ? width() : background_.deviceIndependentSize().width();
    defaultButton_->setGeometry(
        flippedRect(QRectF(0, 0, buttonWidth, DefaultButtonHeight), height()).toRect());
    QWidget::resizeEvent(event);
}

void LumoScroller::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), background_);
    const QPixmap &knob = over_ ? cursorOver_ : cursor_;
    const QRectF knobRect = flippedRect(knobRect_, height());
    painter.drawPixmap(knobRect, knob, QRectF(QPointF(), knob.size()));
    // The level written beside the knob, counted from 1 as the control's title counts it, in the
    // light ink of the slider's dark plate.
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(QColor(0xF4, 0xF6, 0xF8));
    painter.drawText(QRectF(6, knobRect.center().y() - 12, 40, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(value_ + 1));
}
