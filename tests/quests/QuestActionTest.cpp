#include "characters/Npc.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/EventManager.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerFactory.h"
#include "engine/TriggerToken.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/Quest.h"
#include "quests/QuestActions.h"
#include "quests/QuestConditions.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/RewardActions.h"
#include "tests/support/Announce.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/LogCapture.h"
#include "tests/support/QuestGameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

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
    auto* money = LoadAction<Action_GiveMoney>("Action_GiveMoney", [&](auto& a) {
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
        EXPECT_EQ(banners.events[0].text, row.banner);
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
        "Action_GiveSkillPoints", [](auto& a) { a.SetSkillPointsAmountEpic(2); });
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
    auto* give = LoadAction<Action_GiveItem>(
        "Action_GiveItem", [](auto& a) { a.SetItemNormal("Records/Items/Nothing.dbr"); });
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
    auto* entry = LoadAction<Action_UpdateJournalEntry>("Action_UpdateJournalEntry",
                                                        [](auto& a) { a.SetTitleTag("t"); });
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

class NpcDialogAnnouncement : public QuestActions, public ::testing::WithParamInterface<bool> {};

TEST_P(NpcDialogAnnouncement, WaitsForTheElderEvenAcrossASave)
{
    const bool reload = GetParam();
    database.WriteRecord("Records/Dialog/Elder.dbr", {"defaultDialogTextTag = tagElder"});
    auto* update = LoadAction<Action_UpdateNPCDialog>("Action_UpdateNPCDialog", [](auto& a) {
        a.SetNPC("Records/Creatures/NPC/Village/VillageElder.dbr");
        a.SetDialogFile("Records/Dialog/Elder.dbr");
    });
    update->Fire(0, false);
    EXPECT_TRUE(update->IsPendingFire());
    if (reload) {
        ReloadQuestState();
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

constexpr const char* kRaider = "Records/Creatures/Monster/Jackalman/JackalmanRaider.dbr";
constexpr const char* kGate = "Records/Quests/VillageWatch/GateVolume.dbr";

class QuestConditions : public Test::QuestGameFixture {
protected:
    template <typename C>
    C* LoadCondition(const char* name, const std::function<void(C&)>& configure)
    {
        Trigger* trigger = LoadOneTrigger({name}, {}, [&](TriggerCondition* c, TriggerAction*) {
            configure(*static_cast<C*>(c));
        });
        return static_cast<C*>(trigger->GetConditionAtIdx(0));
    }
};

TEST_F(QuestConditions, HerdCountsInTheQuestWindowAndHoldsAtItsCount)
{
    auto* herd =
        LoadCondition<Condition_KillCreatureHerd>("Condition_KillCreatureHerd", [](auto& c) {
            c.SetCreatureRecord(kRaider);
            c.SetCreatureCount(3);
            c.SetQuestWindowDisplay("Raiders");
        });
    Kill(kRaider, MakeMonster(kRaider)->GetObjectId(), 5);
    Kill(kRaider, MakeMonster(kRaider)->GetObjectId(), 5);
    std::vector<std::string> lines;
    herd->GetQuestInformation(lines);
    EXPECT_EQ(lines, std::vector<std::string>{"Raiders 2/3"});
    EXPECT_FALSE(herd->GetSatisfied());
    Kill(kRaider, MakeMonster(kRaider)->GetObjectId(), 5);
    EXPECT_TRUE(herd->GetSatisfied());
    EXPECT_TRUE(herd->GetParent()->IsDone());
    EXPECT_EQ(herd->GetParent()->GetInstigator(), 5u);
}

TEST_F(QuestConditions, ProxyKillsMustEqualTheSiblingCount)
{
    const char* camp = "Records/Proxies/RaiderCamp.dbr";
    auto* proxy = LoadCondition<Condition_KillAllCreaturesFromProxy>(
        "Condition_KillAllCreaturesFromProxy", [&](auto& c) { c.SetProxyRecord(camp); });
    for (uint32_t siblings : {3u, 1u, 3u}) {
        EXPECT_FALSE(proxy->GetSatisfied());
        Monster* monster = MakeMonster("Records/Creatures/Monster/Jackalman/Jackalman.dbr");
        monster->SetProxyParent("records\\proxies\\RAIDERCAMP.dbr");
        monster->SetProxyNumSiblings(siblings);
        Kill(monster->GetObjectName(), monster->GetObjectId(), 5);
    }
    EXPECT_TRUE(proxy->GetSatisfied());
}

TEST_F(QuestConditions, VolumeIsHeardOnlyOnceItsSpawnWasSeen)
{
    Player* player = MakeMainPlayer();
    auto* enter = LoadCondition<Condition_EnterVolume>("Condition_EnterVolume",
                                                       [](auto& c) { c.SetVolumeRecord(kGate); });
    Object* volume = ObjectManager::Instance().CreateObject("BoundingVolume");
    volume->SetObjectName(kGate);
    GameEvent_EnterBoundingVolume entry;
    entry.volumeId = volume->GetObjectId();
    entry.entityId = player->GetObjectId();
    EventManager::Instance().Send("GameEvent_EnterBoundingVolume", entry);
    EXPECT_FALSE(enter->GetSatisfied());

    GameEvent_GenericEntity spawn;
    spawn.objectName = "RECORDS/quests/villagewatch\\GateVolume.dbr";
    spawn.objectId = volume->GetObjectId();
    EventManager::Instance().Send("GameEvent_GenericEntitySpawn", spawn);
    entry.entityId = MakeMonster(kRaider)->GetObjectId();
    EventManager::Instance().Send("GameEvent_EnterBoundingVolume", entry);
    EXPECT_FALSE(enter->GetSatisfied());
    entry.entityId = player->GetObjectId();
    EventManager::Instance().Send("GameEvent_EnterBoundingVolume", entry);
    EXPECT_TRUE(enter->GetSatisfied());
    EXPECT_EQ(enter->GetParent()->GetInstigator(), player->GetObjectId());
}

TEST_F(QuestConditions, NegatedTokenHoldsWhileThePlayerLacksIt)
{
    Condition_OwnsTriggerToken owns(0, nullptr);
    owns.SetTokenName("raiderSlain");
    owns.SetNegate(true);
    bool flag = true;
    EXPECT_TRUE(owns.IsSatisfied(flag)); // nobody plays yet
    Player* player = MakeMainPlayer();
    player->BestowToken(TriggerToken("raiderSlain")); // pending is not held
    EXPECT_TRUE(owns.IsSatisfied(flag));
    owns.SetNegate(false);
    EXPECT_FALSE(owns.IsSatisfied(flag));
    EXPECT_FALSE(flag);
}

TEST_F(QuestConditions, TalkToThePersonQueuesTheNewsUntilHeldWorkGoesOut)
{
    BecomeServer();
    Player* player = MakeMainPlayer();
    const char* elder = "Records/Creatures/NPC/Village/VillageElder.dbr";
    auto* talk = LoadCondition<Condition_ConversationStart>(
        "Condition_ConversationStart", [&](auto& c) { c.SetPersonRecord(elder); });
    GameEvent_GenericEntity begin;
    begin.objectName = elder;
    begin.objectId = player->GetObjectId() + 1;
    EventManager::Instance().Send("GameEvent_ConversationBegin", begin);
    EXPECT_FALSE(talk->GetSatisfied()); // somebody else's conversation
    begin.objectId = player->GetObjectId();
    EventManager::Instance().Send("GameEvent_ConversationBegin", begin);
    EXPECT_TRUE(talk->GetSatisfied());
    EXPECT_TRUE(TakeQuestMessages().empty());
    QuestRepository::Get().FlushDelayedActions();
    const auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].words,
              (std::vector<uint32_t>{3, 0, player->GetObjectId(), player->GetObjectId()}));
}

// Test programs register classes of their own; the library's come first, in table order.
std::vector<std::string> LibraryNames(const std::vector<std::string>& names)
{
    std::vector<std::string> kept;
    for (const std::string& name : names) {
        if (name.rfind("Action_", 0) == 0 || name.rfind("Condition_", 0) == 0)
            kept.push_back(name);
    }
    return kept;
}

TEST(TriggerClassRegistration, ActionsInTableOrderThenTheFifteenConditions)
{
    const auto actions = LibraryNames(TriggerActionFactory::Get().GetRegisteredNames());
    std::istringstream table(
        "GiveMoney GiveItem DispenseItemFromNpc DropItemFromNpc DispenseItemFromChest "
        "TaskCreatureToLocation SpawnEntityAtLocation BoatDialog OpenDoor CloseDoor "
        "LockFixedItem UnlockFixedItem GiveAttributePoints GiveSkillPoints KillCreature "
        "GiveExp BestowTriggerToken RemoveTriggerToken RemoveItemFromInventory "
        "UpdateNPCDialog TalkNPC ClearNPCDialog LoadAmbientPlaylist LoadMusicPlaylist "
        "FadeInMusic FadeOutMusic LoadEventMusic PlaySoundEffect SetCharacterInvincible "
        "NpcPlayAnimation IlluminateNpc HideNpc ShowNpc DisableProxy ScreenFade "
        "TeleportPlayer SetTimeOfDay FadeOutEventMusic DebugText UpdateMapMarker "
        "ClearMapMarker UpdateDialogTab UpdateJournalEntry BestowQuest CompleteQuestNow "
        "SendTutorialEvent ScreenShake FireSkill");

    // The rows registered so far, in table order, and nothing outside the table.
    std::vector<std::string> expected;
    for (std::string word; table >> word;) {
        if (std::find(actions.begin(), actions.end(), "Action_" + word) != actions.end())
            expected.push_back("Action_" + word);
    }
    EXPECT_EQ(actions, expected);
    EXPECT_GE(actions.size(), 43u);
    const auto conditions = LibraryNames(TriggerConditionFactory::Get().GetRegisteredNames());
    ASSERT_EQ(conditions.size(), 15u);
    EXPECT_EQ(conditions.front(), "Condition_EnterVolume");
    EXPECT_EQ(conditions[6], "Condition_KillCreatureHerd");
    EXPECT_EQ(conditions.back(), "Condition_AnimationCompleted");
}

} // namespace
} // namespace GAME
