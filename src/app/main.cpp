#include "CommandLine.h"
#include "LumoAppController.h"
#include "SingleInstance.h"
#include "core/Delays.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arvo"));
    QApplication::setApplicationVersion(QStringLiteral(ARVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("arvo"));

    const CommandLineOptions options = parseCommandLine(QApplication::arguments());
    if (options.showHelp) {
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "arvo: %s\n\n%s", qPrintable(options.error),
                     qPrintable(commandLineHelp()));
        return 2;
    }
    Delays::setTimeScale(options.timeScale);
    if (SingleInstance::askRunningInstanceToShow())
        return 0;

    SingleInstance instance;
    LumoAppController controller(options);
    controller.awakeFromNib();
    controller.applicationWillFinishLaunching(&instance);
    return app.exec();
}
