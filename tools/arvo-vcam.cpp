// arvo-vcam: drives the virtual cameras of a running `arvo --virtual-camera=...`.

#include "core/RuntimePaths.h"
#include "device/virtual/ControlClient.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printUsage(FILE *to)
{
    std::fputs("Usage: arvo-vcam COMMAND [ARGUMENTS]\n"
               "       arvo-vcam --help | --version\n"
               "\n"
               "  list              one line per virtual camera: id, model, location ID,\n"
               "                    plugged or unplugged, and \"current\" for the current camera\n"
               "  plug MODEL [FAULT...]\n"
               "                    plugs a new camera (arvo, tobble or uvc) and prints its id;\n"
               "                    faults: --no-hid (no HID interface), --no-buttons (no\n"
               "                    button element), --no-focus-done (focusing never ends)\n"
               "  unplug ID         unplugs a camera\n"
               "  press ID BUTTON   presses a button: snapshot, focus or custom\n"
               "  event ID VALUE    raises a raw value of the button element, 0 to 65535\n"
               "                    (e.g. 514, 0x202)\n"
               "  focusmode ID MODE switches the focus button to single or continuous\n"
               "  stall ID on|off   freezes the camera's video (no frames) or lets it run again\n"
               "  state ID          prints the camera's controls, exposure, focus mode and the\n"
               "                    output reports it received, newest last\n"
               "  record start|stop starts a recording of the picture (prints its file) or\n"
               "                    ends it\n"
               "\n"
               "Talks to the Arvo started with --virtual-camera in this session.\n"
               "Exit status: 0 done; 2 no running instance, or the command failed;\n"
               "3 the running instance was too busy and nothing was done; 4 the command\n"
               "was sent but not answered in time, so it may have been done.\n",
               to);
}

} // namespace

int main(int argc, char *argv[])
{
    // The command is checked here, before anything is sent, so that a mistake is told apart from
    // an instance that is not running.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty()) {
        printUsage(stderr);
        return 2;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(stdout);
        return 0;
    }
    if (args.first() == QLatin1String("--version")) {
        std::fputs("arvo-vcam " ARVO_VERSION "\n", stdout);
        return 0;
    }
    static const QStringList commands = {"list",      "plug",  "unplug", "press", "event",
                                         "focusmode", "stall", "state",  "record"};
    if (!commands.contains(args.first())) {
        std::fprintf(stderr, "arvo-vcam: unknown %s \"%s\"\n\n",
                     args.first().startsWith(QLatin1Char('-')) ? "option" : "command",
                     qPrintable(args.first()));
        printUsage(stderr);
        return 2;
    }

    QCoreApplication app(argc, argv);
    QString problem;
    if (RuntimePaths::runtimeFolder(&problem).isEmpty()) {
        std::fprintf(stderr, "arvo-vcam: %s\n", qPrintable(problem));
        return 2;
    }
    const ControlResult result =
        sendControlCommand(RuntimePaths::virtualCameraSocket(), args.join(QLatin1Char(' ')));
    if (result.status == ControlResult::Ok) {
        for (const QString &line : result.lines)
            std::printf("%s\n", qPrintable(line));
        return 0;
    }
    for (const QString &line : result.lines)
        std::fprintf(stderr, "arvo-vcam: %s\n", qPrintable(line));
    switch (result.status) {
    case ControlResult::Busy:
        return 3;
    case ControlResult::NoAnswer:
        return 4;
    default:
        return 2;
    }
}
