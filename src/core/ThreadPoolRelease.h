#pragma once

#include "core/Delays.h"

class QThreadPool;

// Ends a thread pool whose owner goes away without ever waiting for it without end: the work in
// flight gets `limit` to finish, and a pool still busy then (a read stuck in a file system that
// no longer answers) is left to finish on its own and never deleted, since deleting a busy pool
// waits for it. Quitting therefore never hangs on a worker. Work run on such a pool must hold
// nothing of its owner. Main thread.
void releaseThreadPool(QThreadPool *pool, Delays::Ms limit = Delays::WorkerShutdown);
