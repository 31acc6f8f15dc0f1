#include "SingleInstance.h"

#include "core/LumoLog.h"
#include "core/RuntimePaths.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr char ShowRequest[] = "show\n";
constexpr int RetryIntervalMs = 50;
} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
}

SingleInstance::~SingleInstance()
{
    // The socket file goes while the lock is still held: a launch that takes the lock the moment
    // it is free then finds no socket of ours to lose its own to.
    server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

SingleInstance::Lock SingleInstance::tryLock()
{
    if (lockFd_ >= 0)
        return Lock::Taken;
    if (RuntimePaths::runtimeFolder(&problem_).isEmpty()) {
        LUMO_LOG("%s", qPrintable(problem_));
        return Lock::Failed;
    }
    const QString lockPath = RuntimePaths::instanceLock();
    // The lock file itself is never removed: a process that opened it before the removal would
    // lock a file nobody else sees. A link in its place is not followed.
    const QByteArray path = QFile::encodeName(lockPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        problem_ = QStringLiteral("cannot open the instance lock %1: %2")
                       .arg(lockPath, QString::fromLocal8Bit(strerror(errno)));
        LUMO_LOG("%s", qPrintable(problem_));
        return Lock::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Lock::Held;
        problem_ =
            QStringLiteral("cannot lock %1: %2").arg(lockPath, QString::fromLocal8Bit(strerror(error)));
        return Lock::Failed;
    }
    lockFd_ = fd;
    return Lock::Taken;
}

SingleInstance::Role SingleInstance::claim(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        switch (tryLock()) {
        case Lock::Taken:
            return Role::Primary;
        case Lock::Failed:
            return Role::Failed;
        case Lock::Held:
            break;
        }
        if (askRunningInstanceToShow(qMax(1, int(qMin<qint64>(deadline.remainingTime(), 2000)))))
            return Role::HandedOver;
        if (deadline.hasExpired())
            return Role::NoAnswer;
        QThread::msleep(RetryIntervalMs);
    }
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
    if (tryLock() != Lock::Taken) {
        LUMO_LOG("single-instance socket %s: the instance lock is not ours", qPrintable(path));
        return false;
    }
    if (!RuntimePaths::clearStaleSocket(path)) {
        LUMO_LOG("single-instance socket %s: something that is not a socket is in its place",
                 qPrintable(path));
        return false;
    }
    if (!server_->listen(path)) {
        LUMO_LOG("single-instance socket %s: %s", qPrintable(path), qPrintable(server_->errorString()));
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

void SingleInstance::stopListening()
{
    server_->close();
}
