#include "HidChannel.h"

#include "core/LumoLog.h"

bool HidChannel::nextEvent(int32_t *value)
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (queue_.empty())
        return false;
    *value = queue_.front();
    queue_.pop_front();
    return true;
}

int HidChannel::queuedEvents() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return int(queue_.size());
}

void HidChannel::enqueueEvent(int32_t value)
{
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        if (queue_.size() >= QueueDepth)
            LUMO_LOG("event queue full, event %d dropped", value);
        else
            queue_.push_back(value);
    }
    // Announced even when the event was dropped: a full queue that nobody is told about would
    // never be drained again.
    emit eventsAvailable();
}
