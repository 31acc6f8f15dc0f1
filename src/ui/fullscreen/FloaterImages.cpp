#include "FloaterImages.h"

#include "ui/widgets/LumoImages.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>

namespace FloaterImages {

namespace {

constexpr int CountdownSide = 60;
constexpr QSize ReadoutSize(64, 36);
const QColor Backing(0x2B, 0x34, 0x40, 190);
const QColor Figure(0xF4, 0xF6, 0xF8);

QPixmap canvas(const QSize &size)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont figureFont(int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QPixmap countdown(int seconds)
{
    QPixmap pixmap = canvas(QSize(CountdownSide, CountdownSide));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(1.5, 1.5, CountdownSide - 3, CountdownSide - 3);
    painter.setPen(QPen(Figure, 2));
    painter.setBrush(Backing);
    painter.drawEllipse(disc);
    painter.setFont(figureFont(30));
    painter.setPen(Figure);
    painter.drawText(disc, Qt::AlignCenter, QString::number(seconds));
    return pixmap;
}

QPixmap readout(const QString &value)
{
    QPixmap pixmap = canvas(ReadoutSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF pill(1, 1, ReadoutSize.width() - 2, ReadoutSize.height() - 2);
    painter.setPen(QPen(Figure, 1.5));
    painter.setBrush(Backing);
    painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    painter.setFont(figureFont(18));
    painter.setPen(Figure);
    painter.drawText(pill, Qt::AlignCenter, value);
    return pixmap;
}

} // namespace

QPixmap named(const QString &name)
{
    static const QRegularExpression digits(QStringLiteral("^(10|[0-9])$"));
    static const QRegularExpression exposure(QStringLiteral("^Exp-([+-]?\\d+)$"));
    if (digits.match(name).hasMatch())
        return countdown(name.toInt());
    const QRegularExpressionMatch match = exposure.match(name);
    if (match.hasMatch()) {
        QString value = match.captured(1);
        value.replace(QLatin1Char('-'), QChar(0x2212)); // a true minus sign, as wide as the plus
        return readout(value);
    }
    return LumoImages::named(name);
}

} // namespace FloaterImages
