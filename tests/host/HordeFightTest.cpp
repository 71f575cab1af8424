#include "host/scenarios/HordeFight.h"
#include "host/FrameCostHistogram.h"
#include "host/HostOptions.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(HordeOptions, MonstersGoWithTheHordeAndAreBounded)
{
    // "taken" and the count of monsters, or the refusal.
    const auto parse = [](std::vector<std::string> args) {
        args.insert(args.end(), {"--db", "x"});
        HostOptions options;
        std::string error;
        const bool taken = options.Parse(args, error);
        return taken ? "taken " + error + std::to_string(options.monsters) : error;
    };
    EXPECT_EQ(parse({"--scenario", "horde"}), "taken 1000");
    EXPECT_EQ(parse({"--scenario", "horde", "--monsters", "20000"}), "taken 20000");
    for (const char* count : {"0", "15", "20010"})
        EXPECT_EQ(parse({"--scenario", "horde", "--monsters", count}),
                  "--monsters needs whole packs of 10: 10, 20 ... 20000, not '" +
                      std::string(count) + "'");
    EXPECT_EQ(parse({"--scenario", "arena", "--monsters", "10"}),
              "--monsters goes with --scenario horde");
    EXPECT_EQ(parse({"--scenario", "horde", "--role", "server"}),
              "--scenario horde runs as single player only");
}

TEST(HordeFight, SumsTheFramesAfterTheSpawn)
{
    FrameCostHistogram frames(HordeFight::kFrameMsDecimals);
    for (int i = 200; i >= 1; --i)
        frames.Add(i * 0.01 + 0.0001);
    const HordeFight::Figures figures = HordeFight::Sum(frames, 500);
    EXPECT_NEAR(figures.meanMs, 1.0051, 1e-9);
    // The 198th of 200 sorted frames, to the microsecond: two lie above the 99th percentile.
    EXPECT_DOUBLE_EQ(figures.p99Ms, 1.98);
    EXPECT_DOUBLE_EQ(figures.worstMs, 2.0001);
    EXPECT_NEAR(figures.perMonsterUs, 2.0102, 1e-9);
    EXPECT_EQ(HordeFight::Sum(FrameCostHistogram(3), 10).worstMs, 0.0);
}

TEST(FrameCostHistogram, AnyNumberOfFramesTakesOneCountAStep)
{
    FrameCostHistogram frames(1);
    for (int i = 0; i < 100000; ++i)
        frames.Add(i % 2 == 0 ? 40.04 : 59.96);
    frames.Add(-0.01);
    EXPECT_EQ(frames.GetCount(), 100001u);
    EXPECT_EQ(frames.GetStepCount(), 3u);
    EXPECT_DOUBLE_EQ(frames.GetPercentile(50), 40.0);
    EXPECT_DOUBLE_EQ(frames.GetPercentile(99), 60.0);
    EXPECT_DOUBLE_EQ(frames.GetPercentile(0), 0.0);
    EXPECT_DOUBLE_EQ(frames.GetWorst(), 59.96);
}

TEST(HordeFight, TheScenarioPrintsTheFrameCostOfWholePacks)
{
    const HostRun run = RunSample({"--scenario", "horde", "--monsters", "20", "--frames", "20"});
    ExpectClean(run);
    EXPECT_EQ(LinesStarting(run.out, "scenario horde"),
              "scenario horde, seed 1, 20 monsters in 2 packs, 20 frames of 33 ms:\n");
    EXPECT_NE(LinesStarting(run.out, "  frame: mean ").find(" ms, p99 "), std::string::npos);
    EXPECT_NE(LinesStarting(run.out, "  spawn: ").find(" us a monster to make, first frame "),
              std::string::npos);
    EXPECT_NE(run.out.find("  fallen: "), std::string::npos);
    // The footer counts the fight's frames, the first among them, and no loop after it.
    EXPECT_EQ(LinesStarting(run.out, "frames: "), "frames: 21 (693 ms of game time)\n");
}

} // namespace
} // namespace GAME::Test
