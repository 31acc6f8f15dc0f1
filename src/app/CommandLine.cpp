#include "CommandLine.h"

#include "device/virtual/VirtualCamera.h"

namespace {

// How many words from `i` on are Qt's: 0 for a word of Arvo's own. These are the options
// QGuiApplication and QApplication take for themselves, with one dash or two; those of
// `withValue` take a value, as the next word or after "=".
int qtOptionLength(const QStringList &arguments, int i)
{
    static const QStringList withValue =
        QStringLiteral(
            "platform platformpluginpath platformtheme plugin qwindowgeometry qwindowicon qwindowtitle "
            "session display geometry title name icon style stylesheet qmljsdebugger")
            .split(QLatin1Char(' '));
    static const QStringList flags =
        QStringLiteral("reverse widgetcount nograb dograb sync").split(QLatin1Char(' '));
    QString word = arguments[i];
    if (!word.startsWith(QLatin1Char('-')))
        return 0;
    word = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    if (flags.contains(word))
        return 1;
    if (withValue.contains(word.section(QLatin1Char('='), 0, 0)) && word.contains(QLatin1Char('=')))
        return 1;
    if (withValue.contains(word))
        return i + 1 < arguments.size() ? 2 : 1;
    return 0;
}

} // namespace

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    const QString virtualPrefix = QStringLiteral("--virtual-camera=");
    // "--virtual-camera MODELS" is the same as "--virtual-camera=MODELS".
    QStringList words;
    for (int i = 1; i < arguments.size(); ++i) {
        if (const int qtWords = qtOptionLength(arguments, i))
            i += qtWords - 1;
        else if (arguments[i] == QLatin1String("--virtual-camera") && i + 1 < arguments.size())
            words << virtualPrefix + arguments[++i];
        else
            words << arguments[i];
    }
    for (const QString &argument : std::as_const(words)) {
        if (argument == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.showHelp = true;
        } else if (argument == QLatin1String("--version")) {
            options.showVersion = true;
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
        "       arvo --help | --version\n"
        "\n"
        "Shows the live picture of a USB document camera and saves snapshots into the photo\n"
        "library. A second start brings the running window to the front.\n"
        "\n"
        "  --verbose                  write diagnostics into the log file\n"
        "  --virtual-camera=MODELS    run with simulated cameras (arvo, tobble, uvc) instead of\n"
        "                             USB cameras; drive them with arvo-vcam\n"
        "  -h, --help                 show this help and exit\n"
        "  --version                  show the version and exit\n"
        "\n"
        "Qt's own options (-platform, -style, ...) are accepted as well.\n"
        "Exit status: 0 done; 1 Arvo could not start; 2 a mistake on the command line.\n");
}
