#include "engine/Engine.h"

#include "engine/RandomUniformLocked.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace GAME {
namespace {

TEST(Engine, LogFormatsLinesOfAnyLengthAndCapturesNest)
{
    GAME::Test::LogCapture outer;
    {
        GAME::Test::LogCapture inner;
        const std::string longText(3000, 'x');
        gEngine->Log(Engine::LogData, "Designer variable '%s' not found in parent", "speed");
        gEngine->Log(Engine::LogRuntime, "%s|%d", longText.c_str(), 7);
        ASSERT_EQ(inner.GetLines().size(), 2u);
        EXPECT_EQ(inner.Count(1, "Designer variable 'speed' not found in parent"), 1u);
        EXPECT_EQ(inner.GetLines()[1].text, longText + "|7");
    }
    gEngine->Log(Engine::LogInfo, "after");
    ASSERT_EQ(outer.GetLines().size(), 1u);
    EXPECT_EQ(outer.GetLines()[0], (GAME::Test::LogCapture::Line{0, "after"}));
}

TEST(Engine, SettingsStayInRange)
{
    GameInfo& info = gEngine->GetGameInfo();
    info.SetDifficulty(7);
    EXPECT_EQ(info.GetDifficulty(), 2u);
    info.SetDifficulty(0);
    Options& options = gEngine->GetOptions();
    options.SetBool(-1, true);
    options.SetBool(Options::kSwitchCount, true);
    EXPECT_FALSE(options.GetBool(-1));
    EXPECT_FALSE(options.GetBool(Options::kSwitchCount));
    EXPECT_EQ(options.GetValue("language", "english"), "english");
}

// The shared generator is used from the quest thread too: concurrent draws must not lose steps.
TEST(RandomUniformLocked, ConcurrentDrawsAdvanceTheSequenceOncePerDraw)
{
    RandomUniformLocked shared;
    shared.Seed(5);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared] {
            for (int i = 0; i < 1000; ++i)
                shared.IGenerate(0, 10);
        });
    for (std::thread& thread : threads)
        thread.join();
    RandomUniform alone;
    alone.Seed(5);
    for (int i = 0; i < 4000; ++i)
        alone.IGenerate(0, 10);
    EXPECT_EQ(shared.GetState(), alone.GetState());
}

} // namespace
} // namespace GAME
