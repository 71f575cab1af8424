#include "characters/CharFxPak.h"

#include "characters/Character.h"
#include "characters/PFxManager.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/EngineFixture.h"
#include "world/FxMesh.h"

#include <gtest/gtest.h>

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
        database.WriteRecord("Records/Fx/B.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/C.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/Shell.dbr", {"Class = FxMesh", "attachPoint = Body"});
        database.WriteRecord("Records/Sounds/Start.dbr", {"Class = SoundPak"});
        database.WriteRecord("Records/Sounds/Stop.dbr", {"Class = SoundPak"});
        database.WriteRecord("Records/Sounds/Hum.dbr", {"Class = SoundPak"});
        database.WriteRecord(
            kPack, {"particleEffectNames = Records/Fx/A.dbr;Records/Fx/B.dbr;Records/Fx/C.dbr",
                    "particleEffectAttachPoints = Chest", "meshEffectNames = Records/Fx/Shell.dbr",
                    "useTintColor = true", "colorRed = 1.0", "colorGreen = 0.25",
                    "startSound = Records/Sounds/Start.dbr", "stopSound = Records/Sounds/Stop.dbr",
                    "activeSound = Records/Sounds/Hum.dbr"});
        character = new FxCharacter();
        ASSERT_TRUE(ObjectManager::Instance().RegisterObject(character));
        character->SetTintColor(Color(0.5f, 0.5f, 0.5f, 1.0f));
    }

    // The pack's sounds are its own: found by record among the objects.
    static SoundPak* Sound(const char* record)
    {
        SoundPak* found = nullptr;
        for (uint32_t id = 1; id < 64 && found == nullptr; ++id) {
            SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(id);
            if (sound != nullptr && sound->GetObjectName() == record)
                found = sound;
        }
        return found;
    }

    void LoadAndInitialize(CharFxPak& pack, const char* record = kPack) const
    {
        pack.LoadFromDatabase(record);
        pack.SetParent(character->GetObjectId());
        pack.InitializeFxPak();
    }

    FxCharacter* character = nullptr;
};

TEST_F(CharFxPakTest, ThreeNamesAndOneAttachPointPutTheLastTwoAtAnEmptyAttachPoint)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    const std::vector<uint32_t> ids = pack.GetParticleEffectIds();
    ASSERT_EQ(ids.size(), 3u);
    ASSERT_EQ(pack.GetMeshEffectIds().size(), 1u);
    pack.Enable(true);
    const char* expected[] = {"Chest", "", ""};
    for (size_t i = 0; i < ids.size(); ++i) {
        const EffectEntity* effect = Must(Particle(ids[i]));
        EXPECT_EQ(effect->GetAttachParent(), character);
        EXPECT_EQ(effect->GetAttachPointName(), expected[i]);
    }

    // The names were spent: initializing again only takes the effects away.
    pack.InitializeFxPak();
    EXPECT_TRUE(pack.GetParticleEffectIds().empty());
    EXPECT_TRUE(pack.GetMeshEffectIds().empty());
}

TEST_F(CharFxPakTest, EnablingTwiceStartsOnceAndDisablingPlaysTheStopSoundOnce)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    pack.Enable(true);
    pack.Enable(true);
    EXPECT_TRUE(pack.IsActive());
    EXPECT_EQ(Particle(pack.GetParticleEffectIds()[0])->GetResetCount(), 1u);

    const SoundPak* stop = Sound("Records/Sounds/Stop.dbr");
    const SoundPak* hum = Sound("Records/Sounds/Hum.dbr");
    EXPECT_EQ(Sound("Records/Sounds/Start.dbr")->GetPlayRequests().size(), 1u);
    EXPECT_TRUE(hum->GetPlayRequests().at(0).loop);

    pack.Enable(false);
    pack.Enable(false);
    EXPECT_FALSE(pack.IsActive());
    EXPECT_FALSE(Particle(pack.GetParticleEffectIds()[0])->IsEmitting());
    EXPECT_EQ(stop->GetPlayRequests().size(), 1u);
    EXPECT_EQ(hum->GetFadeRequests(), std::vector<int32_t>{10});
}

TEST_F(CharFxPakTest, TintsTheParentWhileOnOnlyIfAskedAndGivesItsColourBack)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    pack.Start();
    EXPECT_EQ(character->GetTintColor(), Color(1.0f, 0.25f, 0.0f, 1.0f));
    pack.Stop();
    EXPECT_EQ(character->GetTintColor(), Color(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(character->GetTintColorSetCount(), 3u);

    // Without useTintColor a pack never touches the tint.
    database.WriteRecord("Records/Fx/Packs/Plain.dbr",
                         {"particleEffectNames = Records/Fx/A.dbr", "colorRed = 1.0"});
    CharFxPak plain;
    LoadAndInitialize(plain, "Records/Fx/Packs/Plain.dbr");
    plain.Enable(true);
    plain.Enable(false);
    plain.UnLoad();
    EXPECT_EQ(character->GetTintColorSetCount(), 3u);
}

TEST_F(CharFxPakTest, UnloadingStopsAndRemovesTheEffectsAndSilencesTheActiveSound)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    pack.Enable(true);
    const uint32_t mesh = pack.GetMeshEffectIds()[0];
    const SoundPak* hum = Sound("Records/Sounds/Hum.dbr");
    const uint32_t stopsBefore = hum->GetStopCount();
    pack.UnLoad();
    EXPECT_FALSE(pack.IsActive());
    EXPECT_EQ(ObjectManager::Instance().GetObject(mesh), nullptr);
    EXPECT_EQ(hum->GetStopCount(), stopsBefore + 1);
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

TEST_F(CharFxPakTest, OwnsItsSoundsAndPreloadsThem)
{
    uint32_t ids[3] = {};
    {
        CharFxPak pack;
        pack.LoadFromDatabase(kPack);
        pack.PreLoad();
        const char* records[] = {"Records/Sounds/Start.dbr", "Records/Sounds/Stop.dbr",
                                 "Records/Sounds/Hum.dbr"};
        for (int i = 0; i < 3; ++i) {
            const SoundPak* sound = Must(Sound(records[i]));
            EXPECT_EQ(sound->GetPreLoadRequests(), std::vector<bool>{false});
            ids[i] = sound->GetObjectId();
        }
        // Loading again replaces the sounds rather than stranding the first ones.
        pack.LoadFromDatabase(kPack);
        for (uint32_t id : ids)
            EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
        ids[0] = Sound("Records/Sounds/Start.dbr")->GetObjectId();
    }
    EXPECT_EQ(ObjectManager::Instance().GetObject(ids[0]), nullptr);
    EXPECT_EQ(Sound("Records/Sounds/Hum.dbr"), nullptr);
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
    EXPECT_EQ(Sound("Records/Fx/A.dbr"), nullptr);
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
    const EffectEntity* effect = Must(Particle(id));
    EXPECT_EQ(effect->GetPreLoadCount(), 1u);
}

TEST_F(PFxManagerTest, ARemovedEmittingEffectSurvivesUntilTheSecondUpdateAfterItsParticles)
{
    uint32_t id = manager.AddParticleEffect(kSpark, "Chest");
    const uint32_t kept = id;
    manager.StartParticleEffect(id);
    manager.RemoveParticleEffect(id);
    EXPECT_EQ(id, 0u);
    EffectEntity* effect = Must(Particle(kept));
    EXPECT_FALSE(effect->IsEmitting());

    // Its particles are still in the air: it stays on the actor.
    manager.Update(16);
    manager.Update(16);
    EXPECT_EQ(effect->GetAttachParent(), &actor);

    effect->SetHasActiveParticles(false);
    manager.Update(16);
    ASSERT_EQ(Particle(kept), effect);
    EXPECT_EQ(effect->GetAttachParent(), nullptr);

    manager.Update(16);
    EXPECT_EQ(Particle(kept), nullptr);
    EXPECT_EQ(manager.GetNumParticleEffects(), 0u);

    // Starting a removed effect does nothing; never on the actor, the first update destroys it.
    id = manager.AddParticleEffect(kSpark, "Chest");
    const uint32_t idle = id;
    manager.RemoveParticleEffect(id);
    manager.StartParticleEffect(idle);
    EXPECT_FALSE(Particle(idle)->IsEmitting());
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

TEST_F(PFxManagerTest, AOneShotEffectPlaysOnTheActorWithoutBeingKept)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    manager.OneShotParticleEffect("", "Head");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);

    manager.OneShotParticleEffect(kSpark, "Head");
    ASSERT_EQ(actor.GetAttachedChildren().size(), 1u);
    const auto* effect = Must(DynamicCast<EffectEntity>(actor.GetAttachedChildren()[0]));
    EXPECT_TRUE(effect->IsSelfDeletingChild());
    EXPECT_TRUE(effect->IsEmitting());
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
