#include "LumoElidedLabel.h"

#include <QFontMetrics>

LumoElidedLabel::LumoElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void LumoElidedLabel::setText(const QString &text)
{
    fullText_ = text;
    elide();
}

void LumoElidedLabel::setElideMode(Qt::TextElideMode mode)
{
    mode_ = mode;
    elide();
}

QSize LumoElidedLabel::minimumSizeHint() const
{
    // Any width will do: the text is cut to fit rather than widening the window.
    return {0, QLabel::minimumSizeHint().height()};
}

void LumoElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void LumoElidedLabel::elide()
{
    const QString shown = fontMetrics().elidedText(fullText_, mode_, width());
    QLabel::setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}
