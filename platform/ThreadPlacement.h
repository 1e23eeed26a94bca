#pragma once
// Where a short helper thread runs.

#include <thread>

// Lets the thread run on any processor the process may use except the one the calling thread
// is on now, so that the two really run side by side. Linux first queues a new thread behind its
// creator on the same processor, and a job of a few milliseconds has ended before the scheduler
// moves it: the helper would only take turns with its creator. Does nothing on a single
// processor, where it cannot be otherwise, and where the platform offers no such placement.
void KeepOffCallingProcessor(std::thread& thread);
