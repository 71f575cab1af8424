#include "world/ProjectileTelekinesis.h"

#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldVec3.h"
#include "tests/support/GameEngineFixture.h"
#include "world/OrmenosDropZone.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace GAME::Test {
namespace {

class TelekinesisTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    std::unique_ptr<World> previousWorld;
};

TEST_F(TelekinesisTest, FallsAsAHazardToAllThenExplodesAndGoesOnTheNextUpdate)
{
    database.WriteRecord("Records/Projectiles/Rock.dbr", {"Class = ProjectileTelekinesis",
                                                          "explosionEffect = Records/Fx/Boom.dbr"});
    database.WriteRecord("Records/Fx/Boom.dbr", {"Class = FxPak"});
    auto* rock = ObjectManager::Instance().CreateObjectFromFile<ProjectileTelekinesis>(
        "Records/Projectiles/Rock.dbr");
    ASSERT_NE(rock, nullptr);
    EXPECT_TRUE(rock->IsIdle());
    ProjectileInfo info;
    info.launchCoords = WorldCoords(WorldVec3(1, {2, 5, 2}));
    rock->LoadInfo(info, 1);
    rock->ProjectileFall();
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Falling);
    EXPECT_TRUE(rock->IsInUse());
    EXPECT_FALSE(rock->IsIdle());
    EXPECT_TRUE(rock->IsGravityEnabled());
    EXPECT_EQ(rock->GetInfo().team.GetTeamMajor(), 3u);

    rock->Explode(true);
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Exploded);
    EXPECT_FALSE(rock->GetVisibility());
    EXPECT_EQ(rock->GetPhysicsType(), 0);
    std::vector<Entity*> around;
    gEngine->GetWorld()->GetEntitiesInSphere(around, WorldVec3(1, {}).GetRegion(), {2, 5, 2}, 1.0f);
    size_t effects = 0;
    for (const Entity* entity : around)
        effects += entity->GetObjectName() == "Records/Fx/Boom.dbr" ? 1 : 0;
    EXPECT_EQ(effects, 1u);

    const uint32_t id = rock->GetObjectId();
    rock->UpdateSelf(10);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
}

TEST_F(TelekinesisTest, DropZoneRadiusDefaultsToOneAndNeverBlocks)
{
    database.WriteRecord("Records/Markers/Zone.dbr", {"Class = OrmenosDropZone"});
    database.WriteRecord("Records/Markers/WideZone.dbr",
                         {"Class = OrmenosDropZone", "radius = 4.5"});
    auto* zone =
        ObjectManager::Instance().CreateObjectFromFile<OrmenosDropZone>("Records/Markers/Zone.dbr");
    auto* wide = ObjectManager::Instance().CreateObjectFromFile<OrmenosDropZone>(
        "Records/Markers/WideZone.dbr");
    ASSERT_NE(zone, nullptr);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(zone->GetRadius(), 1.0f);
    EXPECT_EQ(wide->GetRadius(), 4.5f);
    EXPECT_FALSE(zone->OccludesPathing());
    EXPECT_FALSE(zone->CanCollide(wide));
}

} // namespace
} // namespace GAME::Test
