// A helper thread is kept off the processor its creator runs on, where there is another one.
#include "ThreadPlacement.h"

#include <gtest/gtest.h>
#include <latch>
#include <pthread.h>
#include <sched.h>

namespace {

cpu_set_t AffinityOf(std::thread& thread) {
    cpu_set_t set;
    CPU_ZERO(&set);
    pthread_getaffinity_np(thread.native_handle(), sizeof set, &set);
    return set;
}

// A thread that waits until released, so its placement can be read while it lives.
class WaitingThread {
public:
    WaitingThread() : thread_([this] { release_.wait(); }) {}
    ~WaitingThread() {
        release_.count_down();
        thread_.join();
    }
    std::thread& Thread() { return thread_; }

private:
    std::latch release_{1};
    std::thread thread_;
};

class ThreadPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sched_getaffinity(0, sizeof all_, &all_), 0);
        if (CPU_COUNT(&all_) < 2)
            GTEST_SKIP() << "one processor: nowhere else to go";
    }
    void TearDown() override { sched_setaffinity(0, sizeof all_, &all_); }
    cpu_set_t all_;
};

TEST_F(ThreadPlacement, HelperGetsEveryProcessorButTheCallers) {
    WaitingThread helper;
    KeepOffCallingProcessor(helper.Thread());
    const cpu_set_t placed = AffinityOf(helper.Thread());
    EXPECT_EQ(CPU_COUNT(&placed), CPU_COUNT(&all_) - 1);
    cpu_set_t inside;
    CPU_AND(&inside, &placed, &all_);
    EXPECT_TRUE(CPU_EQUAL(&inside, &placed)) << "only processors the process may use";
}

TEST_F(ThreadPlacement, CallerHeldOnOneProcessorLeavesTheHelperAlone) {
    WaitingThread helper; // made while the caller may run anywhere: so may the helper
    int only = 0;
    while (!CPU_ISSET(only, &all_))
        ++only;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(only, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    KeepOffCallingProcessor(helper.Thread());
    const cpu_set_t placed = AffinityOf(helper.Thread());
    EXPECT_TRUE(CPU_EQUAL(&placed, &all_)) << "the caller has no second processor to offer";
}

} // namespace
