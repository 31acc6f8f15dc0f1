#pragma once

#include "LumoCamera.h"

// Any other camera that streams video (a USB Video Class document camera, a webcam, a capture
// card), found as a V4L2 capture node. It has no HID interface: no vendor commands and no
// buttons of the maker's kind (a snapshot button of its own comes through its input device);
// its image controls go to its video node.
class LumoCameraUvc : public LumoCamera {
    Q_OBJECT
public:
    explicit LumoCameraUvc(QObject *parent = nullptr);

    // The USB product string or the node's card name, as discovery found it.
    QString model() const override;
    // The name of the camera's settings record: its model and its USB vendor and product IDs
    // ("Desk Cam 1234:5678"), or its unique id when it is not a USB device, so that two
    // different cameras never share a record, nor take over one of the two models' records.
    QString shortModel() const override;

    // The sizes the back end found the camera streaming, each with its pixel format and rates.
    QList<FrameMode> frameModes() const override { return frameModes_; }

protected:
    void readCapabilities(DeviceBackend &backend) override;

private:
    QList<FrameMode> frameModes_;
};
