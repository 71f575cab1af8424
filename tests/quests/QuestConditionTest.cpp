#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerFactory.h"
#include "engine/TriggerToken.h"
#include "quests/QuestConditions.h"
#include "quests/QuestRepository.h"
#include "tests/support/QuestGameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

namespace GAME {
namespace {

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
    auto* herd = LoadCondition<Condition_KillCreatureHerd>("Condition_KillCreatureHerd",
                                                           [](Condition_KillCreatureHerd& c) {
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
        "Condition_KillAllCreaturesFromProxy",
        [&](Condition_KillAllCreaturesFromProxy& c) { c.SetProxyRecord(camp); });
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
    auto* enter = LoadCondition<Condition_EnterVolume>(
        "Condition_EnterVolume", [](Condition_EnterVolume& c) { c.SetVolumeRecord(kGate); });
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
        "Condition_ConversationStart",
        [&](Condition_ConversationStart& c) { c.SetPersonRecord(elder); });
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

struct DescriptionRow {
    const char* className;
    std::function<void(TriggerCondition&)> configure;
    const char* text;
};

class ConditionDescription : public ::testing::TestWithParam<DescriptionRow> {};

TEST_P(ConditionDescription, UsesTheEditorMarkup)
{
    auto condition = TriggerConditionFactory::Get().Create(GetParam().className, 0);
    ASSERT_NE(condition, nullptr);
    GetParam().configure(*condition);
    EXPECT_EQ(condition->GetDescription(), GetParam().text);
}

template <typename C> std::function<void(TriggerCondition&)> With(std::function<void(C&)> set)
{
    return [set](TriggerCondition& c) { set(static_cast<C&>(c)); };
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, ConditionDescription,
    ::testing::Values(
        DescriptionRow{"Condition_KillCreature",
                       With<Condition_KillCreature>([](auto& c) { c.SetCreatureRecord(kRaider); }),
                       "Kill Creature {BJackalmanRaider}"},
        DescriptionRow{"Condition_OwnsTriggerToken", With<Condition_OwnsTriggerToken>([](auto& c) {
                           c.SetTokenName("raiderSlain");
                           c.SetNegate(true);
                       }),
                       "{BNot }Owns Token {RraiderSlain}"},
        DescriptionRow{"Condition_KillCreatureHerd", With<Condition_KillCreatureHerd>([](auto& c) {
                           c.SetCreatureRecord(kRaider);
                           c.SetCreatureCount(3);
                       }),
                       "Player Kills {B3 JackalmanRaider}"},
        DescriptionRow{"Condition_OnQuestComplete", With<Condition_OnQuestComplete>([](auto& c) {
                           c.SetQuestFile("Quests/VillageWatch.qst");
                       }),
                       "Quest {BQuests/VillageWatch.qst} Complete"},
        DescriptionRow{"Condition_UseFixedItem", [](TriggerCondition&) {}, "Use Item {B[empty]}"},
        DescriptionRow{"Condition_ExitVolume", [](TriggerCondition& c) { c.SetNegate(true); },
                       "{BNot }Exit Bounding Volume"}));

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
    for (const std::string& name : conditions) {
        auto condition = TriggerConditionFactory::Get().Create(name, 0);
        EXPECT_EQ(condition->GetName(), name);
    }
}

} // namespace
} // namespace GAME
