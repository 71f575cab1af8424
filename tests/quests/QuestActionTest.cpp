#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/GameEvent_Reward.h"
#include "quests/Quest.h"
#include "quests/QuestActions.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/RewardActions.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/LogCapture.h"
#include "tests/support/QuestGameFixture.h"
#include "tests/support/TrimAnnounce.h"

#include <gtest/gtest.h>

#include <functional>

namespace GAME {
namespace {

using Test::Heard;

class QuestActions : public Test::QuestGameFixture {
protected:
    void SetUp() override
    {
        QuestGameFixture::SetUp();
        LocalizationManager::Instance().AddText("SimpleStringFormat", L"%s");
        LocalizationManager::Instance().AddText("tagRewardGold", L"Gold");
        player = MakeMainPlayer();
    }
    template <typename A> A* LoadAction(const char* name, const std::function<void(A&)>& configure)
    {
        Trigger* trigger =
            LoadOneTrigger({}, {name}, [&](TriggerCondition*, TriggerAction* action) {
                configure(*static_cast<A*>(action));
            });
        return static_cast<A*>(trigger->GetActionAtIdx(0));
    }

    Player* player = nullptr;
};

struct RewardRow {
    const char* name;
    int difficulty;
    int32_t region;
    const char* titleTag;
    int32_t epicAmount;
    const wchar_t* banner; // null: none
    size_t journal;
    uint32_t money;
};

class RewardAnnouncement : public QuestActions, public ::testing::WithParamInterface<RewardRow> {};

TEST_P(RewardAnnouncement, PaysTheDifficultysAmountAndAnnouncesByRegionAndTags)
{
    const RewardRow& row = GetParam();
    gEngine->GetGameInfo().SetDifficulty(row.difficulty);
    auto* money = LoadAction<Action_GiveMoney>("Action_GiveMoney", [&](Action_GiveMoney& a) {
        a.SetMoneyAmountNormal(100);
        a.SetMoneyAmountEpic(row.epicAmount);
        a.SetMoneyAmountLegendary(200);
        a.SetRegion(row.region);
        a.SetLocationTag("tagVillage");
        a.SetTitleTag(row.titleTag);
    });
    Heard<GameEvent_ShowTextBanner> banners("GameEvent_ShowTextBanner");
    const uint32_t before = player->GetCurrentMoney();
    money->Fire(0, false);
    EXPECT_EQ(player->GetCurrentMoney() - before, row.money);
    ASSERT_EQ(banners.events.size(), row.banner != nullptr ? 1u : 0u);
    if (row.banner != nullptr) {
        const GameEvent_ShowTextBanner& banner = banners.events[0];
        EXPECT_EQ(banner.text, row.banner);
        EXPECT_EQ(banner.durationMs, 3000.0f);
    }
    EXPECT_EQ(QuestRepository::Get().GetRewards().size(), row.journal);
}

INSTANTIATE_TEST_SUITE_P(
    Rewards, RewardAnnouncement,
    ::testing::Values(RewardRow{"epic", 1, 1, "tagQuestVillageWatch", 150, L"150 Gold", 1, 150},
                      RewardRow{"region0", 1, 0, "tagQuestVillageWatch", 150, nullptr, 0, 150},
                      RewardRow{"noTitle", 0, 1, "", 150, L"100 Gold", 0, 100},
                      RewardRow{"zeroGold", 1, 1, "tagQuestVillageWatch", 0, L"0 Gold", 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuestActions, NoSkillPointsMeansNothingAtAll)
{
    auto* skills = LoadAction<Action_GiveSkillPoints>(
        "Action_GiveSkillPoints", [](Action_GiveSkillPoints& a) { a.SetSkillPointsAmountEpic(2); });
    Heard<GameEvent_ShowTextBanner> banners("GameEvent_ShowTextBanner");
    Heard<GameEvent_GenericEntity> skillUps("GameEvent_PlayerSkillUp");
    skills->Fire(0, false);
    EXPECT_TRUE(banners.events.empty() && skillUps.events.empty());
    gEngine->GetGameInfo().SetDifficulty(1);
    skills->Fire(0, false);
    ASSERT_EQ(skillUps.events.size(), 1u);
    EXPECT_EQ(skillUps.events[0].objectId, player->GetObjectId());
    EXPECT_EQ(banners.events.size(), 1u);
}

TEST_F(QuestActions, ItemNeedsSomewhereToLand)
{
    auto* give = LoadAction<Action_GiveItem>("Action_GiveItem", [](Action_GiveItem& a) {
        a.SetItemNormal("Records/Items/Nothing.dbr");
    });
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(0);
    GAME::Test::LogCapture log;
    give->Fire(0, false);
    EXPECT_EQ(log.Count(2, "Action_GiveItem: nobody to receive item (Records/Items/Nothing.dbr)"),
              1u);
    EXPECT_EQ(give->GetItemId(), 0u);
}

TEST_F(QuestActions, RestoredStateCompletesAndJournalsSilently)
{
    Heard<GameEvent_CompleteQuestNow> completions("GameEvent_CompleteQuestNow");
    Action_CompleteQuestNow complete(0, nullptr);
    complete.SetQuestFile("Quests/VillageWatch.qst");
    complete.Fire(0, true);
    complete.Fire(0, false);
    ASSERT_EQ(completions.events.size(), 2u);
    EXPECT_FALSE(completions.events[0].flagA || completions.events[0].flagB);
    EXPECT_TRUE(completions.events[1].flagA && completions.events[1].flagB);

    gEngine->GetGameInfo().SetDifficulty(2);
    Heard<GameEvent_UpdateJournal> journal("GameEvent_UpdateJournal");
    auto* entry = LoadAction<Action_UpdateJournalEntry>(
        "Action_UpdateJournalEntry", [](Action_UpdateJournalEntry& a) { a.SetTitleTag("t"); });
    QuestRepository::Get().GetQuestByIndex(0)->SetRewardGold(2, 200);
    entry->Fire(0, true);
    entry->Fire(0, false);
    ASSERT_EQ(journal.events.size(), 2u);
    EXPECT_FALSE(journal.events[0].playSound);
    EXPECT_TRUE(journal.events[1].playSound);
    EXPECT_EQ(journal.events[1].rewardGold, 200);
    EXPECT_EQ(journal.events[1].handle, QuestRepository::Get().GetQuestByIndex(0)->GetHandle());
}

TEST_F(QuestActions, TutorialPagesOpenOnlyForTheLocalPlayer)
{
    Heard<GameEvent_TutorialUnlock> unlocks("GameEvent_TutorialUnlock");
    Action_SendTutorialEvent tutorial(0, nullptr);
    tutorial.SetIndex(3);
    tutorial.Fire(player->GetObjectId() + 1, false);
    EXPECT_TRUE(unlocks.events.empty());
    tutorial.Fire(0, false);
    ASSERT_EQ(unlocks.events.size(), 1u);
    EXPECT_EQ(unlocks.events[0].page, 3u);
}

TEST_F(QuestActions, MapMarkerTakesItsCompletionAsAnInt)
{
    Action_UpdateMapMarker marker(0, nullptr);
    for (const auto& [given, kept] : {std::pair{5, 1}, std::pair{0, 0}, std::pair{-2, 0}}) {
        marker.SetDoComplete(given);
        EXPECT_EQ(marker.GetDoComplete(), kept);
    }
}

class NpcDialogAnnouncement : public QuestActions, public ::testing::WithParamInterface<bool> {};

TEST_P(NpcDialogAnnouncement, WaitsForTheElderEvenAcrossASave)
{
    const bool reload = GetParam();
    database.WriteRecord("Records/Dialog/Elder.dbr", {"defaultDialogTextTag = tagElder"});
    auto* update =
        LoadAction<Action_UpdateNPCDialog>("Action_UpdateNPCDialog", [](Action_UpdateNPCDialog& a) {
            a.SetNPC("Records/Creatures/NPC/Village/VillageElder.dbr");
            a.SetDialogFile("Records/Dialog/Elder.dbr");
        });
    update->Fire(0, false);
    EXPECT_TRUE(update->IsPendingFire());
    if (reload) {
        QuestRepository::Get().GetQuestByIndex(0)->SetDirty();
        QuestRepository::Get().SaveQuestState(StateFolder(), "QuestRepository.dat", false);
        QuestRepository::Destroy();
        Loaded().LoadQuestState(StateFolder(), "QuestRepository.dat");
        update = static_cast<Action_UpdateNPCDialog*>(
            QuestRepository::Get().FindActionById(0x00000000u));
        ASSERT_TRUE(update->IsPendingFire());
    }
    auto* elder = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
    GAME::Test::Announce("records\\creatures\\npc\\VILLAGE/villageelder.dbr", elder->GetObjectId());
    EXPECT_FALSE(update->IsPendingFire());
    EXPECT_TRUE(elder->HasDialog());
}

INSTANTIATE_TEST_SUITE_P(Saves, NpcDialogAnnouncement, ::testing::Bool());

} // namespace
} // namespace GAME
