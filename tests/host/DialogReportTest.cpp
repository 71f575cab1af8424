#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(DialogScenario, TheElderTiresTheQuestChangesTheTownsfolkAndTheyConverse)
{
    const HostRun run = RunSample({"--scenario", "dialog", "--seed", "7"});
    ExpectClean(run);
    EXPECT_EQ(LinesStarting(run.out, "  talk 1:"), "  talk 1: tagVillageElderGreeting\n");
    for (const char* irritated : {"  talk 8:", "  talk 9:", "  talk 10:"})
        EXPECT_EQ(LinesStarting(run.out, irritated),
                  std::string(irritated) + " tagVillageElderIrritated (irritated)\n");
    // Talks 2 to 7 say each of the three lines twice.
    for (const char* line :
         {"tagVillageElderLine1", "tagVillageElderLine2", "tagVillageElderLine3"}) {
        EXPECT_EQ(Occurrences(run.out, line), 2u) << line;
    }
    for (const char* change :
         {"    Elder hidden\n", "    Fisherman dialog tagFishermanFerryGreeting\n",
          "    Fisherman ferries the hero\n", "    Elder dialog (none)\n", "    Elder shown\n"})
        EXPECT_NE(run.out.find(change), std::string::npos) << change;
    const std::string conversation = LinesStarting(run.out, "  conversation");
    EXPECT_NE(conversation.find("says tagConversationCatch1\n"), std::string::npos);
    EXPECT_NE(conversation.find("says tagConversationCatch4\n  conversation ended"),
              std::string::npos);
    // Restored: the hide that may not fire again stays undone, the show, the cleared dialog,
    // the ferry dialog, the mark and the ferry come back.
    const std::string restored = run.out.substr(run.out.find("quest state saved and restored"));
    EXPECT_NE(restored.find("VillageElder.dbr; dialog (none), mark (none), shown\n"),
              std::string::npos);
    EXPECT_NE(restored.find("Fisherman.dbr; dialog tagFishermanFerryGreeting, mark "
                            "Records/Effects/ObjectEffects/Exclaimation02.dbr, shown, ferries\n"),
              std::string::npos);
}

} // namespace
} // namespace GAME::Test
