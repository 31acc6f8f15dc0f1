#pragma once

#include <QScrollBar>

// The scroller of the thumbnail strip: a plain background and the knob, no track and no arrows.
// With nothing to scroll it shows no knob. Main thread.
class LumoImageBrowserScroller : public QScrollBar {
    Q_OBJECT
public:
    static constexpr int Thickness = 9;

    explicit LumoImageBrowserScroller(QWidget *parent = nullptr);

    // The knob's rectangle in widget coordinates; empty when there is nothing to scroll.
    QRect knobRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
