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
    ExposureKind exposureKind() const override { return ExposureKind::FiveSteps; }
    int exposureLevels() const override { return 5; }
    int defaultExposureLevel() const override { return 3; }
    FocusKind focusKind() const override { return FocusKind::VendorCommand; }
    bool hasButtons() const override { return true; }
    bool hasVendorCommands() const override { return true; }
    QList<FrameMode> frameModes() const override { return frameTableModes(); }
    bool hasOutputSizeTable() const override { return true; }

    static int exposureIndexToValue(int index);
    bool setExposure(short level) override;
};
