#pragma once
// Waits for a started service job on a worker thread, so the window's thread can go on with its
// events and poll for the end. The component must not be used by anyone else until Finished().

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TIBControlService;

class TServiceJobWatcher {
public:
    TServiceJobWatcher() = default;
    // Waits for the worker: a job cannot be abandoned halfway (the embedded engine would be
    // left with a job nobody reads, and the process could not exit).
    ~TServiceJobWatcher();
    TServiceJobWatcher(const TServiceJobWatcher&) = delete;
    TServiceJobWatcher& operator=(const TServiceJobWatcher&) = delete;

    // Starts waiting for the job the service has just started. One job per watcher.
    void Start(TIBControlService& service);
    bool Finished() const { return finished.load(std::memory_order_acquire); }
    // The output lines received since the last call.
    std::vector<std::string> TakeLines();
    // After Finished(): raises again, on the calling thread, the very exception the wait ended
    // with (an EIBInterBaseError keeps its type, text and codes), if any.
    void RethrowIfFailed();

private:
    void Run(TIBControlService& service);

    std::thread worker;
    std::atomic<bool> finished{false};
    std::mutex lock;
    std::vector<std::string> lines;
    std::exception_ptr failure;
};
