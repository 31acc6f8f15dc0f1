#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// One Arvo per user session: a second launch asks the running instance to show its main window
// and then exits. Which process is the running one is settled by a lock on a file in the runtime
// folder, taken atomically before anything else starts; the kernel lets go of it when the process
// ends, however it ends. Main thread.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,    // this process holds the lock and goes on to start
        HandedOver, // another instance runs and took the request to show itself
        NoAnswer,   // another instance holds the lock but never answered
        Failed,     // the lock cannot be taken at all; problem() says why
    };

    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the instance lock, or, when another process holds it, asks that one to show itself.
    // A running instance may still be starting and not yet listening, so asking is retried for up
    // to `timeoutMs`; should the holder end meanwhile, the lock is taken after all.
    Role claim(int timeoutMs = 10000);
    bool isPrimary() const { return lockFd_ >= 0; }
    // Why the lock could not be taken, in words for the user; empty when it could, or when only
    // another instance holds it.
    QString problem() const { return problem_; }

    // True when a running instance took the request to show itself.
    static bool askRunningInstanceToShow(int timeoutMs = 2000);

    // Becomes the running instance; `reopen` is called for every later launch. Only the holder
    // of the lock listens, so a socket file it finds is a dead instance's and can go.
    bool listen(std::function<void()> reopen);
    // Stops answering later launches; the lock is kept until destruction.
    void stopListening();

private:
    enum class Lock { Taken, Held, Failed };
    Lock tryLock();

    QLocalServer *server_;
    int lockFd_ = -1;
    QString problem_;
};
