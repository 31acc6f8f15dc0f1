#pragma once

#include <QString>
#include <QStringList>

// What `arvo` was asked to do on its command line. It is read before the QApplication exists, so
// that --help, --version and a mistake are answered without a display.
struct CommandLineOptions {
    bool verbose = false;           // --verbose: diagnostics into the log
    bool useVirtualCameras = false; // --virtual-camera=MODEL[,MODEL...]
    QStringList virtualCameras;     // models, in plugging order
    double timeScale = 1.0;         // --time-scale=F: every delay times F (for tests)
    bool showHelp = false;
    bool showVersion = false;
    QString error; // set when the command line cannot be used
};

// `arguments` is the whole command line, program name first. Qt's own options (-platform,
// -style, ...) are passed over: QApplication reads them itself.
CommandLineOptions parseCommandLine(const QStringList &arguments);
QString commandLineHelp();
