#include "core/ThreadPoolRelease.h"

#include "core/LumoLog.h"

#include <QThreadPool>

void releaseThreadPool(QThreadPool *pool, Delays::Ms limit)
{
    if (!pool)
        return;
    pool->clear();
    if (pool->waitForDone(Delays::scaled(limit))) {
        delete pool;
        return;
    }
    LUMO_LOG("a worker did not finish within %d ms; it is left to finish on its own", Delays::scaled(limit));
}
