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
// and closes the connection. Main thread.
class ControlServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        bool ok = true;
        QStringList lines; // output when ok, or the error message's lines
        static Reply error(const QString &message) { return {false, {message}}; }
    };
    using Handler = std::function<Reply(const QStringList &arguments)>;

    explicit ControlServer(QObject *parent = nullptr);
    ~ControlServer() override;

    bool listen(const QString &socketPath);
    void addCommand(const QString &name, Handler handler);

    // Runs one request line as a connection would; the reply text, as sent.
    QByteArray execute(const QString &line) const;

private:
    void serve();

    QLocalServer *server_;
    QHash<QString, Handler> commands_;
};
