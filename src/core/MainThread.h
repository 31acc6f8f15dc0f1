#pragma once

#include <functional>

// True on the thread that runs the application's event loop.
bool isMainThread();

// Runs `fn` at once when called on the main thread, otherwise queues it to the main thread
// without waiting. Calls queued from one thread run in the order they were queued.
void runOnMainThread(std::function<void()> fn);

// Always queues `fn` to the main thread, even from the main thread itself.
void queueOnMainThread(std::function<void()> fn);
