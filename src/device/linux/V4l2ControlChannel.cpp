#include "V4l2ControlChannel.h"

std::unique_ptr<UsbControlChannel> openV4l2ControlChannel(const QString &)
{
    return nullptr;
}
