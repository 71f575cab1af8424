#include "game/GameEngine.h"

#include "characters/Monster.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "engine/AmbianceManager.h"
#include "engine/EventHandler.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameActivity.h"
#include "multiplayer/EntityPackets.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace GAME::Test {
namespace {

class TutorialHints : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }
    // The page stays shut for a frame one short of the time and opens on the next.
    void ExpectOpensAt(int32_t ms, int32_t page)
    {
        Game().Update(ms - 1);
        EXPECT_FALSE(Unlocked(page));
        Game().Update(1);
        EXPECT_TRUE(Unlocked(page));
    }
    bool Unlocked(int32_t page)
    {
        const std::vector<int32_t>& list = Game().GetTutorialUnlockList();
        return std::find(list.begin(), list.end(), page) != list.end();
    }

    Heard<GameEvent_TutorialUnlock> heard{"GameEvent_TutorialUnlock"};
};

// Nine mastery points and no skill points unlock the page on the first frame.
TEST_F(TutorialHints, MasteryPageOnTheFirstFrame)
{
    Game().SetUnspentMasteryPoints(9);
    Game().Update(16);
    EXPECT_EQ(Game().GetTutorialUnlockList(), std::vector<int32_t>{32});
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].page, 32u);

    Game().ResetTutorialState();
    Game().SetUnspentMasteryPoints(8);
    Game().Update(16);
    Game().SetUnspentMasteryPoints(9);
    Game().SetUnspentSkillPoints(1);
    Game().Update(16);
    EXPECT_FALSE(Unlocked(32));
}

TEST_F(TutorialHints, HotSlotPageNeedsFiveMinutesWithoutUsingTheSlots)
{
    Game().SetUnspentSkillPoints(2);
    ExpectOpensAt(300000, 29);

    Game().ResetTutorialState();
    Game().SetUnspentSkillPoints(2);
    Game().SetHotSlotChanged(true);
    Game().Update(400000);
    EXPECT_FALSE(Unlocked(29));
}

// Either kind of unspent point counts; spending them all starts the count again.
TEST_F(TutorialHints, UnspentPointsPageNeedsMoreThanTenMinutes)
{
    Game().Update(700000);
    EXPECT_FALSE(Unlocked(31)) << "no main player";
    // Each load stands for the points the player holds at that moment.
    Player* player = MakeMainPlayer();
    player->Load(Record("skillPoints = 1"));
    ExpectOpensAt(600001, 31);

    Game().ResetTutorialState();
    player->Load(Record("skillPoints = 0\nmodifierPoints = 2"));
    Game().Update(400000);
    player->Load(Record("modifierPoints = 0"));
    Game().Update(1);
    player->Load(Record("modifierPoints = 2"));
    ExpectOpensAt(600001, 31);
}

TEST_F(TutorialHints, InventoryPageAtTenMinutesOrSixteenItems)
{
    ExpectOpensAt(600000, 28);
    // A long session holds the timer at its top rather than overflowing it.
    Game().Update(INT32_MAX);
    Game().Update(INT32_MAX);

    Game().ResetTutorialState();
    for (int i = 0; i < 15; ++i)
        Game().IncrementItemsAdded();
    Game().Update(0);
    EXPECT_FALSE(Unlocked(28));
    Game().IncrementItemsAdded();
    Game().Update(0);
    EXPECT_TRUE(Unlocked(28));
}

TEST_F(TutorialHints, PotionPageAfterThreeDeathsWithAnUndrunkPotion)
{
    Game().SetPotionPickedUp();
    Game().IncrementDeathCount();
    Game().IncrementDeathCount();
    Game().Update(0);
    EXPECT_FALSE(Unlocked(30));
    Game().IncrementDeathCount();
    Game().Update(0);
    EXPECT_TRUE(Unlocked(30));

    Game().ResetTutorialState();
    Game().SetPotionPickedUp();
    Game().SetPotionUsed();
    for (int i = 0; i < 3; ++i)
        Game().IncrementDeathCount();
    Game().Update(0);
    EXPECT_FALSE(Unlocked(30));
}

TEST_F(TutorialHints, QuietUnlockIsKeptOnceAndUnknownPagesAreIgnored)
{
    Game().UnlockTutorialPage(5, false);
    Game().UnlockTutorialPage(5, false);
    Game().UnlockTutorialPage(5, true);
    Game().UnlockTutorialPage(36, true);
    Game().UnlockTutorialPage(UINT32_MAX, true);
    EXPECT_EQ(Game().GetTutorialUnlockList(), std::vector<int32_t>{5});
    EXPECT_TRUE(heard.events.empty());

    Game().UnlockAllTutorials();
    EXPECT_EQ(Game().GetTutorialUnlockList().size(), 36u);
    EXPECT_EQ(heard.events.size(), 35u);
}

using GameEngineFrame = GameEngineFixture;

TEST_F(GameEngineFrame, MusicAndAmbienceFollowThePlayers)
{
    Start();
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, WorldCoords(0, Coords::FromTranslation(Vec3(5, 0, 2))));
    auto* boss = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
    Jukebox& jukebox = Jukebox::Instance();
    jukebox.SetTrackedPlayer(player->GetObjectId());
    jukebox.SetTrackedBoss(boss->GetObjectId());
    Game().Update(16);
    EXPECT_FALSE(jukebox.IsTrackedPlayerDead());
    EXPECT_FALSE(jukebox.IsTrackedBossDead());
    EXPECT_EQ(AmbianceManager::Instance().GetTargetPosition().GetRegionPosition(), Vec3(5, 0, 2));

    boss->SetLifeState(LifeState_Dead);
    jukebox.SetTrackedPlayer(0xFFFFF);
    Game().Update(16);
    EXPECT_TRUE(jukebox.IsTrackedPlayerDead()) << "a missing player counts as dead";
    EXPECT_TRUE(jukebox.IsTrackedBossDead());
    AmbianceManager::Instance().Reset();
}

// What the earlier and the later steps of the frame have done when the activities run.
struct StepSnapshot {
    bool ran = false;
    bool masteryPageUnlocked = false;
    uint32_t ambienceUpdates = 0;
    size_t packetsSent = 0;
};

class OrderProbe : public GameActivity {
public:
    explicit OrderProbe(StepSnapshot& seen) : seen(seen) {}
    void Update(int) override
    {
        const std::vector<int32_t>& pages = gGameEngine->GetTutorialUnlockList();
        seen.ran = true;
        seen.masteryPageUnlocked = std::find(pages.begin(), pages.end(), 32) != pages.end();
        seen.ambienceUpdates = AmbianceManager::Instance().GetPositionUpdateCount();
        seen.packetsSent = gEngine->GetNetworkConnectionManager().GetSentPackets().size();
    }
    void Render(GraphicsCanvas&) override {}
    bool IsFinished() override { return seen.ran; }

private:
    StepSnapshot& seen;
};

TEST_F(GameEngineFrame, StepsRunInTheirFixedOrder)
{
    gEngine->GetGameInfo().SetDifficulty(2); // the server's balance level changes on frame one
    Start();
    Game().SetAsNetworkServer();
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, WorldCoords(0, Coords::FromTranslation(Vec3(1, 0, 1))));
    // Entering the main player announced him; only the frame's own packets count.
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    Game().SetUnspentMasteryPoints(9);
    AmbianceManager::Instance().Reset();
    StepSnapshot seen;
    ActivityManager::Get().InstallActivity(new OrderProbe(seen));

    Game().Update(16);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.masteryPageUnlocked) << "tutorial hints come before the activities";
    EXPECT_EQ(seen.ambienceUpdates, 0u) << "ambience comes after the activities";
    EXPECT_EQ(seen.packetsSent, 0u) << "the server services come last";
    EXPECT_EQ(AmbianceManager::Instance().GetPositionUpdateCount(), 1u);
    EXPECT_GE(gEngine->GetNetworkConnectionManager().GetSentPackets().size(), 1u);
    AmbianceManager::Instance().Reset();
}

// A second personal portal is asked about; only the portal's own answer is taken by the frame.
TEST_F(GameEngineFrame, PortalAnswersAreTakenOnlyWhileThePortalQuestionIsOpen)
{
    Start();
    Game().SetAsNetworkServer();
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, WorldCoords(0, Coords::FromTranslation(Vec3(3, 0, 4))));
    DialogManager& dialogs = Game().GetDialogManager();

    Game().CreateFixedItemTeleport(); // no portal yet: made at once
    std::vector<std::unique_ptr<CreateItemTeleportPacket>> sent =
        TakeSent<CreateItemTeleportPacket>();
    ASSERT_EQ(sent.size(), 1u);

    Game().GetTeleportInfoList().push_back({sent[0]->objectId, player->GetObjectId(), {}, "old"});
    for (bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        Game().CreateFixedItemTeleport();
        ASSERT_EQ(dialogs.GetNumDialog(), 1u);
        EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyFixedItemTeleport);
        dialogs.RemoveTopDialog();
        dialogs.AddResponse({DialogManager::PartyMarket, true});
        dialogs.AddResponse({DialogManager::PartyFixedItemTeleport, answer});
        Game().Update(16);
        EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyFixedItemTeleport), 0u);
        EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyMarket), 1u);
        EXPECT_EQ(TakeSent<CreateItemTeleportPacket>().size(), answer ? 1u : 0u);
        dialogs.GetResponseFor(DialogManager::PartyMarket);
    }
    // Without an open question the portal's answers stay for whoever asked.
    dialogs.AddResponse({DialogManager::PartyFixedItemTeleport, true});
    Game().Update(16);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyFixedItemTeleport), 1u);
}

// The host's loop in every role: frames of the game engine and of the engine itself.
TEST_F(GameEngineFrame, AThousandFramesInEachRoleRunClean)
{
    Start();
    Player* player = MakeMainPlayer();
    Game().SetGameLoading(false);
    for (int role = 0; role < 3; ++role) {
        if (role == 1)
            Game().SetAsNetworkServer();
        if (role == 2)
            Game().SetAsNetworkClient();
        for (int frame = 0; frame < 1000; ++frame) {
            Game().Update(16);
            gEngine->RunFrame(16);
        }
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }
    EXPECT_EQ(Game().GetMainPlayer(), player);
    EXPECT_EQ(std::count_if(log.GetLines().begin(), log.GetLines().end(),
                            [](const LogCapture::Line& line) { return line.level == 2; }),
              0);
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);
}

} // namespace
} // namespace GAME::Test
