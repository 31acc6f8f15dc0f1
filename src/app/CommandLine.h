#pragma once

#include <QString>
#include <QStringList>

// What `arvo` was asked to do on its command line.
struct CommandLineOptions {
    bool verbose = false;           // --verbose: diagnostics into the log
    bool useVirtualCameras = false; // --virtual-camera=MODEL[,MODEL...]
    QStringList virtualCameras;     // models, in plugging order
    double timeScale = 1.0;         // --time-scale=F: every delay times F (for tests)
    bool showHelp = false;
    QString error; // set when the command line cannot be used
};

CommandLineOptions parseCommandLine(const QStringList &arguments);
QString commandLineHelp();
