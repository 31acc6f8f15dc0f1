#include "LumoCameraUvc.h"

#include "DeviceBackend.h"

LumoCameraUvc::LumoCameraUvc(QObject *parent) : LumoCamera(parent)
{
    vendorId_ = 0;
}

QString LumoCameraUvc::model() const
{
    const QString name = deviceInfo().name.simplified();
    return name.isEmpty() ? tr("Video Camera") : name;
}

QString LumoCameraUvc::shortModel() const
{
    const DeviceInfo &device = deviceInfo();
    QString record = device.vendorId == 0 ? QStringLiteral("%1 %2").arg(model(), device.uniqueId)
                                          : QStringLiteral("%1 %2:%3")
                                                .arg(model())
                                                .arg(device.vendorId, 4, 16, QLatin1Char('0'))
                                                .arg(device.productId, 4, 16, QLatin1Char('0'));
    // The record is a settings group: a slash would nest it, a backslash escape it.
    record.replace(QLatin1Char('/'), QLatin1Char('-'));
    record.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return record;
}

void LumoCameraUvc::readCapabilities(DeviceBackend &backend)
{
    frameModes_ = backend.frameModes(deviceInfo());
}
