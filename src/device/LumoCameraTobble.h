#pragma once

#include "LumoCamera.h"

class QTimer;

// Second model: exposure levels 1 to 15 sent as they are, an exposure lock, and, while it is the
// active camera, an exposure report every half second (its timer runs on the main thread).
class LumoCameraTobble : public LumoCamera {
    Q_OBJECT
public:
    explicit LumoCameraTobble(QObject *parent = nullptr);

    QString model() const override { return QStringLiteral("Velmar Tobble"); }
    QString shortModel() const override { return QStringLiteral("Tobble"); }
    ExposureKind exposureKind() const override { return ExposureKind::FifteenLevels; }
    int exposureLevels() const override { return 15; }
    int defaultExposureLevel() const override { return 4; }
    bool hasAutoExposure() const override { return true; }
    FocusKind focusKind() const override { return FocusKind::VendorCommand; }
    bool hasButtons() const override { return true; }
    bool hasVendorCommands() const override { return true; }
    QList<FrameMode> frameModes() const override { return frameTableModes(); }
    bool hasOutputSizeTable() const override { return true; }
    bool hasExposureLock() const override { return true; }

    bool setExposure(short level) override;
    void setActive(bool active) override;
    bool exposureTimerRunning() const;

private:
    void timerToAutoGetExposure();

    QTimer *autoGetExposureTimer_;
};
