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
    for (int frame = 0; frame < 1000; ++frame) {
        now += 4300us;
        clock.Read(now);
    }
    EXPECT_EQ(clock.Ms(), 4300u);
    EXPECT_EQ(clock.LastStopMs(), 0u);
    now += 250ms;
    clock.Read(now);
    EXPECT_EQ(clock.Ms(), 4550u);
    now += 12001ms;
    clock.Read(now);
    EXPECT_EQ(clock.Ms(), 4554u);
    EXPECT_EQ(clock.LastStopMs(), 12001u);
    now += 1ms;
    clock.Read(now);
    EXPECT_EQ(clock.Ms(), 4555u);
    EXPECT_EQ(clock.LastStopMs(), 0u);
    clock.Reset();
    clock.Read(now + 1s);
    EXPECT_EQ(clock.Ms(), 0u);
}

} // namespace
} // namespace GAME
