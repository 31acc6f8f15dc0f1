#include "CommandLine.h"
#include "LumoAppController.h"
#include "SingleInstance.h"
#include "Translations.h"
#include "core/Delays.h"
#include "core/UserDefaults.h"
#include "ui/widgets/LumoImages.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <exiv2/exiv2.hpp>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the signal handler, [1] read by the event loop.
int signalSockets[2] = {-1, -1};

void onTerminationSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C) end Arvo as its Quit menu does, so that
// photos being saved are finished and the settings written. A signal handler may do next to
// nothing safely, so it only writes a byte to a socket pair; the event loop reads it and quits.
void quitOnTerminationSignals(LumoAppController *controller)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        std::perror("arvo: socketpair");
        return;
    }
    auto *notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, controller);
    QObject::connect(notifier, &QSocketNotifier::activated, controller, [controller] {
        char bytes[16];
        while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
        }
        controller->quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before the QApplication exists, which needs a display: help, the version and a
    // mistake are answered on a console, over ssh or in a build without one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineOptions options = parseCommandLine(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "arvo: %s\n\n%s", qPrintable(options.error), qPrintable(commandLineHelp()));
        return 2;
    }
    if (options.showHelp) {
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::fputs("arvo " ARVO_VERSION "\n", stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Photos are read and written with exiv2 on several threads (saves, turns, thumbnails); its
    // XMP support sets itself up on first use, which is not thread-safe, so it is set up here.
    Exiv2::XmpParser::initialize();
    QApplication::setApplicationName(QStringLiteral("Arvo"));
    QApplication::setApplicationVersion(QStringLiteral(ARVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(ARVO_APP_ID));
    QApplication::setWindowIcon(LumoImages::applicationIcon());
    // Before any window or message, which take their texts when they are made.
    const Translations translations;

    // Settled before anything else starts, so that of two launches at once only one goes on.
    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::Role::Primary:
        break;
    case SingleInstance::Role::HandedOver:
        return 0;
    case SingleInstance::Role::NoAnswer:
        std::fputs("arvo: another Arvo is running but does not answer\n", stderr);
        return 1;
    case SingleInstance::Role::Failed:
        std::fprintf(stderr, "arvo: %s\n", qPrintable(instance.problem()));
        return 1;
    }

    Delays::setTimeScale(options.timeScale);
    int status = 0;
    {
        LumoAppController controller(options);
        quitOnTerminationSignals(&controller);
        controller.awakeFromNib();
        controller.applicationWillFinishLaunching(&instance);
        status = app.exec();
        // Launches from here on wait for the lock rather than ask a window that is going away;
        // the presses still on their way take their photos, the controller then waits for
        // photos still being saved, and the lock goes last.
        instance.stopListening();
        controller.applicationWillTerminate();
    }
    // What the controller's parts stored as they closed is written while Qt is still whole.
    UserDefaults::flushAll();
    return status;
}
