#include "characters/PFxManager.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(manager.GetNumParticleEffects(), 1u);
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

} // namespace
} // namespace GAME::Test
