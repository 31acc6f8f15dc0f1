#pragma once

#include "device/LumoCamera.h"

#include <QWidget>

#include <vector>

class CamSettingController;
class QFormLayout;
class QLabel;
class RequestThrottle;

// The image controls a camera lists, one row each, within the camera's own limits and steps: a
// slider with its value for a number, a check box for a switch, a pop-up for a menu, a button
// for an action. Inactive controls (the temperature while automatic white balance is on) are
// disabled; every row is read again after each change, since one control switches others. The
// rows scroll when the list is long. Values go to the camera through the setting cache's
// control settings, which keep them in the camera's record. Main thread.
class CameraControlsForm : public QWidget {
    Q_OBJECT
public:
    explicit CameraControlsForm(CamSettingController *settings, QWidget *parent = nullptr);
    ~CameraControlsForm() override;

    // Builds the rows of `camera`'s controls (none without a camera), or reads them again when
    // it is the camera shown already.
    void setCamera(const CameraPtr &camera);
    // Every control back to the camera's default.
    void restoreDefaults();
    // Reads every row's value and state from the camera.
    void refresh();
    // Sends values sliders still hold back; drops them (the camera went).
    void flushPendingRequests();
    void cancelPendingRequests();

    // As tall as the rows, up to about twenty of them; then they scroll.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    int rowCount() const { return int(rows_.size()); }
    // The editor of control `id` (QSlider, QCheckBox, QComboBox or QPushButton), or null.
    QWidget *editor(uint32_t id) const;
    QLabel *label(uint32_t id) const;

private:
    struct Row {
        CameraControl control;
        QLabel *label = nullptr;
        QWidget *editor = nullptr;
        QLabel *value = nullptr; // beside a slider
        RequestThrottle *throttle = nullptr;
    };

    void clearRows();
    void addRow(const CameraControl &control);
    const Row *rowOf(uint32_t id) const;
    void apply(uint32_t id, int value);
    void show(Row &row, const CameraControl &control, int value);

    CamSettingController *settings_;
    std::weak_ptr<LumoCamera> camera_; // not kept alive by the form once it is let go of
    QWidget *rowsHost_ = nullptr;
    QFormLayout *form_ = nullptr;
    std::vector<Row> rows_;
};
