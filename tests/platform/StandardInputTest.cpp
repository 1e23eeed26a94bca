// The standard input, detached, ends every read at once, whatever it was before.
#include "StandardInput.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In a child, so the test program keeps its own standard input. The child's standard input is
// the read end of a pipe whose writer stays open and silent, as a terminal nobody types at:
// exit 0 when, once detached, a read there returns end of file at once.
int ReadAfterDetaching(bool closedBefore) {
    if (closedBefore)
        ::close(STDIN_FILENO);
    if (!DetachStandardInput())
        return 2;
    pollfd wait{STDIN_FILENO, POLLIN, 0};
    if (::poll(&wait, 1, 2000) != 1)
        return 3; // still waiting for the writer
    char byte;
    return ::read(STDIN_FILENO, &byte, 1) == 0 ? 0 : 4;
}

TEST(StandardInput, ADetachedInputEndsAtOnceInsteadOfWaitingForItsWriter) {
    for (const bool closedBefore : {false, true}) {
        SCOPED_TRACE(closedBefore ? "closed before" : "a silent pipe");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(fds[0], STDIN_FILENO);
            ::close(fds[0]);
            ::_exit(ReadAfterDetaching(closedBefore));
        }
        ::close(fds[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(fds[1]);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}

} // namespace
