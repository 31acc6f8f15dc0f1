#include "DeviceInfo.h"

#include <QStringList>

uint32_t locationIdFrom(unsigned busNumber, const QString &devpath)
{
    uint32_t location = (busNumber & 0xffu) << 24;
    int shift = 20;
    for (const QString &port : devpath.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        if (shift < 0)
            break;
        bool ok = false;
        const unsigned value = port.toUInt(&ok);
        location |= (ok ? (value & 0xfu) : 0u) << shift;
        shift -= 4;
    }
    return location;
}

QString nonUsbCaptureId(const QString &idPath, const QString &sysname, int index)
{
    return QStringLiteral("v4l2-%1-%2").arg(idPath.isEmpty() ? sysname : idPath).arg(index);
}
