#include "characters/Player.h"

#include "engine/AmbianceManager.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/TriggerToken.h"
#include "engine/World.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/Records.h"

#include <algorithm>

namespace GAME {

// Reaches the frame state that only the frame itself changes.
class UpdateTestPlayer : public Player {
    GAME_DECLARE_CLASS(UpdateTestPlayer)

public:
    void Hold(const char* name) { heldTokens.emplace_back(name); }
    size_t HeldCount() const { return heldTokens.size(); }
    size_t PendingCount() const { return pendingTokens.size(); }
    int32_t AutoSaveTimer() const { return autoSaveTimer; }
    void Control(bool on) { Character::SetIsControllingCharacter(on); }
    void LoadLevels(const LoadTable& record) { experienceLevelControl.Load(record); }
};

GAME_IMPLEMENT_CLASS(UpdateTestPlayer, Player);

namespace {

class PlayerUpdateTest : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        AmbianceManager::Instance().Reset();
        Start();
        Game().SetUI(&ui);
        player = static_cast<UpdateTestPlayer*>(
            ObjectManager::Instance().CreateObject("UpdateTestPlayer"));
        ASSERT_NE(player, nullptr);
    }

    void TearDown() override
    {
        Game().SetUI(nullptr);
        AmbianceManager::Instance().Reset();
        gEngine->SetLevelEditor(false);
        GameEngineFixture::TearDown();
    }

    bool PageUnlocked(int32_t page)
    {
        const auto& list = Game().GetTutorialUnlockList();
        return std::find(list.begin(), list.end(), page) != list.end();
    }

    GAME::Test::RecordingUserInterface ui;
    UpdateTestPlayer* player = nullptr;
};

TEST_F(PlayerUpdateTest, ALevelEightMainPlayerUnlocksPageTwentyOnEveryUpdate)
{
    constexpr const char* kLevels = "Records/Creatures/PC/TestLevels.dbr";
    database.WriteRecord(kLevels, {"experienceLevelEquation = ((playerLevel*(playerLevel+1))*250)",
                                   "maxPlayerLevel = 50", "initialSkillPoints = 1"});
    auto* other =
        static_cast<UpdateTestPlayer*>(ObjectManager::Instance().CreateObject("UpdateTestPlayer"));
    ASSERT_NE(other, nullptr);
    for (UpdateTestPlayer* each : {player, other})
        each->LoadLevels(
            GAME::Test::Record("levelFileName = " + std::string(kLevels) + "\ncharLevel = 8\n"));
    ASSERT_EQ(player->GetCharLevel(), 8u);
    ASSERT_EQ(other->GetCharLevel(), 8u);

    other->UpdateSelf(16);
    EXPECT_FALSE(PageUnlocked(20)) << "not the main player";
    Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    for (int frame = 0; frame < 3; ++frame) {
        Game().ResetTutorialState();
        other->UpdateSelf(16);
        EXPECT_FALSE(PageUnlocked(20)) << frame;
        player->UpdateSelf(16);
        EXPECT_TRUE(PageUnlocked(20)) << frame;
    }

    player->IncrementCharLevel();
    ASSERT_EQ(player->GetCharLevel(), 9u);
    Game().ResetTutorialState();
    player->UpdateSelf(16);
    EXPECT_FALSE(PageUnlocked(20)) << "level 9 is past the page";
}

TEST_F(PlayerUpdateTest, OnlyTheMainPlayerReportsItsSkillPoints)
{
    // A player without active skills has spent none of either kind.
    Game().SetUnspentSkillPoints(5);
    Game().SetUnspentMasteryPoints(9);
    player->UpdateSelf(16);
    EXPECT_EQ(Game().GetUnspentSkillPoints(), 5);
    EXPECT_EQ(Game().GetUnspentMasteryPoints(), 9);
    Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    player->UpdateSelf(16);
    EXPECT_EQ(Game().GetUnspentSkillPoints(), 0);
    EXPECT_EQ(Game().GetUnspentMasteryPoints(), 0);
}

TEST_F(PlayerUpdateTest, PendingTokensAreTakenOnceAndAllDropped)
{
    GAME::Test::Heard<GameEvent_GotToken> listener{"GameEvent_GotToken"};
    player->Hold("Gate");
    player->BestowToken(TriggerToken("Gate"));
    player->BestowToken(TriggerToken("Key"));
    player->BestowToken(TriggerToken("Key"));
    player->UpdateSelf(16);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].tokenName, "Key");
    EXPECT_EQ(player->HeldCount(), 2u);
    EXPECT_EQ(player->PendingCount(), 0u);
    EXPECT_FALSE(player->IsSaveNeeded()) << "the auto-save carried the mark out";
}

TEST_F(PlayerUpdateTest, AutoSaveComesAfterSixtySecondsForTheControllingPlayer)
{
    player->Control(true);
    player->UpdateSelf(60000);
    EXPECT_EQ(ui.saves, 0) << "the timer reached 0, not below";
    EXPECT_EQ(player->AutoSaveTimer(), 0);
    player->UpdateSelf(1);
    EXPECT_EQ(ui.saves, 1);
    EXPECT_EQ(player->AutoSaveTimer(), Player::kAutoSaveInterval);
}

TEST_F(PlayerUpdateTest, TheLevelEditorNeverAutoSavesButRestartsTheTimer)
{
    gEngine->SetLevelEditor(true);
    player->Control(true);
    player->UpdateSelf(60001);
    EXPECT_EQ(ui.saves, 0);
    EXPECT_EQ(player->AutoSaveTimer(), Player::kAutoSaveInterval);
    EXPECT_FALSE(player->IsSaveNeeded());
}

TEST_F(PlayerUpdateTest, AQuestUpdateAsksForAQuestSaveOnTheNextFrame)
{
    player->Control(true);
    GameEvent_QuestUpdate event;
    event.flag = true;
    EventManager::Instance().Send("GameEvent_QuestUpdate", event);
    EXPECT_EQ(ui.questSaves, 0);
    player->UpdateSelf(16);
    EXPECT_EQ(ui.questSaves, 1);
    player->UpdateSelf(16);
    EXPECT_EQ(ui.questSaves, 1);
}

TEST_F(PlayerUpdateTest, BossMusicStartsInItsZoneAndIsLeftOutside)
{
    Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    ASSERT_EQ(Game().GetPlayerId(), player->GetObjectId());
    Jukebox& jukebox = Jukebox::Instance();
    AmbianceManager::Instance().SetTargetInBossMusicZone(true);
    player->RegisterMonsterMusic(77, "Records/Music/Boss.dbr");
    EXPECT_EQ(jukebox.GetTrackedBoss(), 77u);
    player->UpdateSelf(16);
    EXPECT_EQ(jukebox.GetBossMusic(), "Records/Music/Boss.dbr");

    AmbianceManager::Instance().SetTargetInBossMusicZone(false);
    player->UpdateSelf(16);
    EXPECT_FALSE(jukebox.IsBossMusicPlaying());
    ASSERT_GE(jukebox.GetRequests().size(), 3u);
    EXPECT_EQ(jukebox.GetRequests().back().type, Jukebox::BossMusicLeaveRequest);
}

TEST_F(PlayerUpdateTest, TheLocalPlayerOpensTheFogOfWar)
{
    World* world = gEngine->GetWorld();
    ASSERT_NE(world, nullptr);
    const uint32_t before = world->GetFOWVisibilityCount();
    player->UpdateSelf(16);
    EXPECT_EQ(world->GetFOWVisibilityCount(), before);
    Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    player->UpdateSelf(33);
    EXPECT_EQ(world->GetFOWVisibilityCount(), before + 1);
    EXPECT_EQ(world->GetLastFOWElapsedMs(), 33);
}

} // namespace
} // namespace GAME
