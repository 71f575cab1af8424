#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(BossEncounters, TheChainedGiantBreaksFreeAndWalksToTheOpenPortal)
{
    const HostRun run = RunBoss("chained");
    ExpectPlayed(run, {"encounter chained\n", "  frame 0: Giant Chained",
                       "  frame 5: quest @Giant anim Chat -> true\n",
                       "  frame 5: Giant BreakingTheChains", "the chains burst\n",
                       "the portal opens\n", "Giant WaitToWalk", "  frame 60: Giant WalkToPortal",
                       "encounter chained: the giant walks to the open portal\n",
                       "bosses: 1 encounters played\n"});
}

// On built-in orders and the shipped script alike; the game ends once.
TEST(BossEncounters, TheFinalBossTakesAGodsPowersLosesThemAndItsDeathEndsTheGameOnce)
{
    for (const std::vector<std::string>& script :
         {std::vector<std::string>{},
          std::vector<std::string>{"--input", SampleDatabase() + "/../input/Bosses/typhon.txt"}}) {
        SCOPED_TRACE(script.empty() ? "built-in orders" : "shipped script");
        const HostRun run = RunBoss("typhon", script);
        ExpectPlayed(
            run, {"encounter typhon\n", "Typhon PursueStatue", "Typhon AttackStatue",
                  ": Typhon takes the powers of ", "Typhon Return", ": Typhon's powers fade\n",
                  "  the screen enters the ending\n", "Typhon dies\n", ": the game ends\n",
                  "encounter typhon: Typhon took the powers of ", ", falls and the game ends\n"});
        const size_t ends = run.out.find(": the game ends\n");
        EXPECT_EQ(run.out.find(": the game ends\n", ends + 1), std::string::npos);
    }
}

TEST(BossEncounters, TheMirageBossTradesPlacesWithItsCopiesAndCastsAgainOnceTheyFade)
{
    const HostRun run = RunBoss("aktaios");
    ExpectPlayed(
        run,
        {"encounter aktaios\n",
         "  frame 5: quest @Aktaios skill Records/Skills/Bosses/AktaiosMirage.dbr @Hero -> true\n",
         "Aktaios QuestUseSkill", ": Aktaios trades places\n",
         "  frame 200: quest @Aktaios skill Records/Skills/Bosses/AktaiosMirage.dbr @Hero -> "
         "true\n",
         "encounter aktaios: Aktaios raised its mirage 2 times, traded places "});
}

} // namespace
} // namespace GAME::Test
