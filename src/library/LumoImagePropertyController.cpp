#include "library/LumoImagePropertyController.h"

#include <QStringList>

#include <algorithm>

QVariant LumoImagePropertyController::valueForKey(const QString &key, const QString &identify) const
{
    if (key.isEmpty() || identify.isEmpty())
        return {};
    const auto it = properties_.constFind(identify);
    return it == properties_.constEnd() ? QVariant() : it->value(key);
}

void LumoImagePropertyController::setValue(const QVariant &value, const QString &key, const QString &identify)
{
    if (key.isEmpty() || identify.isEmpty())
        return;
    if (!value.isValid()) {
        const auto it = properties_.find(identify);
        if (it != properties_.end()) {
            it->remove(key);
            if (it->isEmpty())
                properties_.erase(it);
        }
        return;
    }
    properties_[identify].insert(key, value);
}

QString LumoImagePropertyController::description() const
{
    QStringList ids = properties_.keys();
    std::sort(ids.begin(), ids.end());
    QStringList lines;
    for (const QString &id : ids) {
        QStringList pairs;
        const QVariantMap &values = properties_[id];
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            pairs << it.key() + QLatin1String(" = ") + it.value().toString();
        lines << id + QLatin1String(": {") + pairs.join(QLatin1String(", ")) + QLatin1Char('}');
    }
    return lines.join(QLatin1Char('\n'));
}
