#include "host/AiReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

void ExpectInOrder(const std::string& text, std::initializer_list<const char*> lines)
{
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << text;
        at = found;
    }
}

TEST(AiReport, RaidersTakeThePlacesRoundTheHeroAndTheDeadOneDropsItsGold)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "ai", "--seed", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    ExpectInOrder(
        run.out,
        {"scenario ai as single player, seed 1:\n"
         "  hero at (0.00, 0.00, 0.00), 3 attack places at radius 2.00\n"
         "  wall from x -5.00 to -4.50, palisade at (0.00, 0.00, -6.00)\n"
         "  frame 1:\n"
         "    raider 1 at (6.00, 0.00, 1.00): place at (2.00, 0.00, 0.00); goal (2.00, 0.00, "
         "0.00)\n",
         "    raider 4 at (0.00, 0.00, -12.00): no place, waits by (-1.00, 0.00, -1.73)",
         "    raider 3 sees the hero: blocked by the wall; barrier: none\n"
         "    raider 4 sees the hero: clear; barrier: palisade\n"
         "    places: 0 raider 1, 1 raider 2, 2 raider 3\n",
         // The fast raider reaches the slow one's place first and takes it.
         "  frame 3:\n",
         "    raider 3: LostSlot\n"
         "    raider 4 at (-0.58, 0.00, -6.03): place at (-1.00, 0.00, -1.73)",
         "    places: 0 raider 1, 1 raider 2, 2 raider 4\n", "  frame 5:\n",
         "; goal (0.00, 0.00, -1.73) (bent round taken points)\n",
         "  raider 1 dies (KillMe):\n"
         "    gold pile 1: Records/Items/Gold/GoldPileLarge.dbr, 22 gold at (2.00, 0.00, 0.00), "
         "fresh id\n"
         "    gold pile 2: Records/Items/Gold/GoldPileLarge.dbr, 13 gold at (2.00, 0.00, 0.00), "
         "fresh id\n"
         "    event: GameEvent_CreatureStartDeath (raider 1)\n"
         "    life state 3 (Life: Dying)\n"
         "  frame 6:\n",
         // The dead holder's place goes to the raider that was waiting.
         "    raider 3 at (-6.51, 0.00, -1.22): place at (2.00, 0.00, 0.00)",
         "    places: 0 raider 3, 1 raider 2, 2 raider 4\n"
         "database: "});
}

TEST(AiReport, TheSameSeedDropsTheSameGold)
{
    const HostRun first = RunHost({"--db", SampleDatabase(), "--scenario", "ai", "--seed", "9"});
    const HostRun second = RunHost({"--db", SampleDatabase(), "--scenario", "ai", "--seed", "9"});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(first.out.find("    gold pile 1: Records/Items/Gold/GoldPile"), std::string::npos);
}

TEST(AiReport, RunsOnlyAsSinglePlayer)
{
    const HostRun server =
        RunHost({"--db", SampleDatabase(), "--scenario", "ai", "--role", "server"});
    EXPECT_EQ(server.status, 1);
    EXPECT_NE(server.err.find("--scenario ai runs as single player only"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
