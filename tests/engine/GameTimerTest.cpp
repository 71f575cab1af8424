#include "engine/GameTimer.h"

#include "engine/Engine.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST(GameTimer, MeasuresScaledGameTime)
{
    GameTimer timer;
    gEngine->RunFrame(16);
    timer.Update();
    EXPECT_EQ(timer.GetElapsedTime(), 16);
    gEngine->RunFrame(10);
    gEngine->RunFrame(-5); // the clock never runs backwards
    timer.Update();
    EXPECT_EQ(timer.GetElapsedTime(), 10);
    EXPECT_EQ(timer.GetTotalElapsedTime(), 26);

    // Half speed keeps the fraction: 7.5 ms twice is 7 then 8.
    timer.SetTimeScale(0.5f);
    gEngine->RunFrame(15);
    timer.Update();
    EXPECT_EQ(timer.GetElapsedTime(), 7);
    gEngine->RunFrame(15);
    timer.Update();
    EXPECT_EQ(timer.GetElapsedTime(), 8);
    EXPECT_EQ(timer.GetTotalElapsedTime(), 41);

    timer.SetTimeScale(-1.0f);
    gEngine->RunFrame(100);
    timer.Update();
    EXPECT_EQ(timer.GetElapsedTime(), 0);
}

} // namespace
} // namespace GAME::Test
