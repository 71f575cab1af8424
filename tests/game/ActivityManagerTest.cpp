#include "game/ActivityManager.h"

#include "core/DialogManager.h"
#include "engine/Jukebox.h"
#include "engine/World.h"
#include "game/EndGameActivity.h"
#include "game/TeleportConfirmActivity.h"
#include "multiplayer/GameEnginePackets.h"
#include "quests/NpcDialogPak.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemQuestObject.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

// Journals "<name>:<update number>" on each update and "~<name>" when deleted.
class ScriptedActivity : public GameActivity {
public:
    ScriptedActivity(std::vector<std::string>& journal, std::string name, int updatesToFinish)
        : journal(journal), name(std::move(name)), updatesToFinish(updatesToFinish)
    {}
    ~ScriptedActivity() override { journal.push_back("~" + name); }
    void Update(int) override
    {
        journal.push_back(name + ":" + std::to_string(++updates));
        if (spawn != nullptr)
            ActivityManager::Get().InstallActivity(std::exchange(spawn, nullptr));
    }
    void Render(GraphicsCanvas&) override {}
    bool IsFinished() override { return updates >= updatesToFinish; }

    GameActivity* spawn = nullptr;

private:
    std::vector<std::string>& journal;
    std::string name;
    int updatesToFinish;
    int updates = 0;
};

class Activities : public ::testing::Test {
protected:
    void TearDown() override { ActivityManager::Destroy(); }
    ScriptedActivity* Make(const std::string& name, int updatesToFinish = 1000)
    {
        return new ScriptedActivity(journal, name, updatesToFinish);
    }

    std::vector<std::string> journal;
};

TEST_F(Activities, NewActivitiesGetConsecutiveIdsAndFirstRunOnTheNextFrame)
{
    ActivityManager& manager = ActivityManager::Get();
    ScriptedActivity* first = Make("a");
    manager.InstallActivity(first);
    manager.InstallActivity(nullptr);
    manager.InstallActivity(Make("b"));
    EXPECT_EQ(first->GetId(), 1u);
    EXPECT_FALSE(manager.IsActivityActive(1));

    first->spawn = Make("spawned");
    manager.Update(16);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:1", "b:1"}));
    EXPECT_EQ(manager.GetActivity(1), first);
    EXPECT_TRUE(manager.IsActivityActive(2));
    EXPECT_FALSE(manager.IsActivityActive(3));
    manager.Update(16);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:1", "b:1", "a:2", "b:2", "spawned:1"}));
}

TEST_F(Activities, FinishedActivitiesAreDeletedInTheUpdateThatFinishesThem)
{
    ActivityManager& manager = ActivityManager::Get();
    manager.InstallActivity(Make("once", 1));
    manager.InstallActivity(Make("twice", 2));
    manager.FastInstallActivity(Make("fast"));
    manager.Update(5);
    manager.Update(5);
    // The walk goes on with the activity that took the deleted one's place.
    EXPECT_EQ(journal, (std::vector<std::string>{"fast:1", "once:1", "~once", "twice:1", "fast:2",
                                                 "twice:2", "~twice"}));
    EXPECT_TRUE(manager.IsActivityActive(3));
    EXPECT_FALSE(manager.IsActivityActive(1));
}

TEST_F(Activities, ClearAndDestroyDeletePendingActivitiesToo)
{
    ActivityManager::Get().InstallActivity(Make("active"));
    ActivityManager::Get().Update(1);
    ActivityManager::Get().InstallActivity(Make("pending"));
    ActivityManager::Get().Clear();
    ActivityManager::Get().InstallActivity(Make("left"));
    ActivityManager::Destroy();
    EXPECT_EQ(journal, (std::vector<std::string>{"active:1", "~active", "~pending", "~left"}));

    ScriptedActivity* next = Make("next");
    ActivityManager::Get().InstallActivity(next);
    EXPECT_EQ(next->GetId(), 1u);
}

class ActivityInGame : public GameEngineFixture {
protected:
    // Region 7 lies at (100.5, -20, 3); the offset is made whole before a position is added.
    void Confirm(const Vec3& target, bool yes)
    {
        Start();
        gEngine->GetWorld()->CreateRegion(7, {100.5f, -20, 3},
                                          ABBox({-50, -50, -50}, {50, 50, 50}));
        auto* activity = new TeleportConfirmActivity();
        activity->SetRequest("tagTeleportQuestion", WorldVec3(7, target));
        ActivityManager::Get().InstallActivity(activity);
        Game().Update(16);
        EXPECT_TRUE(ActivityManager::Get().IsActivityActive(1));
        const DialogManager& dialogs = Game().GetDialogManager();
        ASSERT_EQ(dialogs.GetNumDialog(), 1u);
        EXPECT_EQ(dialogs.PeekTopDialog().type, DialogManager::DialogQuestion);
        Game().GetDialogManager().AddResponse({DialogManager::PartyTeleportConfirm, yes});
        Game().Update(16);
        EXPECT_FALSE(ActivityManager::Get().IsActivityActive(1));
        EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyTeleportConfirm), 0u);
    }

    // Outlives the activities, which the engine's shutdown deletes.
    std::vector<std::string> journal;
};

TEST_F(ActivityInGame, DeclinedConfirmationEndsWithoutTeleporting)
{
    Confirm(Vec3(2.7f, -1.5f, 0.9f), false);
    EXPECT_EQ(log.CountContaining("Player teleport"), 0u);
}

TEST_F(ActivityInGame, AcceptedConfirmationTeleportsToWholeWorldUnits)
{
    Confirm(Vec3(0.6f, -1.5f, 0.9f), true);
    // The teleport took the next id; it heads for 100 + 0.6, not 101.1, which lies in region 7
    // at -0.5 from its whole-unit offset.
    auto* probe = new ScriptedActivity(journal, "probe", 1);
    ActivityManager::Get().InstallActivity(probe);
    EXPECT_EQ(probe->GetId(), 3u);
    const auto sent = TakeSent<StartTeleportPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->x, 100.0f);
    EXPECT_EQ(sent[0]->y, -21.0f);
    EXPECT_EQ(sent[0]->z, 3.0f);
}

TEST_F(ActivityInGame, EndGameDefaultsMusicAndDialogDelay)
{
    Start();
    EndGameActivity activity;
    EXPECT_EQ(activity.GetDialogDelay(), 4000);
    activity.Update(0);
    activity.Update(4000);
    ASSERT_EQ(Jukebox::Instance().GetRequests().size(), 1u);
    EXPECT_EQ(Jukebox::Instance().GetRequests()[0].name, EndGameActivity::kEndingMusic);
    EXPECT_TRUE(Jukebox::Instance().GetRequests()[0].flag);
    EXPECT_FALSE(activity.IsDialogStarted());
    activity.Update(1);
    EXPECT_TRUE(activity.IsDialogStarted());
    // Without a user interface nobody closes the dialog window.
    EXPECT_FALSE(activity.IsFinished());
}

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
