#pragma once

#include <QAbstractButton>
#include <QIcon>

// The round recording button that floats over the picture in project mode:
//
//        +-----------+  ___
//        |   0:42    | /   \     dark and round with a red dot while idle; red with a
//        +-----------+ \___/     white square (stop) while recording
//
// Its text (the elapsed time, or for a while how a recording ended) shows on a dark plate to the
// button's left, so the round part keeps its place at the right edge whatever the text's width.
// Checked means recording. Main thread.
class RecordButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int Diameter = 44;
    static const QColor &recordingRed();
    // The toolbar's picture of the same: a red dot to start, a red square to stop.
    static QIcon icon(bool recording);

    explicit RecordButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Where the round part lies, in the widget's coordinates.
    QRect roundRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    // A click asks for a change; the owner checks the button once the recording has changed.
    void nextCheckState() override {}
};
