#include "engine/SessionClock.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using namespace std::chrono_literals;

// Frames of 4.3 ms count whole, however many: no frame's fraction is lost. A gap past the lag
// bound is a stop, which counts the pace of one frame and is told, and the clock goes on after.
TEST(SessionClock, CountsEveryFrameExactlyAndAStopAsOneFrame)
{
    SessionClock clock;
    clock.SetPaceMs(4);
    SessionClock::Wall::time_point now{};
    clock.Read(now);
    for (int frame = 0; frame < 1000; ++frame)
        clock.Read(now += 4300us);
    EXPECT_EQ(clock.Ms(), 4300u);
    EXPECT_EQ(clock.LastStopMs(), 0u);
    clock.Read(now += 250ms);
    EXPECT_EQ(clock.Ms(), 4550u);
    clock.Read(now += 12001ms);
    EXPECT_EQ(clock.Ms(), 4554u);
    EXPECT_EQ(clock.LastStopMs(), 11997u);
    clock.Read(now += 1ms);
    EXPECT_EQ(clock.Ms(), 4555u);
    EXPECT_EQ(clock.LastStopMs(), 0u);
    clock.Reset();
    clock.Read(now + 1s);
    EXPECT_EQ(clock.Ms(), 0u);
}

// A long frame of the thread's own work is run time and no stop; a gap it did not run for longer
// than the lag bound is one, and counts only its work, at least a frame's pace.
TEST(SessionClock, CountsALongFramesWorkAndOnlyTheRestAsAStop)
{
    SessionClock clock;
    clock.SetPaceMs(20);
    SessionClock::Wall::time_point now{};
    std::chrono::nanoseconds worked{};
    clock.Read(now, worked);
    clock.Read(now += 400ms, worked += 390ms);
    EXPECT_EQ(clock.Ms(), 400u);
    EXPECT_EQ(clock.LastStopMs(), 0u);
    clock.Read(now += 7000ms, worked += 100ms);
    EXPECT_EQ(clock.Ms(), 500u);
    EXPECT_EQ(clock.LastStopMs(), 6900u);
    clock.Read(now += 300ms, worked += 1ms);
    EXPECT_EQ(clock.Ms(), 520u);
    EXPECT_EQ(clock.LastStopMs(), 280u);
}

} // namespace
} // namespace GAME
