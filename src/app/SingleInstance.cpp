#include "SingleInstance.h"

#include "core/LumoLog.h"
#include "core/RuntimePaths.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr char ShowRequest[] = "show\n";
}

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
    , server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
}

bool SingleInstance::askRunningInstanceToShow(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(RuntimePaths::instanceSocket());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ShowRequest);
    // The running instance answers once it has taken the request.
    return socket.waitForBytesWritten(timeoutMs) && socket.waitForReadyRead(timeoutMs);
}

bool SingleInstance::listen(std::function<void()> reopen)
{
    const QString path = RuntimePaths::instanceSocket();
    // Nobody answered askRunningInstanceToShow(), so a socket file there is stale.
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) {
        LUMO_LOG("single-instance socket %s: %s", qPrintable(path),
                 qPrintable(server_->errorString()));
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this, reopen] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [socket, reopen] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine().trimmed() == "show") {
                    reopen();
                    socket->write("ok\n");
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}
