#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST(QuestActionsReport, TheShowcaseQuestCommandsTheWorldAgainAfterAReloadAndAsAClient)
{
    TempDatabase scratch;
    const HostRun run =
        RunSample({"--scenario", "quest-actions", "--quest-state", scratch.GetRoot() + "/state"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(
        run.out,
        {"scenario quest-actions as single player, seed 1:\n",
         "  fired Action_OpenDoor: Open door {BNorthGate}\n",
         "    event GameEvent_ScreenFade 1500 ms, 500 ms dark\n",
         "    jukebox EndEventMusic - 2500 ms\n",
         "    time of day 21.5 h, clock stopped\n",
         "  elder announces itself\n  applied Action_DispenseItemFromNpc\n",
         "  raider announces itself\n",
         "  applied Action_DropItemFromNpc\n  applied Action_KillCreature\n",
         "    command FixedItemStateChangeConfigCmd on north gate: state 11, sounds on\n",
         "    command FixedItemStateChangeConfigCmd on south gate: state 9, sounds on\n",
         "  hero: alive, without the charm\n",
         "  elder: keeps Charm for the hero, invincible\n",
         "  raider: dead",
         "  camp: has run or is switched off, 4 objects placed, 1 of them locked\n",
         "  outpost: has run or is switched off, 0 objects placed",
         "  1 quest item dropped\n",
         "scenario quest-actions reloaded into a fresh session:\n",
         "  refired Action_TaskCreatureToLocation, waiting\n",
         "    command FixedItemStateChangeConfigCmd on north gate: state 11, sounds off\n",
         "  raider: alive",
         "scenario quest-actions as client, seed 1:\n",
         "  sent QuestCommandLockFixedItemPacket x1\n  sent QuestCommandMovePacket x1\n"
         "  sent QuestCommandPlayAnimationPacket x1\n  sent QuestCommandUseSkillPacket x1\n"});
    EXPECT_EQ(run.out.find("refired Action_KillCreature"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
