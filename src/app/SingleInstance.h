#pragma once

#include <QObject>

#include <functional>

class QLocalServer;

// One Arvo per user session: a second launch asks the running instance to show its main window
// and then exits. Main thread.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject *parent = nullptr);

    // True when a running instance took the request to show itself.
    static bool askRunningInstanceToShow(int timeoutMs = 2000);

    // Becomes the running instance; `reopen` is called for every later launch.
    bool listen(std::function<void()> reopen);

private:
    QLocalServer *server_;
};
