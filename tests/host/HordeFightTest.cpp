#include "host/scenarios/HordeFight.h"
#include "host/HostOptions.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(HordeOptions, MonstersGoWithTheHordeAndAreBounded)
{
    const struct {
        std::vector<std::string> args;
        const char* error;
        int32_t monsters;
    } rows[] = {
        {{"--scenario", "horde"}, "", 1000},
        {{"--scenario", "horde", "--monsters", "0"},
         "--monsters needs a count from 1 to 20000, not '0'",
         0},
        {{"--scenario", "horde", "--monsters", "20001"},
         "--monsters needs a count from 1 to 20000, not '20001'",
         0},
        {{"--scenario", "arena", "--monsters", "10"}, "--monsters goes with --scenario horde", 0},
        {{"--scenario", "horde", "--role", "server"},
         "--scenario horde runs as single player only",
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[row.args.size() - 1]);
        std::vector<std::string> args = row.args;
        args.insert(args.end(), {"--db", "x"});
        HostOptions options;
        std::string error;
        EXPECT_EQ(options.Parse(args, error), *row.error == '\0');
        EXPECT_EQ(error, row.error);
        if (*row.error == '\0') {
            EXPECT_EQ(options.monsters, row.monsters);
        }
    }
}

TEST(HordeFight, SumsTheFramesAfterTheSpawn)
{
    std::vector<double> frames;
    for (int i = 1; i <= 200; ++i)
        frames.push_back(i * 0.01);
    const HordeFight::Figures figures = HordeFight::Sum(frames, 500);
    EXPECT_DOUBLE_EQ(figures.meanMs, 1.005);
    // The 198th of 200 sorted frames: two lie above the 99th percentile.
    EXPECT_DOUBLE_EQ(figures.p99Ms, 1.98);
    EXPECT_DOUBLE_EQ(figures.worstMs, 2.0);
    EXPECT_DOUBLE_EQ(figures.perMonsterUs, 2.01);
    EXPECT_EQ(HordeFight::Sum({}, 10).worstMs, 0.0);
}

TEST(HordeFight, TheScenarioPrintsTheFrameCostOfWholePacks)
{
    const HostRun run = RunSample({"--scenario", "horde", "--monsters", "15", "--frames", "20"});
    ExpectClean(run);
    EXPECT_EQ(LinesStarting(run.out, "scenario horde"),
              "scenario horde, seed 1, 20 monsters in 2 packs, 20 frames of 33 ms:\n");
    EXPECT_NE(LinesStarting(run.out, "  frame: mean ").find(" ms, p99 "), std::string::npos);
    EXPECT_NE(LinesStarting(run.out, "  spawn: ").find(" us a monster to make, first frame "),
              std::string::npos);
    EXPECT_NE(run.out.find("  fallen: "), std::string::npos);
}

} // namespace
} // namespace GAME::Test
