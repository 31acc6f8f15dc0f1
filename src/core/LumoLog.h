#pragma once

#include <QString>

// The application's own folder in the user's data directory ($XDG_DATA_HOME/Arvo, usually
// ~/.local/share/Arvo), or the temporary directory's "Arvo" when no data directory is known.
// Computed afresh at every call.
QString applicationSupportFolder();

// The log file inside applicationSupportFolder().
QString logFilePath();

// Makes sure the application folder exists and appends standard error and standard output to
// "Log.txt" inside it, so that whatever Qt and the libraries print is kept across runs. Called
// once, first thing at start-up. A plain file standing where the folder belongs is left alone;
// the streams then stay where they were. Returns whether both streams now go to the log file.
bool setUpLog();

// The one diagnostics entry point. Silent unless switched on (`arvo --verbose`); when on, each
// message goes to standard error, and so into the log file, as
// "2026-12-07T17:30:01.123 file:line function: message" (local time).
// Safe to call from any thread.
class LumoLog {
public:
    static void setEnabled(bool enabled);
    static bool isEnabled();

    static void log(const char *file, const char *function, int line, const char *format, ...)
        __attribute__((format(printf, 4, 5)));
};

#define LUMO_LOG(...)                                                                                        \
    do {                                                                                                     \
        if (LumoLog::isEnabled())                                                                            \
            LumoLog::log(__FILE__, __func__, __LINE__, __VA_ARGS__);                                         \
    } while (0)
