#pragma once

#include <QString>

// Shows a file in the desktop's file manager, selected in its folder: asks
// org.freedesktop.FileManager1 over the session bus without waiting for the answer; when no file
// manager answers (no session bus, no such service, an error), the folder is opened with the
// desktop's default handler instead.
//
// Main thread.
void showInFileManager(const QString &path);
