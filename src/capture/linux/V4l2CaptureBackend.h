#pragma once

#include "V4l2Io.h"
#include "capture/CaptureDevice.h"

#include <QString>

// Real cameras' video nodes, found by their unique id (V4l2NodeLookup) and captured from through
// `io`.
//
// Thread: main.
class V4l2CaptureBackend : public CaptureBackend {
public:
    explicit V4l2CaptureBackend(V4l2Io &io = V4l2Io::system());

    std::unique_ptr<CaptureDevice> deviceWithUniqueID(const QString &uniqueId) override;

private:
    V4l2Io &io_;
};
