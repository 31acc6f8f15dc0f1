#include "CommandLine.h"

#include "device/virtual/VirtualCamera.h"

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    const QString virtualPrefix = QStringLiteral("--virtual-camera=");
    // "--virtual-camera MODELS" is the same as "--virtual-camera=MODELS".
    QStringList words;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--virtual-camera") && i + 1 < arguments.size())
            words << virtualPrefix + arguments[++i];
        else
            words << arguments[i];
    }
    for (const QString &argument : std::as_const(words)) {
        if (argument == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.showHelp = true;
        } else if (argument.startsWith(QLatin1String("--time-scale="))) {
            bool ok = false;
            options.timeScale = argument.section(QLatin1Char('='), 1).toDouble(&ok);
            if (!ok || options.timeScale <= 0) {
                options.error = QStringLiteral("bad time scale \"%1\"").arg(argument);
                return options;
            }
        } else if (argument.startsWith(virtualPrefix)) {
            options.useVirtualCameras = true;
            const QStringList models =
                argument.mid(virtualPrefix.size()).split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &model : models) {
                VirtualCamera::Model m;
                if (!VirtualCamera::modelFromName(model.trimmed(), &m)) {
                    options.error = QStringLiteral("unknown virtual camera model \"%1\" "
                                                   "(models: arvo, tobble, uvc)")
                                        .arg(model.trimmed());
                    return options;
                }
                options.virtualCameras << model.trimmed();
            }
        } else {
            options.error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return options;
        }
    }
    return options;
}

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: arvo [--verbose] [--virtual-camera=MODEL[,MODEL...]]\n"
        "\n"
        "  --verbose                  write diagnostics into the log file\n"
        "  --virtual-camera=MODELS    run with simulated cameras (arvo, tobble, uvc) instead of\n"
        "                             USB cameras; drive them with arvo-vcam\n");
}
