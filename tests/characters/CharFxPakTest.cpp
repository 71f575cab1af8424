#include "characters/CharFxPak.h"

#include "characters/Character.h"
#include "characters/PFxManager.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
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
    static EffectEntity* Particle(uint32_t id)
    {
        return ObjectManager::Instance().GetObject<EffectEntity>(id);
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
        const EffectEntity* effect = Particle(ids[i]);
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(effect->GetAttachParent(), character);
        EXPECT_EQ(effect->GetAttachPointName(), expected[i]);
    }
    const auto* mesh = ObjectManager::Instance().GetObject<FxMesh>(pack.GetMeshEffectIds()[0]);
    EXPECT_TRUE(mesh->IsActive());
    EXPECT_EQ(mesh->GetAttachPointName(), "Body");

    // The names were spent: initializing again only takes the effects away.
    pack.InitializeFxPak();
    EXPECT_TRUE(pack.GetParticleEffectIds().empty());
    EXPECT_TRUE(pack.GetMeshEffectIds().empty());
    EXPECT_EQ(character->Effects().GetNumMeshEffects(), 0u);
}

TEST_F(CharFxPakTest, EnablingTwiceStartsOnceAndDisablingPlaysTheStopSoundOnce)
{
    CharFxPak pack;
    LoadAndInitialize(pack);
    pack.Enable(true);
    pack.Enable(true);
    EXPECT_TRUE(pack.IsActive());
    EXPECT_EQ(Particle(pack.GetParticleEffectIds()[0])->GetResetCount(), 1u);

    const SoundPak* start = Sound("Records/Sounds/Start.dbr");
    const SoundPak* stop = Sound("Records/Sounds/Stop.dbr");
    const SoundPak* hum = Sound("Records/Sounds/Hum.dbr");
    ASSERT_EQ(start->GetPlayRequests().size(), 1u);
    const SoundPak::PlayRequest& played = start->GetPlayRequests()[0];
    EXPECT_TRUE(played.positioned);
    EXPECT_EQ(played.coords, character->GetCoords());
    EXPECT_FALSE(played.loop);
    EXPECT_TRUE(played.flag);
    ASSERT_EQ(hum->GetPlayRequests().size(), 1u);
    EXPECT_TRUE(hum->GetPlayRequests()[0].loop);
    EXPECT_TRUE(hum->GetPlayRequests()[0].flag);
    EXPECT_EQ(hum->GetTrackedObjectId(), character->GetObjectId());
    EXPECT_TRUE(stop->GetPlayRequests().empty());

    pack.Enable(false);
    pack.Enable(false);
    EXPECT_FALSE(pack.IsActive());
    EXPECT_FALSE(Particle(pack.GetParticleEffectIds()[0])->IsEmitting());
    ASSERT_EQ(stop->GetPlayRequests().size(), 1u);
    EXPECT_FALSE(stop->GetPlayRequests()[0].loop);
    EXPECT_TRUE(stop->GetPlayRequests()[0].flag);
    EXPECT_EQ(hum->GetTrackedObjectId(), 0u);
    EXPECT_EQ(hum->GetFadeRequests(), std::vector<int32_t>{10});
    EXPECT_EQ(start->GetPlayRequests().size(), 1u);
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
    const std::vector<uint32_t> particles = pack.GetParticleEffectIds();
    const uint32_t mesh = pack.GetMeshEffectIds()[0];
    const SoundPak* hum = Sound("Records/Sounds/Hum.dbr");
    const uint32_t stopsBefore = hum->GetStopCount();
    pack.UnLoad();
    EXPECT_FALSE(pack.IsActive());
    EXPECT_TRUE(pack.GetParticleEffectIds().empty());
    EXPECT_EQ(ObjectManager::Instance().GetObject(mesh), nullptr);
    EXPECT_EQ(hum->GetTrackedObjectId(), 0u);
    EXPECT_EQ(hum->GetStopCount(), stopsBefore + 1);

    // The particles still fly: the character's updates take the effects away once they land.
    for (uint32_t id : particles)
        Particle(id)->SetHasActiveParticles(false);
    character->Effects().Update(16);
    character->Effects().Update(16);
    for (uint32_t id : particles)
        EXPECT_EQ(Particle(id), nullptr);
    EXPECT_EQ(character->Effects().GetNumParticleEffects(), 0u);
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
            const SoundPak* sound = Sound(records[i]);
            ASSERT_NE(sound, nullptr);
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

} // namespace
} // namespace GAME::Test
