#include "characters/PFxManager.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kGlow = "Records/Fx/Glow.dbr";

EffectEntity* Glow(uint32_t id)
{
    return ObjectManager::Instance().GetObject<EffectEntity>(id);
}

// The manager visits only effects that were stopped or removed; these cases change an effect
// after it joined that list, which must not leave the list stale.
class PFxSettlingTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kGlow, {"Class = EffectEntity"});
        manager.AttachActor(&actor);
    }

    Actor actor;
    PFxManager manager;
};

TEST_F(PFxSettlingTest, ARestartedEffectStaysOnUntilItIsStoppedAgain)
{
    const uint32_t id = manager.AddParticleEffect(kGlow, "Chest");
    manager.StartParticleEffect(id);
    manager.StopParticleEffect(id);
    manager.StartParticleEffect(id);
    EffectEntity* effect = Glow(id);
    effect->SetHasActiveParticles(false);
    manager.Update(16);
    manager.Update(16);
    EXPECT_EQ(effect->GetAttachParent(), &actor);

    manager.StopParticleEffect(id);
    effect->SetHasActiveParticles(false);
    manager.Update(16);
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
}

TEST_F(PFxSettlingTest, EffectsThatSettleAtOnceAndLaterAllGoInIdOrder)
{
    uint32_t ids[3] = {};
    for (uint32_t& id : ids) {
        id = manager.AddParticleEffect(kGlow, "Chest");
        manager.StartParticleEffect(id);
    }
    const uint32_t first = ids[0];
    const uint32_t last = ids[2];
    // The last is removed first; the middle one is destroyed by someone else meanwhile.
    manager.RemoveParticleEffect(ids[2]);
    ObjectManager::Instance().DestroyObjectEx(Glow(ids[1]), "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    manager.RemoveParticleEffect(ids[1]);
    manager.RemoveParticleEffect(ids[0]);
    manager.Update(16);
    // Still glowing: the first and last stay on the actor; the destroyed one is forgotten.
    EXPECT_EQ(actor.GetAttachedChildren().size(), 2u);
    Glow(first)->SetHasActiveParticles(false);
    Glow(last)->SetHasActiveParticles(false);
    manager.Update(16);
    EXPECT_TRUE(actor.GetAttachedChildren().empty());
    manager.Update(16);
    EXPECT_EQ(Glow(first), nullptr);
    EXPECT_EQ(Glow(last), nullptr);
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);
}

// Nothing draws here, so the particles a stopped effect leaves must die on the game clock by
// themselves; otherwise every effect a character drops stays on it and in the manager.
struct LifetimeRow {
    const char* name;
    bool stop;
    bool remove;
    bool attachedAfterLifetime;
    size_t entriesAfterLifetime;
};

class PFxLifetimeTest : public PFxSettlingTest, public ::testing::WithParamInterface<LifetimeRow> {
protected:
    // One character frame: the engine's clock, then the manager.
    void Play(uint64_t ms)
    {
        constexpr int32_t kFrameMs = 50;
        for (uint64_t played = 0; played < ms; played += kFrameMs) {
            gEngine->RunFrame(kFrameMs);
            manager.Update(kFrameMs);
        }
    }
};

TEST_P(PFxLifetimeTest, StoppedParticlesDieOutWithinTheirLifetime)
{
    const LifetimeRow& row = GetParam();
    uint32_t id = manager.AddParticleEffect(kGlow, "Chest");
    manager.StartParticleEffect(id);
    Play(EffectEntity::kParticleLifetimeMs);
    if (row.stop)
        manager.StopParticleEffect(id);
    if (row.remove)
        manager.RemoveParticleEffect(id);
    Play(EffectEntity::kParticleLifetimeMs - 100);
    EXPECT_EQ(actor.GetAttachedChildren().size(), 1u) << "particles still alive";

    Play(200);
    EXPECT_EQ(actor.GetAttachedChildren().size(), row.attachedAfterLifetime ? 1u : 0u);
    EXPECT_EQ(manager.GetNumParticleEffects(), row.entriesAfterLifetime);
}

INSTANTIATE_TEST_SUITE_P(Effects, PFxLifetimeTest,
                         ::testing::Values(LifetimeRow{"Looping", false, false, true, 1},
                                           LifetimeRow{"Stopped", true, false, false, 1},
                                           LifetimeRow{"Removed", false, true, false, 0},
                                           LifetimeRow{"StoppedThenRemoved", true, true, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PFxSettlingTest, ARestartedEffectGetsItsWholeLifetimeAfterTheNextStop)
{
    const uint32_t id = manager.AddParticleEffect(kGlow, "Chest");
    manager.StartParticleEffect(id);
    manager.StopParticleEffect(id);
    gEngine->RunFrame(static_cast<int>(EffectEntity::kParticleLifetimeMs) - 10);
    manager.StartParticleEffect(id);
    gEngine->RunFrame(100);
    manager.StopParticleEffect(id);
    manager.StopParticleEffect(id);
    gEngine->RunFrame(static_cast<int>(EffectEntity::kParticleLifetimeMs) - 10);
    EXPECT_TRUE(Glow(id)->HasActiveParticles());
    gEngine->RunFrame(10);
    EXPECT_FALSE(Glow(id)->HasActiveParticles());
}

} // namespace
} // namespace GAME::Test
