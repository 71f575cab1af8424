#include "host/KillReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(KillReport, TheMonsterRollsItsGearAndTheHeroEarnsHisShareAndALevel)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "kill", "--seed", "7"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    const char* lines[] = {
        "scenario kill as single player, seed 7:\n",
        ", level 3, experience 1200, reward 1200\n"
        "  monster's equipment for loot seed 7: 2 items\n",
        " Records/Items/Armor/LeatherCuirass.dbr\n",
        " Records/Items/Shields/WoodenShield.dbr\n",
        "  damage: total 80.0; player (with pet) 40.0, share 0.5; stranger 40.0, share 0.5\n"
        "  player before: level 1, experience 0\n",
        "(the pet; its master earns)\n"
        "  event: GameEvent_PlayerLevelUp (object ",
        "  bonus: experience 600, gold 0\n"
        "  player after: level 2, experience 600\n"
        "  damage entry left: no\n"
        "  play stats:\n",
        "         Total Gained 600\n",
    };
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found;
    }
}

TEST(KillReport, RunsOnlyAsSinglePlayer)
{
    const HostRun server =
        RunHost({"--db", SampleDatabase(), "--scenario", "kill", "--role", "server"});
    EXPECT_EQ(server.status, 1);
    EXPECT_NE(server.err.find("--scenario kill runs as single player only"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
