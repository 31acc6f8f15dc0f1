#pragma once

#include <QString>

#include <functional>

class ControlServer;
class VirtualCameraHub;

// The arvo-vcam commands that plug, unplug and list virtual cameras. `currentKey` gives the
// device key of the application's current camera (empty when there is none).
void addVirtualCameraCommands(ControlServer &server, VirtualCameraHub &hub,
                              std::function<QString()> currentKey);
