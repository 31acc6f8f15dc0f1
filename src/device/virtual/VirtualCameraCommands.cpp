#include "VirtualCameraCommands.h"

#include "ControlServer.h"
#include "VirtualCameraHub.h"
#include "VirtualUvcModel.h"

namespace {

using Reply = ControlServer::Reply;

Reply usage(const QString &text)
{
    return Reply::error(QStringLiteral("usage: %1").arg(text));
}

// The camera named by an id argument, or an error reply.
std::shared_ptr<VirtualCamera> cameraFor(VirtualCameraHub &hub, const QString &id, Reply *error)
{
    bool ok = false;
    const int number = id.toInt(&ok);
    auto camera = ok ? hub.camera(number) : nullptr;
    if (!camera)
        *error = Reply::error(QStringLiteral("no virtual camera with id \"%1\"").arg(id));
    return camera;
}

Reply notDelivered(const VirtualCamera &camera)
{
    const int id = camera.id();
    if (!camera.plugged())
        return Reply::error(QStringLiteral("virtual camera %1 is unplugged").arg(id));
    if (!camera.hasHid())
        return Reply::error(QStringLiteral("virtual camera %1 has no HID interface").arg(id));
    if (camera.faults().noButtons)
        return Reply::error(QStringLiteral("virtual camera %1 has no button element").arg(id));
    return Reply::error(QStringLiteral("virtual camera %1 is not open yet").arg(id));
}

QString faultNames(const VirtualCamera::Faults &faults)
{
    QStringList names;
    if (faults.noHid)
        names << QStringLiteral("no-hid");
    if (faults.noButtons)
        names << QStringLiteral("no-buttons");
    if (faults.noFocusDone)
        names << QStringLiteral("no-focus-done");
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char(' '));
}

QStringList describeState(const VirtualCamera &camera)
{
    QStringList lines;
    lines << QStringLiteral("model %1").arg(camera.modelName())
          << QStringLiteral("plugged %1").arg(camera.plugged() ? "yes" : "no")
          << QStringLiteral("stalled %1").arg(camera.stalled() ? "yes" : "no")
          << QStringLiteral("faults %1").arg(faultNames(camera.faults()));
    // What the HID side keeps; a camera of another maker has none.
    if (camera.model() != VirtualCamera::Model::Uvc)
        lines << QStringLiteral("focus-mode %1").arg(camera.focusMode() == 1 ? "continuous" : "single")
              << QStringLiteral("exposure-step %1").arg(camera.exposureStep())
              << QStringLiteral("exposure-lock %1").arg(camera.exposureLocked() ? "on" : "off");
    lines << camera.uvcModel().describe();
    lines << QStringLiteral("output-reports:");
    for (const QByteArray &report : camera.outputReports())
        lines << QString::fromLatin1(report.toHex(' '));
    return lines;
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
            QString line =
                QStringLiteral("%1 %2 0x%3 %4")
                    .arg(camera->id())
                    .arg(camera->modelName())
                    .arg(info.locationId, 8, 16, QLatin1Char('0'))
                    .arg(camera->plugged() ? QStringLiteral("plugged") : QStringLiteral("unplugged"));
            if (camera->plugged() && info.key == current)
                line += QStringLiteral(" current");
            reply.lines << line;
        }
        return reply;
    });

    // A camera with faults: --no-hid (its HID interface cannot be opened), --no-buttons (no
    // button element), --no-focus-done (focusing never ends).
    server.addCommand(QStringLiteral("plug"), [&hub](const QStringList &args) {
        const QString syntax =
            QStringLiteral("plug arvo|tobble|uvc [--no-hid] [--no-buttons] [--no-focus-done]");
        VirtualCamera::Model model;
        if (args.isEmpty())
            return usage(syntax);
        if (!VirtualCamera::modelFromName(args[0], &model))
            return Reply::error(
                QStringLiteral("unknown camera model \"%1\" (models: arvo, tobble, uvc)").arg(args[0]));
        VirtualCamera::Faults faults;
        for (const QString &option : args.mid(1)) {
            if (option == QLatin1String("--no-hid"))
                faults.noHid = true;
            else if (option == QLatin1String("--no-buttons"))
                faults.noButtons = true;
            else if (option == QLatin1String("--no-focus-done"))
                faults.noFocusDone = true;
            else
                return usage(syntax);
        }
        return Reply{true, {QString::number(hub.plug(model, faults)->id())}};
    });

    server.addCommand(QStringLiteral("unplug"), [&hub](const QStringList &args) {
        if (args.size() != 1)
            return usage(QStringLiteral("unplug ID"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        if (!hub.unplug(camera->id()))
            return Reply::error(QStringLiteral("virtual camera %1 is already unplugged").arg(camera->id()));
        return Reply{};
    });

    // The camera's buttons: snapshot and custom report one value; focus reports its begin and,
    // a second later, its end. A camera of another maker has only the snapshot button, which
    // sends its key through its input device.
    server.addCommand(QStringLiteral("press"), [&hub](const QStringList &args) {
        if (args.size() != 2)
            return usage(QStringLiteral("press ID snapshot|focus|custom"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        bool delivered = false;
        if (args[1] == QLatin1String("snapshot") && camera->model() == VirtualCamera::Model::Uvc) {
            if (camera->pressCameraButton())
                return Reply{};
            return camera->plugged()
                       ? Reply::error(QStringLiteral("virtual camera %1 is not open yet").arg(camera->id()))
                       : notDelivered(*camera);
        }
        if (args[1] == QLatin1String("snapshot"))
            delivered = camera->raiseEvent(0x0001);
        else if (args[1] == QLatin1String("custom"))
            delivered = camera->raiseEvent(0x0302);
        else if (args[1] == QLatin1String("focus"))
            delivered = camera->focus();
        else
            return usage(QStringLiteral("press ID snapshot|focus|custom"));
        return delivered ? Reply{} : notDelivered(*camera);
    });

    server.addCommand(QStringLiteral("event"), [&hub](const QStringList &args) {
        if (args.size() != 2)
            return usage(QStringLiteral("event ID VALUE"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        bool ok = false;
        const qlonglong value = args[1].toLongLong(&ok, 0);
        if (!ok)
            return Reply::error(QStringLiteral("bad event value \"%1\"").arg(args[1]));
        if (value < VirtualCamera::ButtonElementMinimum || value > VirtualCamera::ButtonElementMaximum)
            return Reply::error(QStringLiteral("event value %1 out of the button element's range "
                                               "(%2 to %3)")
                                    .arg(args[1])
                                    .arg(VirtualCamera::ButtonElementMinimum)
                                    .arg(VirtualCamera::ButtonElementMaximum));
        return camera->raiseEvent(int32_t(value)) ? Reply{} : notDelivered(*camera);
    });

    server.addCommand(QStringLiteral("focusmode"), [&hub](const QStringList &args) {
        if (args.size() != 2
            || (args[1] != QLatin1String("single") && args[1] != QLatin1String("continuous")))
            return usage(QStringLiteral("focusmode ID single|continuous"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        const bool delivered = camera->switchFocusMode(args[1] == QLatin1String("continuous") ? 1 : 0);
        return delivered ? Reply{} : notDelivered(*camera);
    });

    // A stalled camera keeps its stream open and sends no frames, as a camera does whose video
    // hangs; the picture freezes until the stall is switched off.
    server.addCommand(QStringLiteral("stall"), [&hub](const QStringList &args) {
        if (args.size() != 2 || (args[1] != QLatin1String("on") && args[1] != QLatin1String("off")))
            return usage(QStringLiteral("stall ID on|off"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        camera->setStalled(args[1] == QLatin1String("on"));
        return Reply{};
    });

    server.addCommand(QStringLiteral("state"), [&hub](const QStringList &args) {
        if (args.size() != 1)
            return usage(QStringLiteral("state ID"));
        Reply error;
        auto camera = cameraFor(hub, args[0], &error);
        if (!camera)
            return error;
        return Reply{true, describeState(*camera)};
    });
}
