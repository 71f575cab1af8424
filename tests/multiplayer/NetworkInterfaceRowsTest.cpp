#include "ai/ControllerAI.h"
#include "characters/Player.h"
#include "engine/LocalizationManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "game/UINotification.h"
#include "items/Item.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Must.h"
#include "tests/support/PlayerListRecords.h"
#include "world/FixedItem.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kPotion = "Records/Items/Drop.dbr";

// What the inbound side does with each operation on the machine that carries it out.
class InboundRows : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kPotion, {"Class = OneShot_PotionHealth", "description = tagDrop"});
        gEngine->GetPhysicsEngine().Reset();
    }

    GameEngineNetworkInterface& Inbound() { return *Game().GetInboundNetworkInterface(); }

    static ItemReplicaInfo Potion(uint32_t seed)
    {
        ItemReplicaInfo info;
        info.id = 4321;
        info.baseName = kPotion;
        info.seed = seed;
        return info;
    }

    Player* NewPlayer()
    {
        return static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    }
};

TEST_F(InboundRows, GoldTakesTheNegatedAmountWithoutWrapping)
{
    Player* player = NewPlayer();
    struct Row {
        uint32_t before;
        int32_t amount;
        uint32_t after;
    };
    const Row rows[] = {{300, 0, 300}, {300, -50, 250}, {300, 75, 375}, {2000, INT_MIN, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.amount);
        player->SubtractMoney(player->GetCurrentMoney());
        player->AddMoney(row.before);
        Inbound().GiveGoldToPlayer(player->GetObjectId(), row.amount);
        EXPECT_EQ(player->GetCurrentMoney(), row.after);
    }
    Inbound().GiveGoldToPlayer(player->GetObjectId() + 1000, -5);
    EXPECT_EQ(player->GetCurrentMoney(), 0u);
}

// The seed alone places and spins a drop, so every machine lands it alike.
TEST_F(InboundRows, ADropLandsAndSpinsAsItsSeedSays)
{
    const Vec3 start(3.0f, 0.0f, -2.0f);
    const WorldCoords at(kPlace.GetRegionId(), Coords::FromTranslation(start));
    const PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    Inbound().CreateItem(0, at, Potion(12345), nullptr);
    const uint32_t id = physics.GetLinearVelocities().GetLast().objectId;
    const Item* item = Must(ObjectManager::Instance().GetObject<Item>(id));
    EXPECT_EQ(item->GetPhysicsType(), 2);
    EXPECT_EQ(physics.GetLinearVelocities().GetLast().velocity,
              at.GetRegionCoords().forward + Vec3(0.0f, 4.0f, 0.0f));
    const Vec3 offset = item->GetCoords().GetRegionCoords().origin - start;
    EXPECT_NEAR(offset.x, 0.2518f, 1e-4f);
    EXPECT_FLOAT_EQ(offset.y, 1.0f);
    EXPECT_NEAR(offset.z, -0.4320f, 1e-4f);
    const Vec3 spin = physics.GetAngularVelocities().GetLast().velocity;
    EXPECT_NEAR(spin.x, 1.1502f, 1e-4f);
    EXPECT_NEAR(spin.y, 2.6094f, 1e-4f);
    EXPECT_NEAR(spin.z, -0.0572f, 1e-4f);
}

TEST_F(InboundRows, AnItemTheWorldRefusesLeavesNoObject)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    Inbound().CreateItem(0, WorldCoords(9999, Coords()), Potion(7), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
    EXPECT_EQ(log.CountContaining("GameEngine: Unable to drop item"), 1u);
    EXPECT_TRUE(gEngine->GetPhysicsEngine().GetLinearVelocities().IsEmpty());
}

TEST_F(InboundRows, AnItemForACharacterNobodyKnowsIsDestroyed)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    Inbound().CreateItem(77, WorldCoords(), Potion(0), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
    EXPECT_EQ(log.Count(1, "GameEngine: Unable to resolve character (77) to give item (4321)"), 1u);
}

TEST_F(InboundRows, AnEntityWithoutARecordOrAPlaceIsNotMade)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    Inbound().CreateEntity(kPlace, "", 77);
    Inbound().CreateEntity(WorldCoords(9999, Coords()), kPotion, 78);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Object>(77), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Object>(78), nullptr);
}

TEST_F(InboundRows, QuestCommandsReachOnlyWhatTheyName)
{
    database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
    Monster* monster = Spawn(kBones, {"unarmedWalkAnim = BonesWalk"});
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerAI>(monster->GetControllerId());
    ASSERT_NE(controller, nullptr);
    Inbound().QuestCommandWalk(monster->GetObjectId() + 5000, 0, kPlace.GetPosition(), true);
    EXPECT_FALSE(controller->GetAllowQuestInterruptions());
    Inbound().QuestCommandWalk(monster->GetObjectId(), 0, kPlace.GetPosition(), true);
    EXPECT_TRUE(controller->GetAllowQuestInterruptions());

    LogCapture log;
    Inbound().QuestCommandPlayAnimation(monster->GetObjectId(), 9999, true, false);
    EXPECT_TRUE(controller->GetAllowQuestInterruptions());
    EXPECT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.CountContaining("9999"), 1u);

    auto* chest = static_cast<FixedItem*>(ObjectManager::Instance().CreateObject("FixedItem"));
    Inbound().QuestCommandLockFixedItem(monster->GetObjectId(), true);
    EXPECT_FALSE(chest->IsLocked());
    Inbound().QuestCommandLockFixedItem(chest->GetObjectId(), true);
    EXPECT_TRUE(chest->IsLocked());
}

class RemoteText : public InboundRows {
protected:
    void SetUp() override
    {
        InboundRows::SetUp();
        LocalizationManager::Instance().AddText("SimpleStringFormat", L"[%s]");
        LocalizationManager::Instance().AddText("tagJoined", L"%s joined");
        LocalizationManager::Instance().AddText("tagNumbers", L"%s has %d");
        Game().GetPlayerManagerClient()->HandlePlayerUpdate({ListedPlayer(kAna, L"Ana")});
    }
    void TearDown() override
    {
        LocalizationManager::Instance().Clear();
        InboundRows::TearDown();
    }

    // The text a remote message puts up as a bubble.
    std::wstring Shown(uint32_t about, const std::string& tag)
    {
        while (Game().GetNumNotifications() != 0)
            Game().TakeTopNotification();
        Inbound().DisplayMessageRemote(1, about, true, tag);
        EXPECT_EQ(Game().GetNumNotifications(), 1u);
        const UINotification notice = Game().TakeTopNotification();
        EXPECT_EQ(notice.type, 6);
        return notice.texts.empty() ? std::wstring() : notice.texts.front();
    }

    static constexpr uint32_t kAna = 0x10000001;
};

TEST_F(RemoteText, OnlyTheNameIsPutIntoTheTag)
{
    struct Row {
        uint32_t about;
        std::string tag;
        std::wstring shown;
    };
    const Row rows[] = {
        {0, "tagJoined", L"[tagJoined]"},
        {kAna, "tagJoined", L"Ana joined"},
        {kAna + 1, "tagJoined", L"ErrorName joined"},
        {kAna, "%d %s", L"%d %s"},
        {kAna, "tagNumbers", L"%s has %d"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tag);
        EXPECT_EQ(Shown(row.about, row.tag), row.shown);
    }
}

TEST_F(RemoteText, APartyAnswerRegistersOnlyWithItsRecipient)
{
    Player* local = NewPlayer();
    Game().GetPlayerManagerClient()->SetMainPlayer(local->GetObjectId());
    PartyRequestResponsePacket answer;
    answer.sender = kAna;
    answer.recipient = local->GetObjectId() + 1;
    answer.accepted = true;
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(answer, Game()));
    EXPECT_EQ(Game().GetNumPartyRequestResponses(), 0u);
    answer.recipient = local->GetObjectId();
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(answer, Game()));
    ASSERT_EQ(Game().GetNumPartyRequestResponses(), 1u);
    EXPECT_EQ(Game().GetTopPartyRequestResponse().playerId, kAna);
}

} // namespace
} // namespace GAME::Test
