#pragma once

#include "library/ImagePropertyDelegate.h"

#include <QHash>
#include <QVariantMap>

// The in-memory per-image property store: for each image identifier, a dictionary of named
// values. Nothing is written to disk; the store lives as long as the window that owns it.
//
// Main thread.
class LumoImagePropertyController : public ImagePropertyDelegate {
public:
    LumoImagePropertyController() = default;

    // An empty key or identifier finds nothing.
    QVariant valueForKey(const QString &key, const QString &identify) const override;
    // An empty key or identifier stores nothing. An invalid value removes the key, as setting
    // "no value" means.
    void setValue(const QVariant &value, const QString &key, const QString &identify) override;

    // The whole store, one image per line, for logs.
    QString description() const;

private:
    QHash<QString, QVariantMap> properties_;
};
