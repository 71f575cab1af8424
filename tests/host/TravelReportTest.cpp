#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

namespace GAME::Test {

namespace {

const char* const kHero = "Records/Creatures/PC/Hero.dbr";

HostRun RunTravel(const std::vector<std::string>& extra)
{
    std::vector<std::string> args = {"--db", SampleDatabase(), "--player", kHero};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunHost(args);
}

bool Has(const HostRun& run, const std::string& line)
{
    return run.out.find(line + '\n') != std::string::npos;
}

} // namespace

TEST(TravelReport, ASinglePlayerTeleportCrossesToTheFarRegionAndLeavesNoSleepBehind)
{
    const HostRun run =
        RunTravel({"--role", "single", "--frames", "200", "--teleport", "1005,0,5"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run, "frame 10: teleport of player 5 from region 1 (0.00, 0.00, 0.00) to "
                         "1005,0,5"));
    EXPECT_TRUE(Has(run, "frame 10: StartTeleportPacket (broadcast, 24 bytes)"));
    EXPECT_TRUE(Has(run, "frame 50: teleport state 1, timer 1320, fade 0.528, needs sleep 1"));
    EXPECT_TRUE(Has(run, "frame 86: rendering off"));
    EXPECT_TRUE(Has(run, "frame 86: teleport mode on"));
    EXPECT_TRUE(Has(run, "frame 117: rendering on"));
    EXPECT_TRUE(Has(run, "frame 193: teleport finished, player at region 2 (5.00, 0.00, 5.00), "
                         "needs sleep 0"));
}

TEST(TravelReport, ARespawnFadesInAndOutAndFinishes)
{
    const HostRun run = RunTravel({"--role", "single", "--frames", "120", "--respawn"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run, "frame 10: respawn of player 5 at region 1 (0.00, 0.00, 0.00)"));
    EXPECT_TRUE(Has(run, "frame 10: respawn state 0, timer 33, fade 0.033, needs sleep 0"));
    EXPECT_TRUE(Has(run, "frame 40: rendering off"));
    EXPECT_TRUE(Has(run, "frame 71: teleport mode off"));
    EXPECT_TRUE(Has(run, "frame 103: respawn finished, player at region 1 (0.00, 0.00, 0.00), "
                         "needs sleep 0"));
}

TEST(TravelReport, ASecondPortalRequestAsksFirst)
{
    const HostRun run =
        RunTravel({"--role", "single", "--frames", "12", "--portal", "--answer", "no"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run, "frame 5: portal asked for by player 5"));
    EXPECT_TRUE(Has(run, "frame 10: portal asked for by player 5, who owns one"));
    EXPECT_TRUE(Has(run, "frame 10: dialog \"tagPortalDialog\" answered no"));
}

TEST(TravelReport, TravelOptionsAreChecked)
{
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--db", "d", "--role", "single", "--respawn"},
         "--respawn needs the main player's record (--player RECORD)"},
        {{"--db", "d", "--role", "single", "--teleport", "1,2"},
         "--teleport needs whole world coordinates X,Y,Z, not '1,2'"},
        {{"--db", "d", "--role", "single", "--teleport", "1,2,3.5"},
         "--teleport needs whole world coordinates X,Y,Z, not '1,2,3.5'"},
        {{"--db", "d", "--role", "single", "--player", kHero, "--teleport", "1,2,3", "--respawn"},
         "--teleport and --respawn cannot be given together"},
    };
    for (const auto& one : cases) {
        const HostRun run = RunHost(one.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(one.error), std::string::npos) << run.err;
    }
}

} // namespace GAME::Test
