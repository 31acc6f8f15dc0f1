#pragma once

#include <QString>
#include <QStringList>

// The client side of the control socket, used by arvo-vcam and the tests.
struct ControlResult {
    enum Status {
        Ok,
        CommandFailed, // the command ran and said why it failed
        NoInstance,    // nothing listens on the socket
        Busy,          // a running instance has more connections waiting than it takes; nothing was sent
        NoAnswer,      // the command was sent but no answer came: it may have run
    };
    Status status = NoInstance;
    QStringList lines; // output, or the error message
};

// Waits up to `timeoutMs` for the connection and again for the answer.
ControlResult sendControlCommand(const QString &socketPath, const QString &line, int timeoutMs = 5000);
