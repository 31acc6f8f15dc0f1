#include "ControlClient.h"

#include <QLocalSocket>

ControlResult sendControlCommand(const QString &socketPath, const QString &line, int timeoutMs)
{
    ControlResult result;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        // Whatever the socket's reason (no such socket, refused), the user's answer is the same.
        result.lines << QStringLiteral("no Arvo with virtual cameras is running");
        return result;
    }
    socket.write(line.toUtf8() + '\n');
    socket.flush();
    QByteArray reply;
    while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(timeoutMs))
        reply += socket.readAll();
    reply += socket.readAll();
    if (reply.isEmpty()) {
        result.lines << QStringLiteral("no answer from the running Arvo");
        return result;
    }
    QStringList lines = QString::fromUtf8(reply).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
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
