// Termination signals become requests on a pipe instead of ending the process.
#include "TerminationSignals.h"

#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SignalCase {
    const char* Name;
    int Signal;
    bool IgnoredBefore; // as under nohup
    int Taken;          // what the pipe reports
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const SignalCase& c, std::ostream* os) {
    *os << c.Name;
}

// In a child process, so the test program keeps its own signal handling: exit 0 when the
// pipe reports what the case expects and the process survived the signal.
int RunCase(const SignalCase& c) {
    if (c.IgnoredBefore)
        std::signal(c.Signal, SIG_IGN);
    const int fd = InstallTerminationSignals();
    if (fd < 0 || InstallTerminationSignals() != fd)
        return 2;
    ::kill(::getpid(), c.Signal);
    pollfd watch{fd, POLLIN, 0};
    ::poll(&watch, 1, c.Taken != 0 ? 5000 : 200);
    return TakeTerminationRequests() == c.Taken && TakeTerminationRequests() == 0 ? 0 : 3;
}

class TerminationSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(TerminationSignal, BecomesARequestOnThePipe) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(RunCase(GetParam()));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the signal ended the process";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminationSignal,
                         ::testing::Values(SignalCase{"sigterm", SIGTERM, false, SIGTERM},
                                           SignalCase{"sigint", SIGINT, false, SIGINT},
                                           SignalCase{"sighup", SIGHUP, false, SIGHUP},
                                           SignalCase{"sighup_under_nohup", SIGHUP, true, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(TerminationRequest, PostedFromAnyThreadLikeASignal) {
    const pid_t child = ::fork();
    if (child == 0) {
        InstallTerminationSignals();
        PostTerminationRequest(SIGTERM);
        PostTerminationRequest(SIGINT);
        ::_exit(TakeTerminationRequests() == SIGINT ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
