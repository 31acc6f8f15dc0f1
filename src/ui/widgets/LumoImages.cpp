#include "LumoImages.h"

#include "core/Resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace LumoImages {

QString path(const QString &name)
{
    return QStringLiteral(":/images/%1.svg").arg(name);
}

QPixmap named(const QString &name, qreal devicePixelRatio)
{
    initArvoResources();
    if (devicePixelRatio <= 0)
        devicePixelRatio = qApp ? qApp->devicePixelRatio() : 1.0;
    QSvgRenderer renderer(path(name));
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon icon(const QString &name)
{
    QIcon result;
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = named(name, ratio);
        if (pixmap.isNull())
            return {};
        result.addPixmap(pixmap);
    }
    return result;
}

QIcon applicationIcon()
{
    initArvoResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/arvo.svg"));
    QIcon result;
    if (!renderer.isValid())
        return result;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace LumoImages
