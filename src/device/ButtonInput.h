#pragma once

#include <QObject>

// The input device through which a camera without a HID interface reports its own button: the
// keys it sends, as key codes of the Linux input layer. A reader of the camera's input node (or
// the virtual camera) calls deliver() on the device thread, where the channel lives; the camera
// listens to keyPressed() there.
class ButtonInput : public QObject {
    Q_OBJECT
public:
    // The key a camera's snapshot button sends (KEY_CAMERA).
    static constexpr int CameraKey = 212;

    using QObject::QObject;

    // Reports one press of `code`. Device thread.
    void deliver(int code) { emit keyPressed(code); }

signals:
    void keyPressed(int code);
};
