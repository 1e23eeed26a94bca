// The start-up warm-up: it maps the client library and lets the window go on once the font
// configuration is read; where no thread can be had, the program starts all the same.
#include "StartupWarmUp.h"

#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* WithoutThreadsArgument = "--start-without-threads";

// Exit codes of the child that starts without threads.
enum ChildExit { Started = 0, CannotDropRoot = 3, CannotLimit = 4, ThreadsStillPossible = 5 };

// In a process of its own: the user may have no further process or thread at all.
int StartWithoutThreads() {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) // nobody: root has no limit
        return CannotDropRoot;
    const rlimit none{0, 0};
    if (setrlimit(RLIMIT_NPROC, &none) != 0)
        return CannotLimit;
    try {
        std::thread([] {}).join();
        return ThreadsStillPossible;
    } catch (const std::system_error&) {
    }
    TStartupWarmUp warmUp;
    WaitForStartupFonts();
    return Started;
}

bool LibraryMapped() {
    void* handle = dlopen("libfbclient.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

TEST(StartupWarmUp, MapsTheClientLibraryAndLetsTheWindowGoOn) {
    ASSERT_FALSE(LibraryMapped()) << "nothing in this test program maps it before";
    {
        TStartupWarmUp warmUp;
        WaitForStartupFonts();
    } // the warm-up has ended with its owner
    EXPECT_TRUE(LibraryMapped());
    WaitForStartupFonts(); // no warm-up under way: returns at once
}

TEST(StartupWarmUp, WithoutThreadsTheProgramStartsAllTheSame) {
    char self[] = "/proc/self/exe";
    char argument[64];
    std::strcpy(argument, WithoutThreadsArgument);
    char* argv[] = {self, argument, nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self, nullptr, nullptr, argv, environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), Started) << "see ChildExit";
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], WithoutThreadsArgument) == 0)
        return StartWithoutThreads();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
