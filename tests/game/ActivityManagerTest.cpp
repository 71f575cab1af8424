#include "game/ActivityManager.h"

#include "core/DialogManager.h"
#include "engine/GraphicsCanvas.h"
#include "engine/NetworkEntityList.h"
#include "engine/Region.h"
#include "engine/RegionLoader.h"
#include "engine/World.h"
#include "game/EndGameActivity.h"
#include "game/RespawnActivity.h"
#include "game/RespawnLocalClientActivity.h"
#include "game/RespawnNonLocalServerActivity.h"
#include "game/TeleportActivity.h"
#include "game/TeleportConfirmActivity.h"
#include "game/TeleportLocalClientActivity.h"
#include "game/TeleportLocalServerActivity.h"
#include "game/TeleportNonLocalClientActivity.h"
#include "game/TeleportNonLocalServerActivity.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/NetworkRegionLoaderBase.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"
#include "multiplayer/NetworkRegionLoaderServer.h"
#include "quests/NpcDialogPak.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemQuestObject.h"

#include <gtest/gtest.h>

#include <memory>
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

// The main player in region 1 of a world whose regions load in one frame.
class RespawnActivityTest : public CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        RegionLoader::SetFramesToLoad(1);
        gEngine->GetWorld()->CreateRegion(1, Vec3(), ABBox(Vec3(0, -10, 0), Vec3(64, 10, 64)));
        player = MakeMainPlayer();
    }

    void TearDown() override
    {
        RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
        CombatGameFixture::TearDown();
    }

    const WorldVec3 target{1, Vec3(10, 0, 10)};
    Player* player = nullptr;
};

// The same, with a region 2 a thousand away, and the player controlled and standing at (5, 0, 5).
class TeleportActivityTest : public RespawnActivityTest {
protected:
    void SetUp() override
    {
        RespawnActivityTest::SetUp();
        World& world = *gEngine->GetWorld();
        world.CreateRegion(2, Vec3(1000.0f, 0.0f, 0.0f), ABBox(Vec3(0, -10, 0), Vec3(64, 10, 64)));
        player->SetIsControllingCharacter(true);
        world.AddEntity(player, WorldCoords(WorldVec3(1, Vec3(5, 0, 5))), false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    void Destroy(Player* which) { ObjectManager::Instance().DestroyObjectEx(which, "test", 1); }

    // A teleport of this kind taking the player to (10, 0, 20) of region 2.
    template <class T> std::unique_ptr<T> Begin()
    {
        auto teleport = std::make_unique<T>();
        teleport->SetDestination(1010, 0, 20, player->GetObjectId());
        return teleport;
    }
    // Its first frame, then one past the fade out of 2.5 s.
    static void PastTheFade(GameActivity& teleport)
    {
        teleport.Update(10);
        teleport.Update(2501);
    }
};

// A destination in no region is only stored; a vanished player gives the counter back.
TEST_F(TeleportActivityTest, ANowhereDestinationOrAVanishedPlayerEndsItAtTheNextUpdate)
{
    auto nowhere = std::make_unique<TeleportLocalClientActivity>();
    nowhere->SetDestination(-500, 0, -500, player->GetObjectId());
    EXPECT_FALSE(nowhere->GetDestination().HasRegion());
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_TRUE(gEngine->GetNetworkConnectionManager().TakeSentPackets().empty());
    nowhere->Update(10);
    EXPECT_TRUE(nowhere->IsFinished());

    auto teleport = Begin<TeleportLocalClientActivity>();
    EXPECT_TRUE(Game().NeedsSleep());
    Destroy(player);
    teleport->Update(10);
    EXPECT_TRUE(teleport->IsFinished());
    teleport.reset();
    EXPECT_FALSE(Game().NeedsSleep());
}

TEST_F(TeleportActivityTest, TheLocalClientRunsItsSixStates)
{
    auto teleport = Begin<TeleportLocalClientActivity>();
    EXPECT_TRUE(Game().IsMouseLocked());
    EXPECT_EQ(teleport->GetDestination(), WorldVec3(2, Vec3(10, 0, 20)));
    EXPECT_EQ(TakeSent<StartTeleportPacket>().size(), 1u);

    teleport->Update(10);
    EXPECT_TRUE(player->IsInvincible());
    ASSERT_FALSE(player->GetDissolveRequests().empty());
    EXPECT_FLOAT_EQ(player->GetDissolveRequests().back().seconds, 2.5f);
    teleport->Update(2500);
    EXPECT_EQ(teleport->GetState(), 1) << "the fade must be exceeded, not met";
    teleport->Update(1);
    EXPECT_TRUE(gEngine->IsTeleportMode());
    Game().SetRenderingEnabled(true, RenderingDisable_Respawn);
    EXPECT_FALSE(Game().IsRenderingEnabled()) << "teleports switch their own reason, 2";

    teleport->Update(300);
    EXPECT_EQ(teleport->GetState(), 2) << "the server has not answered";
    teleport->GetRegionLoader()->SetRemoteState(2);
    teleport->Update(1400);
    EXPECT_EQ(teleport->GetStateTimer(), 700) << "the remainder of the loading step";
    teleport->Update(299);
    EXPECT_EQ(teleport->GetState(), 2);
    teleport->Update(1);
    EXPECT_EQ(teleport->GetState(), 3);
    EXPECT_TRUE(Game().IsRenderingEnabled());
    EXPECT_EQ(player->GetCoords().GetRegionId(), 2u);

    teleport->Update(2501);
    EXPECT_FALSE(player->IsInvincible());
    EXPECT_TRUE(player->IsTeleporting());
    teleport->Update(1);
    EXPECT_TRUE(teleport->IsFinished());
    EXPECT_FALSE(player->IsTeleporting());
    teleport.reset();
    EXPECT_FALSE(Game().IsMouseLocked());
}

TEST_F(TeleportActivityTest, TheLocalServerIsItsOwnPeerAndEndsFromStateThree)
{
    auto teleport = Begin<TeleportLocalServerActivity>();
    EXPECT_NE(dynamic_cast<NetworkRegionLoaderOwnPlayer*>(teleport->GetRegionLoader()), nullptr);
    EXPECT_TRUE(Game().NeedsSleep());
    PastTheFade(*teleport);
    ASSERT_EQ(teleport->GetState(), 2);
    EXPECT_TRUE(gEngine->IsTeleportMode());
    teleport->Update(10);
    EXPECT_FALSE(gEngine->IsTeleportMode()) << "off as soon as loading is done";
    EXPECT_EQ(teleport->GetState(), 2);
    teleport->Update(990);
    EXPECT_EQ(teleport->GetState(), 3);
    EXPECT_EQ(player->GetCoords().GetRegionId(), 2u);
    teleport->Update(2501);
    EXPECT_TRUE(teleport->IsFinished());
    teleport.reset();
    EXPECT_FALSE(Game().NeedsSleep());
}

TEST_F(TeleportActivityTest, TheNonLocalServerHandsTheFrustumOverAndBack)
{
    NetworkEntityList& entities = gEngine->GetNetworkEntityList();
    entities.SetFrustumEntry(0, WorldFrustum(1, Frustum()));
    auto teleport = Begin<TeleportNonLocalServerActivity>();
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_FALSE(Game().IsMouseLocked());
    PastTheFade(*teleport);
    EXPECT_TRUE(teleport->IsFrustumStolen());
    EXPECT_EQ(entities.GetFrustumEntry(0), nullptr);
    EXPECT_FALSE(player->IsInWorld());

    teleport->GetRegionLoader()->SetRemoteState(2);
    teleport->Update(10);
    EXPECT_EQ(entities.GetFrustumEntry(0)->frustum.GetRegionId(), 2u);
    EXPECT_EQ(player->GetCoords().GetRegionId(), 2u);
    EXPECT_EQ(gEngine->GetClientEntityUpdates().back(), 0);
    EXPECT_EQ(teleport->GetState(), 3) << "the released loader is done in the same frame";
    EXPECT_FALSE(gEngine->IsTeleportMode());
    teleport->Update(2501);
    teleport->Update(1);
    EXPECT_TRUE(teleport->IsFinished());
}

TEST_F(TeleportActivityTest, ANonLocalServerTeleportEndingBeforeItsMoveGivesTheEntryBack)
{
    NetworkEntityList& entities = gEngine->GetNetworkEntityList();
    entities.SetFrustumEntry(0, WorldFrustum(1, Frustum()));
    auto teleport = Begin<TeleportNonLocalServerActivity>();
    PastTheFade(*teleport);
    ASSERT_EQ(entities.GetFrustumEntry(0), nullptr);
    Destroy(player);
    teleport->Update(10);
    EXPECT_TRUE(teleport->IsFinished());
    teleport.reset();
    EXPECT_EQ(entities.GetFrustumEntry(0)->frustum.GetRegionId(), 1u);
}

TEST_F(TeleportActivityTest, TheNonLocalClientWaitsForNothing)
{
    const uint32_t modeSwitches = gEngine->GetTeleportModeSwitchCount();
    TeleportNonLocalClientActivity teleport;
    EXPECT_EQ(teleport.GetRegionLoader(), nullptr);
    teleport.SetDestination(1010, 0, 20, player->GetObjectId());
    EXPECT_TRUE(gEngine->GetNetworkConnectionManager().TakeSentPackets().empty());
    PastTheFade(teleport);
    teleport.Update(1);
    EXPECT_EQ(teleport.GetState(), 3);
    EXPECT_EQ(player->GetCoords().GetRegionId(), 2u);
    EXPECT_EQ(gEngine->GetTeleportModeSwitchCount(), modeSwitches);
    teleport.Update(1);
    EXPECT_TRUE(teleport.IsFinished());
    EXPECT_FALSE(Game().NeedsSleep());
}

TEST_F(RespawnActivityTest, TheLocalClientFadesLoadsAndFinishesOnlyBelowTheLastStep)
{
    auto respawn = std::make_unique<RespawnLocalClientActivity>();
    EXPECT_TRUE(Game().IsMouseLocked());
    respawn->Begin(target, player->GetObjectId());
    respawn->Update(500);
    EXPECT_FLOAT_EQ(respawn->GetFadeLevel(), 0.5f);
    EXPECT_FALSE(Game().NeedsSleep());
    respawn->Update(500);
    EXPECT_EQ(respawn->GetState(), 1);
    EXPECT_FALSE(Game().IsRenderingEnabled());
    EXPECT_TRUE(Game().NeedsSleep());

    respawn->GetRegionLoader()->SetRemoteState(2);
    respawn->Update(1);
    respawn->Update(998);
    EXPECT_EQ(respawn->GetState(), 1);
    respawn->Update(1);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_TRUE(respawn->IsRespawnComplete());
    EXPECT_TRUE(Game().IsRenderingEnabled());

    respawn->Update(1000);
    EXPECT_FLOAT_EQ(respawn->GetFadeLevel(), 1.0f) << "one frame is held";
    EXPECT_FALSE(respawn->IsFinished());
    respawn->Update(999);
    EXPECT_FALSE(respawn->IsFinished());
    respawn->Update(1);
    EXPECT_EQ(respawn->GetFadeLevel(), 0.0f);
    EXPECT_TRUE(respawn->IsFinished());
    respawn.reset();
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_FALSE(Game().IsMouseLocked());
}

TEST_F(RespawnActivityTest, TheNonLocalServerTouchesNoSwitchAndNeverCompletes)
{
    const uint32_t modeSwitches = gEngine->GetTeleportModeSwitchCount();
    auto respawn = std::make_unique<RespawnNonLocalServerActivity>();
    EXPECT_FALSE(Game().IsMouseLocked());
    respawn->Begin(target, player->GetObjectId());
    ASSERT_NE(dynamic_cast<NetworkRegionLoaderServer*>(respawn->GetRegionLoader()), nullptr);
    respawn->GetRegionLoader()->SetRemoteState(2);
    for (int frame = 0; frame < 8 && respawn->GetState() < 2; ++frame)
        respawn->Update(1000);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_FALSE(respawn->IsRespawnComplete());
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_EQ(gEngine->GetTeleportModeSwitchCount(), modeSwitches);
}

TEST_F(RespawnActivityTest, AVanishedPlayerFadesOutAndTheCounterIsRaisedOnce)
{
    auto respawn = std::make_unique<RespawnLocalClientActivity>();
    respawn->Begin(target, player->GetObjectId());
    respawn->Update(1000);
    ASSERT_EQ(respawn->GetState(), 1);
    ObjectManager::Instance().DestroyObjectEx(player, "test", 1);
    respawn->Update(10);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_FALSE(respawn->IsRespawnComplete());
    EXPECT_TRUE(Game().IsRenderingEnabled());
    respawn->Update(10);
    respawn->Update(1000);
    EXPECT_TRUE(respawn->IsFinished());
    respawn.reset();
    EXPECT_FALSE(Game().NeedsSleep()) << "raised at loading and at the vanishing, lowered once";
}

} // namespace
} // namespace GAME::Test
