#include "game/EndGameActivity.h"

#include "quests/NpcDialogPak.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemQuestObject.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using EndGameStory = CombatWorldFixture;

TEST_F(EndGameStory, TheStoryShowsTheWayOpensAndTheEndWaitsForTheWindowToClose)
{
    database.WriteRecord(EndGameActivity::kStoryDialog, {"defaultDialogTextTag = tagEnd"});
    auto* portal = SpawnAt<FixedItemTyphonPortal>("Records/Quest/EndPortal.dbr",
                                                  {"Class = FixedItemTyphonPortal", "locked = 1"});
    RecordingUserInterface ui;
    Game().SetUI(&ui);
    {
        EndGameActivity activity;
        activity.Update(4001);
        ASSERT_EQ(ui.shownDialogs.size(), 1u);
        EXPECT_EQ(ui.shownDialogs[0].pak, activity.GetStoryPak());
        EXPECT_FALSE(portal->IsLocked());
        activity.Update(16);
        EXPECT_FALSE(activity.IsFinished());

        ui.shownDialog = nullptr; // the player closed the window
        activity.Update(16);
        EXPECT_TRUE(activity.IsFinished());
        EXPECT_EQ(activity.GetStoryPak(), nullptr);
        EXPECT_EQ(ui.dialogCloses, 1);
    }
    Game().SetUI(nullptr);
}

} // namespace
} // namespace GAME::Test
