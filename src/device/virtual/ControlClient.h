#pragma once

#include <QString>
#include <QStringList>

// The client side of the control socket, used by arvo-vcam and the tests.
struct ControlResult {
    enum Status { Ok, CommandFailed, NoInstance };
    Status status = NoInstance;
    QStringList lines; // output, or the error message
};

ControlResult sendControlCommand(const QString &socketPath, const QString &line, int timeoutMs = 5000);
