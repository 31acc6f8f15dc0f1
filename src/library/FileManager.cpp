#include "library/FileManager.h"

#include "core/LumoLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

void openFolder(const QString &folder)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        LUMO_LOG("the folder %s cannot be opened", qPrintable(folder));
}

} // namespace

void showInFileManager(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolder(folder);
        return;
    }

    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
    // Activating a file manager may take a moment; the window is not held up meanwhile.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), nullptr);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [watcher, folder] {
        const QDBusPendingReply<> reply = *watcher;
        if (reply.isError()) {
            LUMO_LOG("no file manager shows the photo (%s); opening its folder",
                     qPrintable(reply.error().message()));
            openFolder(folder);
        }
        watcher->deleteLater();
    });
}
