#include "VirtualCameraCommands.h"

#include "ControlServer.h"
#include "VirtualCameraHub.h"

namespace {

using Reply = ControlServer::Reply;

Reply usage(const QString &text)
{
    return Reply::error(QStringLiteral("usage: %1").arg(text));
}

} // namespace

void addVirtualCameraCommands(ControlServer &server, VirtualCameraHub &hub,
                              std::function<QString()> currentKey)
{
    server.addCommand(QStringLiteral("list"), [&hub, currentKey](const QStringList &) {
        Reply reply;
        const QString current = currentKey();
        for (const auto &camera : hub.cameras()) {
            const DeviceInfo info = camera->deviceInfo();
            QString line = QStringLiteral("%1 %2 0x%3 %4")
                               .arg(camera->id())
                               .arg(camera->modelName())
                               .arg(info.locationId, 8, 16, QLatin1Char('0'))
                               .arg(camera->plugged() ? QStringLiteral("plugged")
                                                      : QStringLiteral("unplugged"));
            if (camera->plugged() && info.key == current)
                line += QStringLiteral(" current");
            reply.lines << line;
        }
        return reply;
    });

    server.addCommand(QStringLiteral("plug"), [&hub](const QStringList &args) {
        VirtualCamera::Model model;
        if (args.size() != 1)
            return usage(QStringLiteral("plug arvo|tobble"));
        if (!VirtualCamera::modelFromName(args[0], &model))
            return Reply::error(
                QStringLiteral("unknown camera model \"%1\" (models: arvo, tobble)").arg(args[0]));
        return Reply{true, {QString::number(hub.plug(model)->id())}};
    });

    server.addCommand(QStringLiteral("unplug"), [&hub](const QStringList &args) {
        if (args.size() != 1)
            return usage(QStringLiteral("unplug ID"));
        bool ok = false;
        const int id = args[0].toInt(&ok);
        auto camera = ok ? hub.camera(id) : nullptr;
        if (!camera)
            return Reply::error(QStringLiteral("no virtual camera with id \"%1\"").arg(args[0]));
        if (!hub.unplug(id))
            return Reply::error(QStringLiteral("virtual camera %1 is already unplugged").arg(id));
        return Reply{};
    });
}
