#include "SyntheticPage.h"

#include <QFont>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace {

const QColor DeskColour(0x6e, 0x6e, 0x6a);
const QColor InkColour(0x20, 0x20, 0x28);
const QColor RuleColour(0x9c, 0xb8, 0xd8);
const QColor MarginColour(0xd8, 0x70, 0x70);

QFont pageFont(qreal pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

// A line of body text of its own length, so that the page reads like a page.
QString bodyLine(int line)
{
    static const char *const words[] = {"document", "camera", "page",  "light",   "focus", "paper",
                                        "table",    "lens",   "sharp", "picture", "the",   "of",
                                        "and",      "a",      "with",  "under"};
    QString text;
    const int count = 6 + (line * 7) % 5;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += QLatin1Char(' ');
        text += QLatin1String(words[(line * 5 + i * 3) % 16]);
    }
    return text;
}

} // namespace

SyntheticPage::SyntheticPage(const QSize &size, const QString &caption) : page_(size, QImage::Format_RGB32)
{
    page_.fill(DeskColour);
    const qreal w = size.width();
    const qreal h = size.height();

    // A portrait page, as tall as the desk allows, centred.
    const qreal pageHeight = h * 0.92;
    const qreal pageWidth = std::min(w * 0.92, pageHeight * 0.75);
    const QRectF sheet((w - pageWidth) / 2, (h - pageHeight) / 2, pageWidth, pageHeight);
    const qreal unit = pageHeight / 100; // one hundredth of the page's height

    QPainter painter(&page_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(sheet.translated(unit * 0.4, unit * 0.4), QColor(0x50, 0x50, 0x4c)); // shadow
    painter.fillRect(sheet, Qt::white);
    painter.setPen(QPen(InkColour, std::max<qreal>(1, unit * 0.15)));
    painter.drawRect(sheet.adjusted(unit * 2, unit * 2, -unit * 2, -unit * 2));

    const QRectF inner = sheet.adjusted(unit * 5, unit * 4, -unit * 5, -unit * 4);
    painter.setFont(pageFont(unit * 4.5, true));
    painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), unit * 7),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Test page"));
    painter.setFont(pageFont(unit * 2.2));
    painter.drawText(QRectF(inner.left(), inner.top() + unit * 7, inner.width(), unit * 4),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);

    // The clock face, top right; its hand moves.
    const qreal clockSize = unit * 10;
    clock_ = QRectF(inner.right() - clockSize, inner.top(), clockSize, clockSize);
    painter.drawEllipse(clock_);
    for (int tick = 0; tick < 12; ++tick) {
        const qreal angle = qDegreesToRadians(tick * 30.0);
        const QPointF direction(std::sin(angle), -std::cos(angle));
        const qreal r = clockSize / 2;
        painter.drawLine(clock_.center() + direction * r * 0.8, clock_.center() + direction * r * 0.95);
    }

    // Body text.
    painter.setFont(pageFont(unit * 1.9));
    const qreal textTop = inner.top() + unit * 14;
    const qreal lineHeight = unit * 3;
    const int textLines = 9;
    for (int line = 0; line < textLines; ++line)
        painter.drawText(QRectF(inner.left(), textTop + line * lineHeight, inner.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, bodyLine(line));

    // The ruled area: lined paper with a margin line; the disc travels along its lines.
    ruled_ = QRectF(inner.left(), textTop + textLines * lineHeight + unit * 3, inner.width(),
                    inner.bottom() - unit * 6 - (textTop + textLines * lineHeight + unit * 3));
    const qreal ruleSpacing = unit * 4;
    ruleSpacing_ = ruleSpacing;
    ruledLines_ = std::max(1, int(ruled_.height() / ruleSpacing));
    painter.setPen(QPen(RuleColour, std::max<qreal>(1, unit * 0.12)));
    for (int line = 1; line <= ruledLines_; ++line) {
        const qreal y = ruled_.top() + line * ruleSpacing;
        painter.drawLine(QPointF(ruled_.left(), y), QPointF(ruled_.right(), y));
    }
    painter.setPen(QPen(MarginColour, std::max<qreal>(1, unit * 0.12)));
    painter.drawLine(QPointF(ruled_.left() + unit * 4, ruled_.top()),
                     QPointF(ruled_.left() + unit * 4, ruled_.bottom()));
    discRadius_ = std::max<qreal>(2, ruleSpacing * 0.35);

    counter_ = QRectF(inner.left(), inner.bottom() - unit * 4, inner.width(), unit * 4);
}

QPointF SyntheticPage::discCentre(uint64_t number) const
{
    const int step = int(number % DiscStepsPerLine);
    const int line = int((number / DiscStepsPerLine) % uint64_t(ruledLines_));
    const qreal left = ruled_.left() + discRadius_;
    const qreal travel = std::max<qreal>(0, ruled_.width() - 2 * discRadius_);
    return {left + travel * step / (DiscStepsPerLine - 1),
            ruled_.top() + (line + 1) * ruleSpacing_ - discRadius_ * 1.1};
}

void SyntheticPage::renderFrame(uint64_t number, QImage &frame) const
{
    frame = page_;
    QPainter painter(&frame); // copies the page once: the page itself stays clean
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(int((number * 7) % 360), 200, 230));
    painter.drawEllipse(discCentre(number), discRadius_, discRadius_);

    const qreal angle = qDegreesToRadians((number % 60) * 6.0);
    const qreal r = clock_.width() / 2;
    painter.setPen(QPen(InkColour, std::max<qreal>(1, r * 0.08), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(clock_.center(),
                     clock_.center() + QPointF(std::sin(angle), -std::cos(angle)) * r * 0.75);

    painter.setFont(pageFont(counter_.height() * 0.6));
    painter.drawText(counter_, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Frame %1").arg(number));
}
