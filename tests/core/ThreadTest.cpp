#include "core/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace GAME {
namespace {

class CountingThread : public Thread {
public:
    void Run() override
    {
        SetThreadName("counting thread with a long name");
        for (int i = 0; i < 1000; ++i)
            ++count;
    }
    std::atomic<int> count{0};
};

TEST(Thread, RunsItsBodyAndIsWaitedFor)
{
    CountingThread thread;
    EXPECT_FALSE(thread.WaitForExit()); // never started
    thread.Start();
    thread.SetPriority(0);
    EXPECT_TRUE(thread.WaitForExit());
    EXPECT_EQ(thread.count, 1000);
    EXPECT_FALSE(thread.WaitForExit()); // already waited for

    thread.Start();
    thread.SetPriority(2); // may be refused without privileges; must not disturb the run
    EXPECT_TRUE(thread.WaitForExit());
    EXPECT_EQ(thread.count, 2000);
}

} // namespace
} // namespace GAME
