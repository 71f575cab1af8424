#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "combat/CombatAttributeType.h"
#include "engine/Coords.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {

// A thinking controller that only counts what its character tells it.
class ServicesTestController : public ControllerAI {
    GAME_DECLARE_CLASS(ServicesTestController)

public:
    void BeginImmobilize() override { calls.push_back("begin immobilize"); }
    void EndImmobilize() override { calls.push_back("end immobilize"); }
    void BeginStun() override { calls.push_back("begin stun"); }
    void EndStun() override { calls.push_back("end stun"); }
    void BeginTrap() override { calls.push_back("begin trap"); }
    void EndTrap() override { calls.push_back("end trap"); }
    void TeamChanged() override { calls.push_back("team"); }

    std::vector<std::string> calls;
};

GAME_IMPLEMENT_CLASS(ServicesTestController, ControllerAI);

namespace Test {
namespace {

class CharacterServicesTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        character = Spawn<Character>("Records/Creatures/Services.dbr", {});
        ASSERT_NE(character, nullptr);
        controller = static_cast<ServicesTestController*>(
            ObjectManager::Instance().CreateObject("ServicesTestController"));
        controller->AttachParent(character->GetObjectId());
        character->SetControllerId(controller->GetObjectId());
    }

    Character* character = nullptr;
    ServicesTestController* controller = nullptr;
};

TEST_F(CharacterServicesTest, FreezeAndPetrifyBothImmobilizeAndTypeZeroDoesNothing)
{
    character->StartInvoluntaryEffect(static_cast<CombatAttributeType>(0));
    character->StopInvoluntaryEffect(static_cast<CombatAttributeType>(0));
    EXPECT_TRUE(controller->calls.empty());

    character->StartInvoluntaryEffect(CombatAttributeType_Freeze);
    character->StopInvoluntaryEffect(CombatAttributeType_Freeze);
    character->StartInvoluntaryEffect(CombatAttributeType_Petrify);
    character->StopInvoluntaryEffect(CombatAttributeType_Petrify);
    EXPECT_EQ(controller->calls, (std::vector<std::string>{"begin immobilize", "end immobilize",
                                                           "begin immobilize", "end immobilize"}));
}

TEST_F(CharacterServicesTest, OnlyAChangeOfMajorOrMinorTeamReachesTheController)
{
    Team team;
    team.Set(3, 1);
    character->SetTeam(team);
    ASSERT_EQ(controller->calls.size(), 1u);

    Team same;
    same.Set(3, 1);
    character->SetTeam(same);
    EXPECT_EQ(controller->calls.size(), 1u);
    EXPECT_EQ(character->GetTeam().GetTeamMajor(), 3u);

    Team otherMinor;
    otherMinor.Set(3, 2);
    character->SetTeam(otherMinor);
    EXPECT_EQ(controller->calls, (std::vector<std::string>{"team", "team"}));
}

TEST_F(CharacterServicesTest, DroppingAnIdThatNamesNoItemOnlyClearsIt)
{
    const size_t entities = gEngine->GetWorld()->GetEntityCount();
    uint32_t itemId = character->GetObjectId(); // a character, not an item
    character->DropItemFromEquipLocation(itemId, EquipLocations_RightHand, true);
    EXPECT_EQ(itemId, 0u);
    uint32_t missing = 987654;
    character->DropItemFromEquipLocation(missing, EquipLocations_RightHand, false);
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(gEngine->GetWorld()->GetEntityCount(), entities);
    EXPECT_TRUE(gEngine->GetPhysicsEngine().GetLinearVelocities().IsEmpty());
}

TEST_F(CharacterServicesTest, TheReplicaListsCarriedItemsFirstThenWornOnesWhereTheyHang)
{
    auto* helm = DynamicCast<Item>(ObjectManager::Instance().CreateObject("Item"));
    auto* potion = DynamicCast<Item>(ObjectManager::Instance().CreateObject("Item"));
    character->GetInventory().AddItemToInventory(helm->GetObjectId(), false);
    character->AttachItemAction(helm->GetObjectId(), EquipLocations_Head);
    character->GetInventory().AddItemToInventory(potion->GetObjectId(), false);

    std::vector<InventoryReplica> replicas;
    character->GetInventoryReplica(replicas);
    ASSERT_EQ(replicas.size(), 2u);
    EXPECT_EQ(replicas[0].item.id, potion->GetObjectId());
    EXPECT_EQ(replicas[0].location, EquipLocations_None);
    EXPECT_EQ(replicas[1].item.id, helm->GetObjectId());
    EXPECT_EQ(replicas[1].location, EquipLocations_Head);
}

TEST_F(CharacterServicesTest, AThrownItemLeavesTheInventoryUpwardAndItsIdIsCleared)
{
    auto* item = DynamicCast<Item>(ObjectManager::Instance().CreateObject("Item"));
    uint32_t itemId = item->GetObjectId();
    character->GetInventory().AddItemToInventory(itemId, false);
    character->DropItemFromEquipLocation(itemId, EquipLocations_RightHand, true);
    EXPECT_EQ(itemId, 0u);
    EXPECT_FALSE(character->HasItem(item->GetObjectId()));
    EXPECT_EQ(item->GetPhysicsType(), 2);
    const auto& linear = gEngine->GetPhysicsEngine().GetLinearVelocities();
    ASSERT_EQ(linear.GetSize(), 1u);
    EXPECT_EQ(linear[0].objectId, item->GetObjectId());
    EXPECT_EQ(linear[0].velocity, Vec3(0, 4, 0));
    const Vec3 spin = gEngine->GetPhysicsEngine().GetAngularVelocities()[0].velocity;
    for (float value : {spin.x, spin.y, spin.z}) {
        EXPECT_GE(value, -4.0f);
        EXPECT_LE(value, 4.0f);
    }
}

TEST_F(CharacterServicesTest, ConversationPartnersStandAcrossTheFirstAxis)
{
    const Coords facing({0, 0, 1}, {0, 1, 0}, {-1, 0, 0}, {3, 0, 4});
    ASSERT_TRUE(gEngine->GetWorld()->SetCoords(character, WorldCoords(kRegion, facing)));
    std::vector<WorldVec3> points{WorldVec3(kRegion, Vec3(9, 9, 9))};
    character->GetConversationPartnerLocation(points);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1], WorldVec3(kRegion, Vec3(3, 0, 4.9f)));
    EXPECT_EQ(points[2], WorldVec3(kRegion, Vec3(3, 0, 3.1f)));
}

} // namespace
} // namespace Test
} // namespace GAME
