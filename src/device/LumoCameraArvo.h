#pragma once

#include "LumoCamera.h"

// First model: exposure levels 1 to 5 mapped onto the camera's iris values; no exposure lock and
// no exposure reports.
class LumoCameraArvo : public LumoCamera {
    Q_OBJECT
public:
    explicit LumoCameraArvo(QObject *parent = nullptr);

    QString model() const override { return QStringLiteral("Arvoscope"); }
    QString shortModel() const override { return QStringLiteral("Arvo"); }
    int exposureLevels() const override { return 5; }

    static int exposureIndexToValue(int index);
    bool setExposure(short level) override;
};
