#pragma once

#include <QString>

// The lock file and local sockets of a running Arvo, in the user's runtime directory
// ($XDG_RUNTIME_DIR/arvo, or a private folder in the temporary directory when there is none).
namespace RuntimePaths {

QString runtimeFolder();       // created (mode 0700) on demand
QString instanceLock();        // held by the running instance for as long as it runs
QString instanceSocket();      // single instance: a second launch asks the first to show up
QString virtualCameraSocket(); // arvo-vcam drives the virtual cameras through this

} // namespace RuntimePaths
