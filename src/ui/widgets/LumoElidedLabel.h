#pragma once

#include <QLabel>
#include <QString>

// A one-line label that shows as much of its text as fits, with "…" where it is cut, and the
// whole text as its tool tip while it is cut. For status lines, whose messages (a folder path,
// an error with its reason) can be longer than the window is wide. Main thread.
class LumoElidedLabel : public QLabel {
public:
    explicit LumoElidedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    // Where the text is cut: at its end unless set otherwise.
    void setElideMode(Qt::TextElideMode mode);
    QString text() const { return fullText_; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString fullText_;
    Qt::TextElideMode mode_ = Qt::ElideRight;
};
