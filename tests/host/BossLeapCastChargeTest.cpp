#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(BossEncounters, TheLeapingBossJumpsToEachPointAndSendsItsSquad)
{
    const HostRun run = RunBoss("bandari");
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out,
                  {"encounter bandari\n", "  frame 43: Bandari jumps to point 1\n",
                   "  frame 43: Warrior1 AttackMarch | life 40.0 | no enemy\n",
                   "Bandari jumps to point 2\n", "Warrior2 AttackMarch",
                   "Bandari jumps to point 3\n", "Warrior3 AttackMarch", "Bandari dies\n",
                   "encounter bandari: 3 jumps, Bandari falls\n", "bosses: 1 encounters played\n"});
}

TEST(BossEncounters, TheCasterThrowsTwelveTimesThenTurnsToItsDirectAttack)
{
    const HostRun run = RunBoss("telkine");
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"  frame 364: Telkine Emote | life 200.0 | no enemy\n",
                            "  frame 395: Telkine throws, cast 1\n",
                            "  frame 5070: Telkine throws, cast 12\n",
                            "  frame 5071: Telkine AttackPhase2 | life 200.0 | no enemy\n",
                            "encounter telkine: 12 casts, Telkine stands"});
}

TEST(BossEncounters, TheWokenCyclopsWalksRoarsAndTramplesTheHerosAlly)
{
    // The sample script gives the built-in orders: both runs are the same.
    const std::string script = SampleDatabase() + "/../input/Bosses/Cyclops.txt";
    for (const std::vector<std::string>& input :
         {std::vector<std::string>{}, std::vector<std::string>{"--input", script}}) {
        SCOPED_TRACE(input.empty() ? "built-in orders" : "script");
        const HostRun run = RunBoss("cyclops", input);
        ASSERT_EQ(run.status, 0) << run.err;
        ExpectInOrder(run.out, {"  frame 5: quest @Cyclops wake -> true\n",
                                "  frame 5: Cyclops ScriptedMove | life 300.0 | Hero\n",
                                "  frame 60: Cyclops roars\n", "  frame 60: Satyr Panic",
                                "  frame 92: Cyclops BullRun | life 300.0 | Hero\n", "Satyr dies\n",
                                "Cyclops Attack", "encounter cyclops: 1 roars"});
    }
}

} // namespace
} // namespace GAME::Test
