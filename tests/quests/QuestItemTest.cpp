#include "quests/QuestItem.h"

#include "engine/ABBox.h"
#include "engine/Database.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineWorldFixture.h"
#include "tests/support/Must.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kTrail = "Records/Fx/QuestTrail.dbr";
constexpr const char* kOtherTrail = "Records/Fx/OtherTrail.dbr";
constexpr const char* kGem = "Records/Quests/Gem.dbr";
// Records are read once, so a reload reads another record.
constexpr const char* kRuby = "Records/Quests/Ruby.dbr";

class QuestItemTest : public EngineWorldFixture {
protected:
    void SetUp() override
    {
        EngineWorldFixture::SetUp();
        world->CreateRegion(1, {0, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
        database.WriteRecord(kTrail, {"Class = EffectEntity"});
        database.WriteRecord(kOtherTrail, {"Class = EffectEntity"});
    }

    QuestItem* MakeGem(const std::string& line)
    {
        if (line.empty())
            database.WriteRecord(kGem, {"Class = QuestItem"});
        else
            database.WriteRecord(kGem, {"Class = QuestItem", line});
        return ObjectManager::Instance().CreateObjectFromFile<QuestItem>(kGem);
    }
    static EffectEntity* Trail(const QuestItem& item)
    {
        return ObjectManager::Instance().GetObject<EffectEntity>(item.GetTrailEffect());
    }

    static void Reload(QuestItem& item, const char* record)
    {
        const LoadTable* table = ObjectManager::Instance().GetDatabase().FindLoadTable(record);
        ASSERT_NE(table, nullptr);
        item.Load(*table);
    }

public:
    void Place(Entity& entity) { world->AddEntity(&entity, WorldCoords(WorldVec3(1, {})), true); }
    void Remove(Entity& entity) { world->RemoveEntity(&entity); }
};

TEST_F(QuestItemTest, TheSimulationRunsFromAWorldsTakingUntilTheWorldOrThePhysicsLetsGo)
{
    Entity entity;
    EXPECT_FALSE(entity.IsSimulationEnabled());
    Place(entity);
    EXPECT_TRUE(entity.IsSimulationEnabled());
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(&entity);
    EXPECT_FALSE(entity.IsSimulationEnabled());
    Place(entity); // only moves it: it stays at rest
    EXPECT_FALSE(entity.IsSimulationEnabled());
    Remove(entity);
    Place(entity);
    EXPECT_TRUE(entity.IsSimulationEnabled());
    Remove(entity);
    EXPECT_FALSE(entity.IsSimulationEnabled());
}

TEST_F(QuestItemTest, ALoadReplacesTheTrailWhoseNewOneStartsNextFrameAndGoesWithTheItem)
{
    QuestItem* gem = Must(MakeGem(std::string("trailEffect = ") + kTrail));
    const uint32_t first = gem->GetTrailEffect();
    Place(*gem);
    gem->UpdateSelf(10);
    gem->UpdateSelf(10);
    ASSERT_TRUE(gem->IsTrailEmitting());
    EXPECT_EQ(Must(Trail(*gem))->GetStartEmittingCount(), 1u); // started once, not each frame

    database.WriteRecord(kRuby, {"Class = QuestItem", std::string("trailEffect = ") + kOtherTrail});
    Reload(*gem, kRuby);
    EXPECT_EQ(ObjectManager::Instance().GetObject<EffectEntity>(first), nullptr);
    EffectEntity* second = Must(Trail(*gem));
    EXPECT_EQ(second->GetAttachParent(), gem);
    gem->UpdateSelf(10);
    EXPECT_EQ(second->GetStartEmittingCount(), 1u);

    const uint32_t secondId = gem->GetTrailEffect();
    ObjectManager::Instance().DestroyObjectEx(gem, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject<EffectEntity>(secondId), nullptr);
}

TEST_F(QuestItemTest, ARecordWithoutTrailHasNoneYetFollowsItsSimulation)
{
    QuestItem* gem = Must(MakeGem(""));
    EXPECT_EQ(gem->GetTrailEffect(), 0u);
    Place(*gem);
    gem->UpdateSelf(10);
    EXPECT_TRUE(gem->IsTrailEmitting());
}

} // namespace
} // namespace GAME::Test
