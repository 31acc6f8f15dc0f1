#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// The local socket through which `arvo-vcam` drives a running instance.
//
// Protocol: the client sends one line, a command word and its arguments separated by spaces. The
// server answers "ok" or "error <message>" on the first line, then the command's output lines,
// and closes the connection. A connection that has not been answered and closed within the idle
// time-out is dropped, so clients that connect and say nothing do not pile up. Main thread.
class ControlServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        bool ok = true;
        QStringList lines; // output when ok, or the error message's lines
        static Reply error(const QString &message) { return {false, {message}}; }
    };
    using Handler = std::function<Reply(const QStringList &arguments)>;

    static constexpr int DefaultIdleTimeoutMs = 10000;

    explicit ControlServer(QObject *parent = nullptr, int idleTimeoutMs = DefaultIdleTimeoutMs);
    ~ControlServer() override;

    bool listen(const QString &socketPath);
    void addCommand(const QString &name, Handler handler);

    // Runs one request line as a connection would; the reply text, as sent.
    QByteArray execute(const QString &line) const;

private:
    void serve();

    QLocalServer *server_;
    const int idleTimeoutMs_;
    QHash<QString, Handler> commands_;
};
