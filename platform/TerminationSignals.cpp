#include "TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int readEnd = -1;
int writeEnd = -1;

constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnTerminationSignal(int signalNumber) {
    PostTerminationRequest(signalNumber);
}

bool IgnoredAtStart(int signalNumber) {
    struct sigaction current {};
    return ::sigaction(signalNumber, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
           current.sa_handler == SIG_IGN;
}

} // namespace

int InstallTerminationSignals() {
    if (readEnd >= 0)
        return readEnd;
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
        return -1;
    readEnd = ends[0];
    writeEnd = ends[1];
    for (const int signalNumber : HandledSignals) {
        if (IgnoredAtStart(signalNumber))
            continue;
        struct sigaction action {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signalNumber, &action, nullptr);
    }
    return readEnd;
}

void PostTerminationRequest(int signalNumber) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    if (writeEnd >= 0 && ::write(writeEnd, &byte, 1) < 0) {
        // Full: a request is waiting already.
    }
    errno = saved;
}

int TakeTerminationRequests() {
    int last = 0;
    unsigned char bytes[64];
    for (;;) {
        const ssize_t n = readEnd >= 0 ? ::read(readEnd, bytes, sizeof bytes) : -1;
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return last;
        last = bytes[n - 1];
    }
}
