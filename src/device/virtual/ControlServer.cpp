#include "ControlServer.h"

#include "core/LumoLog.h"
#include "core/RuntimePaths.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
constexpr int MaxRequestLength = 4096;
}

ControlServer::ControlServer(QObject *parent, int idleTimeoutMs)
    : QObject(parent), server_(new QLocalServer(this)), idleTimeoutMs_(idleTimeoutMs)
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &ControlServer::serve);
}

ControlServer::~ControlServer() = default;

bool ControlServer::listen(const QString &socketPath)
{
    // A socket left behind by an instance that died is replaced; a live one is not, since the
    // single-instance check runs before this. Whatever else is in its place is kept.
    if (!RuntimePaths::clearStaleSocket(socketPath)) {
        LUMO_LOG("control socket %s: something that is not a socket is in its place", qPrintable(socketPath));
        return false;
    }
    if (!server_->listen(socketPath)) {
        LUMO_LOG("control socket %s: %s", qPrintable(socketPath), qPrintable(server_->errorString()));
        return false;
    }
    return true;
}

void ControlServer::addCommand(const QString &name, Handler handler)
{
    commands_.insert(name, std::move(handler));
}

QByteArray ControlServer::execute(const QString &line) const
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Reply reply;
    if (words.isEmpty()) {
        reply = Reply::error(QStringLiteral("empty command"));
    } else if (!commands_.contains(words.first())) {
        QStringList known = commands_.keys();
        known.sort();
        reply = Reply::error(QStringLiteral("unknown command \"%1\" (commands: %2)")
                                 .arg(words.first(), known.join(QStringLiteral(", "))));
    } else {
        reply = commands_.value(words.first())(words.mid(1));
    }
    QByteArray text = reply.ok ? QByteArray("ok\n") : QByteArray("error ");
    for (const QString &l : std::as_const(reply.lines))
        text += l.toUtf8() + '\n';
    return text;
}

void ControlServer::serve()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(idleTimeoutMs_, socket, [socket] {
            LUMO_LOG("control connection idle for too long: closed");
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxRequestLength) {
                    socket->write("error request too long\n");
                    socket->disconnectFromServer();
                }
                return;
            }
            const QString line = QString::fromUtf8(socket->readLine(MaxRequestLength));
            socket->write(execute(line));
            socket->disconnectFromServer();
        });
    }
}
