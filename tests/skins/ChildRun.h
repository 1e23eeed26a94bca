#pragma once
// Runs a piece of work in a forked child: a stall is ended by an alarm instead of holding up
// the test program, and the child's peak memory is the work's own.

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildRun {
    bool TimedOut = false; // stopped by the alarm
    bool Crashed = false;  // ended by another signal
    std::string Outcome;   // what the work returned, or "error: " and the exception's text
    long PeakMb = 0;       // the child's peak resident memory
};

inline ChildRun RunInChild(const std::function<std::string()>& work, unsigned timeoutSeconds) {
    int ends[2];
    if (::pipe(ends) != 0)
        return {false, true, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        ::alarm(timeoutSeconds);
        std::string outcome;
        try {
            outcome = work();
        } catch (const std::exception& error) {
            outcome = std::string("error: ") + error.what();
        }
        (void)!::write(ends[1], outcome.data(), outcome.size());
        ::_exit(0);
    }
    ::close(ends[1]);
    ChildRun run;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        run.Outcome.append(buffer, static_cast<std::size_t>(n));
    ::close(ends[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.PeakMb = usage.ru_maxrss / 1024;
    run.TimedOut = WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM;
    run.Crashed = WIFSIGNALED(status) && !run.TimedOut;
    return run;
}
