#include "characters/CharFxPak.h"

#include "characters/Character.h"
#include "characters/PFxManager.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/SoundPaks.h"
#include "world/FxMesh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kPack = "Records/Fx/Packs/Burn.dbr";

// A character whose effect manager the tests look into.
class FxCharacter : public Character {
public:
    PFxManager& Effects() { return pfxManager; }
};

EffectEntity* Particle(uint32_t id)
{
    return ObjectManager::Instance().GetObject<EffectEntity>(id);
}

class CharFxPakTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Fx/A.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/Shell.dbr", {"Class = FxMesh", "attachPoint = Body"});
        for (const char* sound : {"Start", "Stop", "Hum"})
            database.WriteRecord(std::string("Records/Sounds/") + sound + ".dbr",
                                 {"Class = SoundPak"});
        database.WriteRecord(kPack, {"particleEffectNames = Records/Fx/A.dbr",
                                     "meshEffectNames = Records/Fx/Shell.dbr",
                                     "startSound = Records/Sounds/Start.dbr",
                                     "stopSound = Records/Sounds/Stop.dbr",
                                     "activeSound = Records/Sounds/Hum.dbr"});
        character = new FxCharacter();
        ASSERT_TRUE(ObjectManager::Instance().RegisterObject(character));
    }

    void LoadAndInitialize(CharFxPak& pack, const char* record = kPack) const
    {
        pack.LoadFromDatabase(record);
        pack.SetParent(character->GetObjectId());
        pack.InitializeFxPak();
    }

    FxCharacter* character = nullptr;
};

TEST_F(CharFxPakTest, UnloadingStopsAndRemovesTheEffects)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    pack.Enable(true);
    const uint32_t mesh = pack.GetMeshEffectIds()[0];
    pack.UnLoad();
    EXPECT_FALSE(pack.IsActive());
    EXPECT_EQ(ObjectManager::Instance().GetObject(mesh), nullptr);
}

TEST_F(CharFxPakTest, WithoutItsCharacterThePackDoesNothing)
{
    CharFxPak pack;
    pack.LoadFromDatabase(kPack);
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    pack.InitializeFxPak();
    pack.Enable(true);
    EXPECT_FALSE(pack.IsActive());
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);

    // The character goes while the pack is on: stopping is then a no-op, not a crash.
    pack.SetParent(character->GetObjectId());
    pack.InitializeFxPak();
    pack.Enable(true);
    ObjectManager::Instance().DestroyObjectEx(character, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    pack.Enable(false);
    pack.UnLoad();
    EXPECT_TRUE(pack.GetParticleEffectIds().empty());
}

TEST_F(CharFxPakTest, OwnsItsSoundsAndReplacesThemOnAReload)
{
    uint32_t ids[3] = {};
    {
        CharFxPak pack;
        pack.LoadFromDatabase(kPack);
        const char* records[] = {"Records/Sounds/Start.dbr", "Records/Sounds/Stop.dbr",
                                 "Records/Sounds/Hum.dbr"};
        for (int i = 0; i < 3; ++i)
            ids[i] = Must(FindSound(records[i]))->GetObjectId();
        // Loading again replaces the sounds rather than stranding the first ones.
        pack.LoadFromDatabase(kPack);
        for (uint32_t id : ids)
            EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
        ids[0] = FindSound("Records/Sounds/Start.dbr")->GetObjectId();
    }
    EXPECT_EQ(ObjectManager::Instance().GetObject(ids[0]), nullptr);
    EXPECT_EQ(FindSound("Records/Sounds/Hum.dbr"), nullptr);
}

TEST_F(CharFxPakTest, BadRecordsAreLoggedAndLeaveAnEmptyPack)
{
    database.WriteRecord("Records/Fx/Packs/Odd.dbr",
                         {"particleEffectNames = ;Records/Fx/Nothing.dbr",
                          "startSound = Records/Fx/A.dbr", "stopSound = Records/Sounds/None.dbr",
                          "useTintColor = perhaps"});
    CharFxPak pack;
    pack.LoadFromDatabase("Records/Fx/Packs/Missing.dbr");
    EXPECT_EQ(log.Count(1, "CharFxPak: record 'Records/Fx/Packs/Missing.dbr' could not be loaded"),
              1u);

    const uint32_t setsBefore = character->GetTintColorSetCount();
    LoadAndInitialize(pack, "Records/Fx/Packs/Odd.dbr");
    EXPECT_EQ(log.Count(1, "ObjectManager: record 'Records/Sounds/None.dbr' could not be loaded"),
              1u);
    EXPECT_EQ(log.Count(1, "ObjectManager: record 'Records/Fx/Nothing.dbr' could not be loaded"),
              1u);
    // Neither name made an effect, and the effect record named as a sound made no sound.
    EXPECT_EQ(pack.GetParticleEffectIds(), (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(character->Effects().GetNumParticleEffects(), 0u);
    pack.Enable(true);
    pack.Enable(false);
    EXPECT_EQ(FindSound("Records/Fx/A.dbr"), nullptr);
    EXPECT_EQ(character->GetTintColorSetCount(), setsBefore);
}

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

    static FxMesh* Mesh(uint32_t id) { return ObjectManager::Instance().GetObject<FxMesh>(id); }

    Actor actor;
    PFxManager manager;
};

TEST_F(PFxManagerTest, AddsParticleEffectsOnlyFromEffectRecords)
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

    EXPECT_NE(Particle(manager.AddParticleEffect(kSpark, "Chest")), nullptr);
}

// How a removed emitting effect settles is the settling tests' part.
TEST_F(PFxManagerTest, ARemovedIdleEffectCannotStartAndGoesAtTheFirstUpdate)
{
    uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    const uint32_t idle = id;
    manager.RemoveParticleEffect(id);
    EXPECT_EQ(id, 0u);
    manager.StartParticleEffect(idle);
    EXPECT_FALSE(Particle(idle)->IsEmitting());
    manager.Update(16);
    EXPECT_EQ(Particle(idle), nullptr);
}

TEST_F(PFxManagerTest, MeshEffectsHangOnTheActorWhileStartedAndGoAtOnceWhenRemoved)
{
    EXPECT_EQ(manager.AddMeshEffect(""), 0u);
    EXPECT_EQ(manager.AddMeshEffect(kSpark), 0u);
    uint32_t id = manager.AddMeshEffect(kShell);
    const uint32_t kept = id;
    FxMesh* mesh = Must(Mesh(id));

    manager.StartMeshEffect(id);
    manager.StartMeshEffect(id);
    EXPECT_EQ(mesh->GetStartCount(), 1u);

    manager.StopMeshEffect(id);
    manager.StopMeshEffect(id);
    EXPECT_EQ(mesh->GetStopCount(), 1u);
    EXPECT_EQ(mesh->GetAttachParent(), nullptr);

    manager.StartMeshEffect(id);
    manager.RemoveMeshEffect(id);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(mesh->GetStopCount(), 2u);
    EXPECT_EQ(Mesh(kept), nullptr);
}

TEST_F(PFxManagerTest, GoingAwayDestroysEveryEffectAttachedOrNot)
{
    uint32_t attached = 0, loose = 0, mesh = 0;
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

// The manager visits only effects that were stopped or removed; these cases change an effect
// after it joined that list, which must not leave the list stale.
using PFxSettlingTest = PFxManagerTest;

TEST_F(PFxSettlingTest, ARestartedEffectStaysOnUntilItIsStoppedAgain)
{
    const uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    manager.StartParticleEffect(id);
    manager.StopParticleEffect(id);
    manager.StartParticleEffect(id);
    EffectEntity* effect = Particle(id);
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
        id = manager.AddParticleEffect(kSpark, "Chest");
        manager.StartParticleEffect(id);
    }
    const uint32_t first = ids[0];
    const uint32_t last = ids[2];
    // The last is removed first; the middle one is destroyed by someone else meanwhile.
    manager.RemoveParticleEffect(ids[2]);
    ObjectManager::Instance().DestroyObjectEx(Particle(ids[1]), "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    manager.RemoveParticleEffect(ids[1]);
    manager.RemoveParticleEffect(ids[0]);
    manager.Update(16);
    // Still glowing: the first and last stay on the actor; the destroyed one is forgotten.
    EXPECT_EQ(actor.GetAttachedChildren().size(), 2u);
    Particle(first)->SetHasActiveParticles(false);
    Particle(last)->SetHasActiveParticles(false);
    manager.Update(16);
    EXPECT_TRUE(actor.GetAttachedChildren().empty());
    manager.Update(16);
    EXPECT_EQ(Particle(first), nullptr);
    EXPECT_EQ(Particle(last), nullptr);
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
    uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
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
    const uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    manager.StartParticleEffect(id);
    manager.StopParticleEffect(id);
    gEngine->RunFrame(static_cast<int>(EffectEntity::kParticleLifetimeMs) - 10);
    manager.StartParticleEffect(id);
    gEngine->RunFrame(100);
    manager.StopParticleEffect(id);
    manager.StopParticleEffect(id);
    gEngine->RunFrame(static_cast<int>(EffectEntity::kParticleLifetimeMs) - 10);
    EXPECT_TRUE(Particle(id)->HasActiveParticles());
    gEngine->RunFrame(10);
    EXPECT_FALSE(Particle(id)->HasActiveParticles());
}

} // namespace
} // namespace GAME::Test
