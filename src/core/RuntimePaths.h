#pragma once

#include <QString>

// The lock file and local sockets of a running Arvo, in the user's runtime directory
// ($XDG_RUNTIME_DIR/arvo, or a private folder in the temporary directory when there is none).
//
// The temporary directory is shared with every local user, so the folder is used only when it is
// a real folder of this user that nobody else can enter: another user who made it first could
// otherwise answer in Arvo's place, and a link there would put Arvo's sockets over the user's
// own files.
namespace RuntimePaths {

// Created (mode 0700) on demand. Empty when something is in its place that must not be used; then
// `problem`, when given, says what, in words for the user.
QString runtimeFolder(QString *problem = nullptr);
// Each empty when the folder is.
QString instanceLock();        // held by the running instance for as long as it runs
QString instanceSocket();      // single instance: a second launch asks the first to show up
QString virtualCameraSocket(); // arvo-vcam drives the virtual cameras through this

// Makes `path` free for a new socket: a socket left there by a process that ended is removed,
// anything else is left alone. True when nothing is at `path` any more.
bool clearStaleSocket(const QString &path);

} // namespace RuntimePaths
