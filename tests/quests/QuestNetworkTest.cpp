#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/NetworkIndex.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerCondition.h"
#include "game/GameEngine.h"
#include "quests/ConditionId.h"
#include "quests/Quest.h"
#include "quests/QuestConditions.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRepository.h"
#include "tests/support/Announce.h"
#include "tests/support/QuestGameFixture.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using Words = std::vector<uint32_t>;
constexpr const char* kRaider = "Records/Creatures/Monster/Jackalman/JackalmanRaider.dbr";

TEST(QuestNetMsg, ProxySpawnWritesItsListsAndRefusesCountsBeyondTheWords)
{
    QuestNetMsg_ProxySpawn spawn;
    spawn.sender = 0x10000001u;
    spawn.nameIndex = 7;
    spawn.proxyId = 99;
    spawn.primaryObjects = {10, 11};
    spawn.accessoryObjects = {12};
    Words words;
    spawn.WriteWords(words);
    EXPECT_EQ(words, (Words{5, 0xFFFFFFFFu, 0x10000001u, 7, 2, 10, 11, 1, 12}));

    QuestNetMsg_ProxySpawn read;
    read.primaryObjects = {1, 2, 3};
    EXPECT_EQ(read.ReadWords(words), 9u);
    EXPECT_EQ(read.primaryObjects, (Words{10, 11}));
    EXPECT_EQ(read.accessoryObjects, (Words{12}));
    EXPECT_EQ(read.proxyId, 0u);

    const Words rows[] = {Words(words.begin(), words.end() - 1),
                          {5, 0xFFFFFFFFu, 1, 7, 0xFFFFFFFFu, 1},
                          {5, 0xFFFFFFFFu, 1, 7, 0, 0xFFFFFFFFu},
                          {5, 0xFFFFFFFFu, 1, 7}};
    for (const Words& row : rows) {
        SCOPED_TRACE(row.size());
        EXPECT_EQ(read.ReadWords(row), 0u);
        EXPECT_TRUE(read.primaryObjects.empty() && read.accessoryObjects.empty());
    }
}

TEST(QuestNetMsg, EachKindReadsItsOwnWordsAndNoFewerAndIdsGoHighByteFirst)
{
    const struct Row {
        Words words;
        size_t read;
    } rows[] = {{{0, 1, 2}, 3},          {{1, 1, 2, 3, 4, 5}, 6}, {{1, 1, 2, 3, 4}, 0},
                {{2, 1, 2, 3, 4}, 5},    {{3, 1, 2, 3}, 4},       {{3, 1, 2}, 0},
                {{4, 1, 2, 3, 4, 1}, 6}, {{6, 0xFFFFFFFFu, 2}, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words[0]);
        auto message = QuestNetMsg::Create(row.words[0]);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->ReadWords(row.words), row.read);
        if (row.read != 0) {
            Words again;
            message->Clone()->WriteWords(again);
            EXPECT_EQ(again, row.words);
        }
    }
    EXPECT_EQ(QuestNetMsg::Create(7), nullptr);
    // Condition ids go most significant byte first.
    EXPECT_EQ((ConditionId{1, 2, 3, 4}.ToWord()), 0x01020304u);
    EXPECT_EQ(ConditionId::FromWord(0x01020304u), (ConditionId{1, 2, 3, 4}));
}

// A loaded kill condition, and the players of a network game around it.
class QuestNetwork : public Test::QuestGameFixture {
public:
    static constexpr uint32_t kAlly = 0x20000005u;
    static constexpr uint32_t kStranger = 0x30000007u;

protected:
    Condition_KillCreature* LoadKill(bool exclusive)
    {
        Trigger* trigger = LoadOneTrigger(
            {"Condition_KillCreature"}, {}, [&](TriggerCondition* condition, TriggerAction*) {
                auto* kill = static_cast<Condition_KillCreature*>(condition);
                kill->SetCreatureRecord(kRaider);
                kill->SetExclusive(exclusive);
            });
        return static_cast<Condition_KillCreature*>(trigger->GetConditionAtIdx(0));
    }
    void StartServer()
    {
        BecomeServer();
        me = MakeMainPlayer()->GetObjectId();
        SeatPlayers(kAlly, kStranger);
    }
    static Words KillWords(uint32_t type, uint32_t killer, uint32_t exclusive)
    {
        return {type, 0, killer, killer, 4242, exclusive};
    }

    uint32_t me = 0;
};

struct AllyRow {
    const char* name;
    uint32_t sender;
    bool exclusive, satisfied, unsolvable;
};

class QuestAllyTable : public QuestNetwork, public ::testing::WithParamInterface<AllyRow> {};

TEST_P(QuestAllyTable, DecidesWhatAReceivedKillDoes)
{
    const AllyRow& row = GetParam();
    StartServer();
    Condition_KillCreature* kill = LoadKill(row.exclusive);
    QuestRepository::Get().RecvNetMsg(KillWords(1, row.sender, row.exclusive));
    EXPECT_EQ(kill->GetSatisfied(), row.satisfied);
    EXPECT_EQ(QuestRepository::Get().GetQuestByIndex(0)->IsUnsolvable(), row.unsolvable);
    EXPECT_TRUE(TakeQuestMessages().empty()); // never reported a second time
}

INSTANTIATE_TEST_SUITE_P(
    Senders, QuestAllyTable,
    ::testing::Values(
        AllyRow{"party member", QuestNetwork::kAlly, true, true, false},
        AllyRow{"player not in the game", 0x50000001u, true, true, false},
        AllyRow{"in-game stranger, exclusive", QuestNetwork::kStranger, true, false, true},
        AllyRow{"in-game stranger, shared", QuestNetwork::kStranger, false, false, false}));

TEST_F(QuestNetwork, OwnAndClientEchoesChangeNothing)
{
    StartServer();
    LoadKill(true);
    QuestRepository& quests = QuestRepository::Get();
    quests.RecvNetMsg(Words{0, 0, me});
    EXPECT_TRUE(quests.GetSatisfiedConditions().empty());
    quests.RecvNetMsg(Words{0, 0, kStranger});
    EXPECT_EQ(quests.GetSatisfiedConditions().size(), 1u);
    EXPECT_TRUE(quests.GetQuestByIndex(0)->IsUnsolvable()); // his, exclusive, and unmet here
    BecomeClient();
    quests.RecvNetMsg(Words{6, 0xFFFFFFFFu, kAlly});
    EXPECT_TRUE(TakeQuestMessages().empty());
}

TEST_F(QuestNetwork, ServerAnswersARequestWithItsSetAndSpawns)
{
    StartServer();
    LoadKill(false);
    QuestRepository& quests = QuestRepository::Get();
    quests.RecvConditionSet(Words{0x00000000u, 0x01000000u});
    quests.RecvConditionSet(Words{0x01000000u, 0x00000000u});
    EXPECT_EQ(quests.GetSatisfiedConditions().size(), 2u);
    quests.RecvNetMsg(Words{6, 0xFFFFFFFFu, kAlly});
    const auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0].isConditionSet);
    EXPECT_EQ(sent[0].words, (Words{0x00000000u, 0x01000000u}));
}

TEST_F(QuestNetwork, IdsMustNameAConditionOfTheMessagesKind)
{
    StartServer();
    Condition_KillCreature* kill = LoadKill(true);
    QuestRepository& quests = QuestRepository::Get();
    for (const Words& words :
         {Words{4, 0, kAlly, kAlly, 1, 1}, Words{2, 0, kAlly, 1, 1}, Words{3, 0, kAlly, kAlly},
          Words{1, 0x00000100u, kAlly, 1, 2, 1}, Words{4, 0, kStranger, kStranger, 1, 1}}) {
        SCOPED_TRACE(words[0]);
        quests.RecvNetMsg(words);
        EXPECT_FALSE(kill->GetSatisfied());
        EXPECT_FALSE(quests.GetQuestByIndex(0)->IsUnsolvable());
    }
}

TEST_F(QuestNetwork, ClientKillConditionHearsOnlyTheServerAndItsRequestAsksEveryMachine)
{
    BecomeClient();
    me = MakeMainPlayer()->GetObjectId();
    Condition_KillCreature* kill = LoadKill(false);
    Monster* raider = MakeMonster(kRaider);
    Kill(kRaider, raider->GetObjectId(), me);
    EXPECT_FALSE(kill->GetSatisfied());
    QuestRepository::Get().RecvNetMsg(KillWords(1, me, 0));
    EXPECT_TRUE(kill->GetSatisfied());
    EXPECT_EQ(kill->GetParent()->GetInstigator(), me);

    QuestRepository::Get().RequestClientData();
    const auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].words, (Words{6, 0xFFFFFFFFu, me}));
}

TEST_F(QuestNetwork, ServerReportsEachKillThenItsSuccess)
{
    StartServer();
    LoadKill(true);
    Monster* raider = MakeMonster(kRaider);
    Kill(kRaider, raider->GetObjectId(), me);
    const auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].words, (Words{1, 0, me, me, raider->GetObjectId(), 1}));
    EXPECT_EQ(sent[1].words, (Words{0, 0, me}));
    EXPECT_EQ(QuestRepository::Get().GetSatisfiedConditions().count(ConditionId{0, 0, 0, 0}), 1u);
}

TEST_F(QuestNetwork, StrangersKillIsReportedButNotOurs)
{
    StartServer();
    Condition_KillCreature* kill = LoadKill(false);
    Kill(kRaider, MakeMonster(kRaider)->GetObjectId(), kStranger);
    EXPECT_EQ(TakeQuestMessages().size(), 1u);
    EXPECT_FALSE(kill->GetSatisfied());
}

TEST_F(QuestNetwork, DelayedMessagesFollowTheHeldActionsAndOutliveReset)
{
    StartServer();
    QuestRepository& quests = QuestRepository::Get();
    QuestNetMsg_ConversationStart talk(QuestNetMsg::ConversationStart, 0, me);
    QuestNetMsg unknown(9, 0, me);
    quests.SendDelayedNetMsg(&talk, 0);
    quests.SendDelayedNetMsg(&unknown, 0);
    quests.EnableDelayedActions(true);
    quests.Reset();
    EXPECT_EQ(quests.GetNumDelayedMessages(), 1u);
    quests.Update(33);
    const auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].words, (Words{3, 0, me, 0}));
}

// Hears a spawn pool's placement by record name, from this machine or the server.
struct SpawnListener : GenericEntityInitialUpdateListener {
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override
    {
        heard.push_back(event.objectId);
    }
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override
    {
        heard.insert(heard.end(), message.primaryObjects.begin(), message.primaryObjects.end());
    }
    Words heard;
};

TEST_F(QuestNetwork, RecordNamesTravelAsTheirPlaceAmongTheSortedRecords)
{
    database.WriteRecord("Records/B/Camp.dbr", {"Class = Proxy"});
    database.WriteRecord("Records/A/Camp.dbr", {"Class = Proxy"});
    database.WriteFile("Records/A/notes.txt", "not a record");
    EXPECT_EQ(StringToNetworkIndex("records\\B/CAMP.dbr"), 1u);
    EXPECT_EQ(NetworkIndexToString(0), "records\\a\\camp.dbr");
    EXPECT_EQ(StringToNetworkIndex("Records/A/notes.txt"), kNoNetworkIndex);
    EXPECT_EQ(NetworkIndexToString(100000), "");
}

TEST_F(QuestNetwork, SpawnPoolPlacementReachesEveryMachineAndLateJoiners)
{
    database.WriteRecord("Records/A/Camp.dbr", {"Class = Proxy"});
    StartServer();
    SpawnListener listener;
    QuestRepository& quests = QuestRepository::Get();
    quests.AddGenericEntityInitialUpdate("Records/A/Camp.dbr", &listener);
    auto* camp = static_cast<Proxy*>(ObjectManager::Instance().CreateObject("Proxy"));
    GAME::Test::AnnounceEntity("Records/A/Camp.dbr", camp->GetObjectId());
    EXPECT_EQ(listener.heard, (Words{camp->GetObjectId()}));
    auto sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 1u);
    // A proxy without pools announces empty lists.
    EXPECT_EQ(sent[0].words, (Words{5, 0xFFFFFFFFu, me, 0, 0, 0}));
    ASSERT_EQ(quests.GetProxySpawns().size(), 1u);
    EXPECT_EQ(quests.GetProxySpawns()[0].proxyId, camp->GetObjectId());

    quests.RecvNetMsg(Words{5, 0xFFFFFFFFu, kAlly, 0, 1, 20, 0});
    quests.RecvNetMsg(Words{5, 0xFFFFFFFFu, kAlly, 9, 1, 21, 0}); // names no record
    EXPECT_EQ(listener.heard, (Words{camp->GetObjectId(), 20}));
    quests.RecvNetMsg(Words{6, 0xFFFFFFFFu, kAlly});
    sent = TakeQuestMessages();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0].isConditionSet);
    EXPECT_EQ(sent[1].words[0], 5u);
}

} // namespace
} // namespace GAME
