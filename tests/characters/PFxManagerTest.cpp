#include "characters/PFxManager.h"

#include "engine/Actor.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"
#include "world/FxMesh.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kSpark = "Records/Fx/Spark.dbr";
constexpr const char* kShell = "Records/Fx/Shell.dbr";

class PFxManagerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kSpark, {"Class = EffectEntity"});
        database.WriteRecord(kShell, {"Class = FxMesh", "attachPoint = Chest"});
        database.WriteRecord("Records/Sounds/Hum.dbr", {"Class = SoundPak"});
        manager.AttachActor(&actor);
    }

    static EffectEntity* Particle(uint32_t id)
    {
        return ObjectManager::Instance().GetObject<EffectEntity>(id);
    }
    static FxMesh* Mesh(uint32_t id) { return ObjectManager::Instance().GetObject<FxMesh>(id); }

    Actor actor;
    PFxManager manager;
};

TEST_F(PFxManagerTest, AddsPreloadedParticleEffectsOnlyFromEffectRecords)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    EXPECT_EQ(manager.AddParticleEffect("", "Chest"), 0u);
    EXPECT_EQ(manager.AddParticleEffect("Records/Fx/Missing.dbr", "Chest"), 0u);
    EXPECT_EQ(log.Count(1, "ObjectManager: record 'Records/Fx/Missing.dbr' could not be loaded"),
              1u);
    // A sound pack is made and dropped again: nothing of it stays behind.
    EXPECT_EQ(manager.AddParticleEffect("Records/Sounds/Hum.dbr", "Chest"), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);

    const uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    const EffectEntity* effect = Particle(id);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetPreLoadCount(), 1u);
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    EXPECT_FALSE(effect->IsEmitting());
}

TEST_F(PFxManagerTest, ARemovedEmittingEffectSurvivesUntilTheSecondUpdateAfterItsParticles)
{
    uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    const uint32_t kept = id;
    manager.StartParticleEffect(id);
    manager.RemoveParticleEffect(id);
    EXPECT_EQ(id, 0u);
    EffectEntity* effect = Particle(kept);
    ASSERT_NE(effect, nullptr);
    EXPECT_FALSE(effect->IsEmitting());

    // Its particles are still in the air: it stays on the actor.
    manager.Update(16);
    manager.Update(16);
    EXPECT_EQ(effect->GetAttachParent(), &actor);

    effect->SetHasActiveParticles(false);
    manager.Update(16);
    ASSERT_EQ(Particle(kept), effect);
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    EXPECT_TRUE(actor.GetAttachedChildren().empty());

    manager.Update(16);
    EXPECT_EQ(Particle(kept), nullptr);
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);

    // Starting a removed effect does nothing; never on the actor, the first update destroys it.
    id = manager.AddParticleEffect(kSpark, "Chest");
    const uint32_t idle = id;
    manager.RemoveParticleEffect(id);
    manager.StartParticleEffect(idle);
    EXPECT_EQ(Particle(idle)->GetResetCount(), 0u);
    EXPECT_FALSE(Particle(idle)->IsEmitting());
    EXPECT_EQ(Particle(idle)->GetAttachParent(), nullptr);
    manager.Update(16);
    EXPECT_EQ(Particle(idle), nullptr);
}

TEST_F(PFxManagerTest, AStoppedEffectLeavesTheActorOnlyWhenItsParticlesAreGoneAndCanRestart)
{
    const uint32_t id = manager.AddParticleEffect(kSpark, "Hand");
    manager.StartParticleEffect(id);
    manager.StartParticleEffect(id);
    EffectEntity* effect = Particle(id);
    EXPECT_EQ(effect->GetResetCount(), 2u);
    EXPECT_EQ(effect->GetAttachPlacement(), Coords::Identity());
    EXPECT_EQ(actor.GetAttachedChildren().size(), 1u);
    manager.StopParticleEffect(id);
    manager.StopParticleEffect(id);
    EXPECT_EQ(effect->GetStopEmittingCount(), 1u);
    manager.Update(16);
    EXPECT_EQ(effect->GetAttachParent(), &actor);
    effect->SetHasActiveParticles(false);
    manager.Update(16);
    manager.Update(16);
    // Stopped, not removed: it is kept for the next start.
    ASSERT_EQ(Particle(id), effect);
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    manager.StartParticleEffect(id);
    EXPECT_EQ(effect->GetAttachParent(), &actor);
    EXPECT_EQ(effect->GetAttachPointName(), "Hand");
}

TEST_F(PFxManagerTest, MeshEffectsHangOnTheActorWhileStartedAndGoAtOnceWhenRemoved)
{
    EXPECT_EQ(manager.AddMeshEffect(""), 0u);
    EXPECT_EQ(manager.AddMeshEffect(kSpark), 0u);
    uint32_t id = manager.AddMeshEffect(kShell);
    const uint32_t kept = id;
    FxMesh* mesh = Mesh(id);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetPreLoadCount(), 1u);
    EXPECT_EQ(mesh->GetAttachParent(), nullptr);

    manager.StartMeshEffect(id);
    manager.StartMeshEffect(id);
    EXPECT_EQ(mesh->GetStartCount(), 1u);
    EXPECT_EQ(mesh->GetAttachParent(), &actor);
    EXPECT_EQ(mesh->GetAttachPointName(), "Chest");

    manager.StopMeshEffect(id);
    manager.StopMeshEffect(id);
    EXPECT_EQ(mesh->GetStopCount(), 1u);
    EXPECT_EQ(mesh->GetAttachParent(), nullptr);

    manager.StartMeshEffect(id);
    manager.RemoveMeshEffect(id);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(mesh->GetStopCount(), 2u);
    EXPECT_TRUE(actor.GetAttachedChildren().empty());
    EXPECT_EQ(Mesh(kept), nullptr);
    EXPECT_EQ(manager.GetNumMeshEffects(), 0u);
}

TEST_F(PFxManagerTest, AOneShotEffectPlaysOnTheActorWithoutBeingKept)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    manager.OneShotParticleEffect("", "Head");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);

    manager.OneShotParticleEffect(kSpark, "Head");
    ASSERT_EQ(actor.GetAttachedChildren().size(), 1u);
    const auto* effect = DynamicCast<EffectEntity>(actor.GetAttachedChildren()[0]);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->IsSelfDeletingChild());
    EXPECT_TRUE(effect->IsEmitting());
    EXPECT_EQ(effect->GetAttachPointName(), "Head");
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);
}

TEST_F(PFxManagerTest, GoingAwayDestroysEveryEffectAttachedOrNot)
{
    uint32_t attached = 0;
    uint32_t loose = 0;
    uint32_t mesh = 0;
    {
        PFxManager local;
        local.AttachActor(&actor);
        attached = local.AddParticleEffect(kSpark, "Chest");
        loose = local.AddParticleEffect(kSpark, "Chest");
        mesh = local.AddMeshEffect(kShell);
        local.StartParticleEffect(attached);
        local.StartMeshEffect(mesh);
    }
    EXPECT_EQ(Particle(attached), nullptr);
    EXPECT_EQ(Particle(loose), nullptr);
    EXPECT_EQ(Mesh(mesh), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_TRUE(actor.GetAttachedChildren().empty());
}

TEST_F(PFxManagerTest, EffectsDestroyedElsewhereOrWithoutAnActorAreHandledQuietly)
{
    PFxManager bare;
    uint32_t id = bare.AddParticleEffect(kSpark, "Chest");
    bare.StartParticleEffect(id);
    EXPECT_TRUE(Particle(id)->IsEmitting());
    EXPECT_EQ(Particle(id)->GetAttachParent(), nullptr);
    // With no actor to hang it on, a one-shot would never go away: none is made.
    bare.OneShotParticleEffect(kSpark, "Head");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 1u);

    uint32_t gone = manager.AddParticleEffect(kSpark, "Chest");
    uint32_t goneMesh = manager.AddMeshEffect(kShell);
    manager.StartParticleEffect(gone);
    manager.StartMeshEffect(goneMesh);
    ObjectManager::Instance().DestroyObjectEx(Particle(gone), "test", 1);
    ObjectManager::Instance().DestroyObjectEx(Mesh(goneMesh), "test", 2);
    ObjectManager::Instance().ProcessDestroyedObjects();
    manager.RemoveParticleEffect(gone);
    manager.Update(16);
    manager.Update(16);
    manager.RemoveMeshEffect(goneMesh);
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);
    EXPECT_EQ(manager.GetNumMeshEffects(), 0u);
}

} // namespace
} // namespace GAME::Test
