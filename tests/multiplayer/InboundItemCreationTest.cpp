#include "characters/Player.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "items/Item.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kPotion = "Records/Items/Drop.dbr";

// A running game with a world of one region.
class InboundItemCreationTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kPotion, {"Class = OneShot_PotionHealth", "description = tagDrop"});
        gEngine->GetPhysicsEngine().Reset();
    }

    struct Landing {
        WorldCoords coords;
        Vec3 linear;
        Vec3 angular;
    };

    // One machine's handling of the drop: the item made anew from the record and scattered.
    Landing Drop(uint32_t seed)
    {
        ItemReplicaInfo info;
        info.baseName = kPotion;
        info.seed = seed;
        std::wstring name;
        const WorldCoords at(1, Coords::FromTranslation(Vec3(3.0f, 0.0f, -2.0f)));
        Game().GetInboundNetworkInterface()->CreateItem(0, at, info, &name);
        EXPECT_NE(name.find(L"tagDrop"), std::wstring::npos);
        const PhysicsEngine& physics = gEngine->GetPhysicsEngine();
        const uint32_t id = physics.GetLinearVelocities().GetLast().objectId;
        const Item* item = ObjectManager::Instance().GetObject<Item>(id);
        EXPECT_NE(item, nullptr);
        EXPECT_EQ(item->GetPhysicsType(), 2);
        return {item->GetCoords(), physics.GetLinearVelocities().GetLast().velocity,
                physics.GetAngularVelocities().GetLast().velocity};
    }
};

TEST_F(InboundItemCreationTest, OneRecordScattersAlikeOnEveryMachine)
{
    const Landing first = Drop(1234);
    const Landing second = Drop(1234);
    EXPECT_EQ(first.coords, second.coords);
    EXPECT_EQ(first.angular, second.angular);
    EXPECT_EQ(first.linear, Vec3(0.0f, 4.0f, 1.0f));
    // Half a unit out in the ground plane, one up.
    const Vec3 offset = first.coords.GetRegionCoords().origin - Vec3(3.0f, 0.0f, -2.0f);
    EXPECT_NEAR(std::hypot(offset.x, offset.z), 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(offset.y, 1.0f);
    for (float spin : {first.angular.x, first.angular.y, first.angular.z}) {
        EXPECT_GE(spin, -8.0f);
        EXPECT_LE(spin, 8.0f);
    }
    EXPECT_NE(Drop(99).coords, first.coords);
}

TEST_F(InboundItemCreationTest, AnItemForACharacterNobodyKnowsIsDestroyed)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    ItemReplicaInfo info;
    info.id = 4321;
    info.baseName = kPotion;
    Game().GetInboundNetworkInterface()->CreateItem(77, WorldCoords(), info, nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
    EXPECT_EQ(log.Count(1, "GameEngine: Unable to resolve character (77) to give item (4321)"), 1u);
}

TEST_F(InboundItemCreationTest, GoldIsGivenAndTakenByTheSignOfTheAmount)
{
    auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    ASSERT_NE(player, nullptr);
    GameEngineNetworkInterface* inbound = Game().GetInboundNetworkInterface();
    struct Row {
        int32_t amount;
        uint32_t after;
    };
    const Row rows[] = {{120, 120u}, {0, 120u}, {-50, 70u}, {-1000, 0u}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.amount);
        inbound->GiveGoldToPlayer(player->GetObjectId(), row.amount);
        EXPECT_EQ(player->GetCurrentMoney(), row.after);
    }
    inbound->GiveGoldToPlayer(player->GetObjectId() + 100, 5);
}

} // namespace
} // namespace GAME::Test
