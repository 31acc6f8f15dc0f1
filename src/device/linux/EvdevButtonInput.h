#pragma once

#include "device/ButtonInput.h"

#include <QByteArray>
#include <QString>

class QSocketNotifier;

// A camera's own button through the kernel's input layer: the evdev node (/dev/input/eventN) the
// video driver makes for a camera's snapshot button. Each key press (EV_KEY, value 1) is
// delivered; releases, auto-repeats and every other event are not. The node is never grabbed:
// other programs may read it too.
//
// An input may wait without a node: the back end hands it one when the camera's input node
// appears after its video node. A node that goes away (the camera unplugged) ends the reading
// quietly.
//
// Thread: lives on the device thread, where it reads (QSocketNotifier) and delivers.
class EvdevButtonInput : public ButtonInput {
public:
    using ButtonInput::ButtonInput;
    ~EvdevButtonInput() override;

    // Opens `node` read-only and non-blocking and reads it; false, with the reason logged, when
    // it cannot be opened.
    bool open(const QString &node);
    // Reads `fd` from now on, a stream of `struct input_event` records, and owns it; a node read
    // before is closed.
    void attach(int fd, const QString &node);
    bool isReading() const { return fd_ >= 0; }
    QString node() const { return node_; }

private:
    void readEvents();
    void deliverWholeRecords();
    void stop();

    int fd_ = -1;
    QString node_;
    QSocketNotifier *notifier_ = nullptr;
    // The start of a record that a read cut off (a pipe may do that; evdev does not).
    QByteArray partial_;
};
