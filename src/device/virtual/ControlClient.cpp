#include "ControlClient.h"

#include <QLocalSocket>

namespace {

ControlResult failure(ControlResult::Status status, const QString &message)
{
    return {status, {message}};
}

} // namespace

ControlResult sendControlCommand(const QString &socketPath, const QString &line, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        // A listening server whose queue of waiting connections is full leaves the connection
        // pending rather than refused.
        if (socket.error() == QLocalSocket::SocketTimeoutError
            || socket.state() == QLocalSocket::ConnectingState)
            return failure(ControlResult::Busy,
                           QStringLiteral("the running Arvo is too busy to take the command; "
                                          "nothing was done, try again"));
        return failure(ControlResult::NoInstance, QStringLiteral("no Arvo with virtual cameras is running"));
    }
    socket.write(line.toUtf8() + '\n');
    socket.flush();
    QByteArray reply;
    bool timedOut = false;
    while (socket.state() == QLocalSocket::ConnectedState) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            timedOut = socket.state() == QLocalSocket::ConnectedState;
            break;
        }
        reply += socket.readAll();
    }
    reply += socket.readAll();
    if (timedOut)
        return failure(ControlResult::NoAnswer,
                       QStringLiteral("the command was sent but the running Arvo did not answer within %1 s; "
                                      "it may still have been done")
                           .arg(timeoutMs / 1000.0));
    if (reply.isEmpty())
        return failure(ControlResult::NoAnswer,
                       QStringLiteral("the running Arvo closed the connection without an "
                                      "answer; the command may have been done"));
    QStringList lines = QString::fromUtf8(reply).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    ControlResult result;
    const QString first = lines.takeFirst();
    if (first == QLatin1String("ok")) {
        result.status = ControlResult::Ok;
    } else {
        result.status = ControlResult::CommandFailed;
        lines.prepend(first.mid(int(qstrlen("error "))));
    }
    result.lines = lines;
    return result;
}
