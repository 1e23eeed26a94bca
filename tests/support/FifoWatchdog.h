#pragma once
// A FIFO standing where a file is expected, with a watchdog for code that must never block on
// it: once the deadline has passed, the watchdog keeps opening the FIFO's writing end, which
// releases a reader stuck in open() and lets it read an empty file. The test then fails on
// Rescues() instead of hanging until its time-out.

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class TFifoWatchdog {
public:
    explicit TFifoWatchdog(std::string path,
                           std::chrono::milliseconds deadline = std::chrono::milliseconds(2000));
    ~TFifoWatchdog();
    TFifoWatchdog(const TFifoWatchdog&) = delete;
    TFifoWatchdog& operator=(const TFifoWatchdog&) = delete;

    // How often a reader had to be released.
    int Rescues() const { return rescues.load(); }

private:
    void Watch(std::chrono::milliseconds deadline);

    std::string path;
    std::atomic<bool> stop{false};
    std::atomic<int> rescues{0};
    std::thread watcher;
};
