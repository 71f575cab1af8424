#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

HostRun Encounter(const std::string& boss, std::vector<std::string> extra = {})
{
    extra.insert(extra.begin(), {"--scenario", "bosses", "--boss", boss});
    return RunSample(extra);
}

TEST(BossEncounters, TheChainedGiantBreaksFreeAndWalksToTheOpenPortal)
{
    const HostRun run = Encounter("chained");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    ExpectInOrder(run.out,
                  {"encounter chained\n", "  frame 0: Giant Chained",
                   "  frame 5: quest @Giant anim Chat -> true\n",
                   "  frame 5: Giant BreakingTheChains", "the chains burst\n", "the portal opens\n",
                   "Giant WaitToWalk", "  frame 60: Giant WalkToPortal",
                   "encounter chained: the giant walks to the open portal\n",
                   "bosses: 1 encounters played\n"});
}

TEST(BossEncounters, TheFinalBossGoesForAStatueAndItsDeathEndsTheGame)
{
    const HostRun run =
        Encounter("typhon", {"--input", SampleDatabase() + "/../input/Bosses/typhon.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"encounter typhon\n", "Typhon PursueStatue", "Typhon AttackStatue",
                            "Typhon dies\n", "the game ends\n",
                            "encounter typhon: Typhon falls and the game ends\n"});
}

TEST(BossEncounters, TheMirageBossTakesItsQuestCastAndPlaysToAnOutcome)
{
    const HostRun run = Encounter("aktaios");
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out,
                  {"encounter aktaios\n",
                   "  frame 5: quest @Aktaios skill Records/Skills/Show/Mirage.dbr @Hero -> true\n",
                   "Aktaios QuestUseSkill", "encounter aktaios: Aktaios traded places "});
}

} // namespace
} // namespace GAME::Test
