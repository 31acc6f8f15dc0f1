#pragma once

#include "LumoCameraVelmar.h"

// First model: exposure levels 1 to 5 mapped onto the camera's iris values; no exposure lock and
// no exposure reports.
class LumoCameraArvo : public LumoCameraVelmar {
    Q_OBJECT
public:
    explicit LumoCameraArvo(QObject *parent = nullptr);

    QString model() const override { return QStringLiteral("Arvoscope"); }
    QString shortModel() const override { return QStringLiteral("Arvo"); }

    static int exposureIndexToValue(int index);
    bool setExposure(short level) override;
};
