#pragma once

#include <QPixmap>
#include <QRectF>
#include <QWidget>

class QPushButton;

// The vertical exposure slider shown inside the exposure button's menu: a painted background, a
// knob that follows clicks, drags and the Up/Down keys, and a "Default" button at the bottom.
// The value changes only through the user or setIntValue(); user changes emit valueActivated().
//
// Geometry, in points with the origin at the bottom left: the track runs from y = 38 to 178, one
// step per itemLength points; the knob is 18 x 7 at x = 68 with its bottom at
// 38 + value x itemLength; clicks count from y = 38 to 183. Main thread.
class LumoScroller : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal TrackBottom = 38;
    static constexpr qreal TrackLength = 140;
    static constexpr qreal BandTop = 183;
    static constexpr qreal KnobX = 68;
    static constexpr qreal KnobWidth = 18;
    static constexpr qreal KnobHeight = 7;
    static constexpr qreal DefaultButtonHeight = 30;

    explicit LumoScroller(QWidget *parent = nullptr);

    // Points per step for a range; 0 for an empty range.
    static float itemLength(int minValue, int maxValue);
    // The value a pointer height gives: the band maps to steps, half-way between two steps
    // counts as the lower one, and a height outside the band keeps `previous` (the last value
    // computed). Answers the new last value; the step is that truncated toward zero.
    static float pointValue(qreal y, float itemLength, bool discrete, float previous);

    int value() const { return value_; }
    // Stores the value without moving the knob.
    void setValue(int value) { value_ = value; }
    int intValue() const { return value_; }
    // Stores the value and moves the knob to it.
    void setIntValue(int value);
    int minValue() const { return minValue_; }
    void setMinValue(int minValue);
    int maxValue() const { return maxValue_; }
    void setMaxValue(int maxValue);
    int defaultValue() const { return defaultValue_; }
    void setDefaultValue(int value) { defaultValue_ = value; }

    // The step for a point in the coordinates of the window that holds the slider (bottom-left
    // origin); remembers the value computed for the next point outside the band.
    int valueForPoint(const QPointF &point);
    // The knob's rectangle, bottom-left origin.
    QRectF knobRect() const { return knobRect_; }
    bool isOver() const { return over_; }

    // Moves to `value`, kept within the range, as the user would: valueActivated() follows a
    // change. For assistive technology.
    void setValueByUser(int value);

    // The "Default" button's action: back to the default value.
    void defaultAct();

signals:
    void valueActivated(int value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void trackPointer(const QPointF &position);
    void changeByUser(int value);
    void setOver(bool over);

    QPixmap background_;
    QPixmap cursor_;
    QPixmap cursorOver_;
    QPushButton *defaultButton_;
    QRectF knobRect_;
    int value_ = 0;
    int minValue_ = 0;
    int maxValue_ = 14;
    int defaultValue_ = 3;
    bool discrete_ = true;
    float itemLength_ = 0;
    float lastPointValue_ = 0;
    bool over_ = false;
};
