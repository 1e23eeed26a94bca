#include "ServiceJobWatcher.h"

#include "IBControlService.h"

#include <stdexcept>

TServiceJobWatcher::~TServiceJobWatcher() {
    if (worker.joinable())
        worker.join();
}

void TServiceJobWatcher::Start(TIBControlService& service) {
    if (worker.joinable())
        throw std::logic_error("TServiceJobWatcher::Start: a job is already being watched");
    worker = std::thread([this, &service] { Run(service); });
}

void TServiceJobWatcher::Run(TIBControlService& service) {
    try {
        service.WaitForServiceEnd([this](const std::string& line) {
            std::lock_guard<std::mutex> guard(lock);
            lines.push_back(line);
        });
    } catch (...) {
        std::lock_guard<std::mutex> guard(lock);
        failure = std::current_exception();
    }
    finished.store(true, std::memory_order_release);
}

std::vector<std::string> TServiceJobWatcher::TakeLines() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::string> taken;
    taken.swap(lines);
    return taken;
}

void TServiceJobWatcher::RethrowIfFailed() {
    if (!Finished())
        throw std::logic_error("TServiceJobWatcher::RethrowIfFailed: the job has not finished");
    if (worker.joinable())
        worker.join();
    std::lock_guard<std::mutex> guard(lock);
    if (failure)
        std::rethrow_exception(failure);
}
