#include "world/FxMesh.h"
#include "world/FxPak.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/EffectEntity.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/LevelObjectsFixture.h"
#include "world/Lightning.h"
#include "world/Prop.h"
#include "world/RadiusMagic.h"
#include "world/SoundObject.h"
#include "world/SpecialFX.h"

#include <gtest/gtest.h>
#include <vector>

namespace GAME::Test {
namespace {

class FxTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        // Three seconds long: the effects here end on its End event, never by running out.
        GraphicsEngine::Instance().DescribeAnimation("Fx/Swirl.anm", {90, 30, 1.0f});
    }
    void TearDown() override
    {
        LevelObjectsFixture::TearDown();
        GraphicsEngine::Instance().Reset();
    }

    FxMesh* PlaceMesh(std::initializer_list<std::string> lines)
    {
        // A record path of its own each: records are read once.
        const std::string path = "Records/Effects/Mesh" + std::to_string(++made) + ".dbr";
        auto* mesh = SpawnAt<FxMesh>(path, lines);
        mesh->InitialUpdate();
        return mesh;
    }
    static void End(FxMesh& mesh) { mesh.AnimationCallback(0, Name::Create("End")); }
    int made = 0;
};

TEST_F(FxTest, WithoutFadeTimesAMeshEffectGoesAtItsEndUnlessItLoops)
{
    struct Row {
        const char* loop;
        bool gone;
    };
    for (const Row& row : {Row{"loop = 0", true}, Row{"loop = 1", false}}) {
        SCOPED_TRACE(row.loop);
        FxMesh* mesh = PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh",
                                  "animationName = Fx/Swirl.anm", row.loop});
        EXPECT_EQ(mesh->GetFadeState(), 0);
        mesh->UpdateSelf(33);
        ASSERT_TRUE(Exists(mesh->GetObjectId()));
        End(*mesh);
        mesh->UpdateSelf(33);
        EXPECT_EQ(!Exists(mesh->GetObjectId()), row.gone);
    }
}

TEST_F(FxTest, FadingInWithoutAFadeInTimeIsAtFullLight)
{
    FxMesh* mesh = PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh", "sustainTime = 1"});
    EXPECT_EQ(mesh->GetFadeState(), 1);
    mesh->UpdateSelf(0);
    EXPECT_FLOAT_EQ(mesh->GetMeshInstance()->GetDiffuseColor().red, 1.0f);
}

TEST_F(FxTest, APackSpawnsItsMembersOnceAndGoesOnTheFirstUpdateThatTakesTime)
{
    database.WriteRecord("Records/Effects/Spark.dbr", {"Class = EffectEntity"});
    database.WriteRecord(
        "Records/Effects/Ring.dbr",
        {"Class = FxMesh", "loop = 1", "meshName = Fx/Ring.msh", "animationName = Fx/Swirl.anm"});
    auto* pak = SpawnAt<FxPak>(
        "Records/Effects/Gate.dbr",
        {"Class = FxPak", "particleEffectNames = Records/Effects/Spark.dbr;Records/Nothing.dbr",
         "meshEffectNames = Records/Effects/Ring.dbr"},
        {4, 0, 4});
    const uint32_t id = pak->GetObjectId();
    const size_t before = TheWorld().GetEntityCount();
    pak->InitialUpdate();
    pak->LoadResources();
    EXPECT_EQ(TheWorld().GetEntityCount(), before + 2);

    Frame(0);
    EXPECT_TRUE(Exists(id));
    Frame(33);
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(TheWorld().GetEntityCount(), before + 1) << "the looping ring stays";
}

class LightningTest : public CombatWorldFixture {
protected:
    Lightning* Bolt(std::initializer_list<std::string> keys)
    {
        return SpawnAt<Lightning>("Records/Effects/Bolt.dbr", keys);
    }
};

TEST_F(LightningTest, ReachesItsTargetAfterAQuarterAndGoesAfterItsTime)
{
    Lightning* bolt =
        Bolt({"Class = Lightning", "numberOfBolts = 1", "timeMin = 40", "timeMax = 40"});
    bolt->SetTarget(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {5, 0, 0}));
    const uint32_t id = bolt->GetObjectId();
    bolt->UpdateSelf(9998);
    EXPECT_FALSE(bolt->HasReachedTarget());
    bolt->UpdateSelf(1);
    EXPECT_TRUE(bolt->HasReachedTarget());
    bolt->UpdateSelf(30001);
    EXPECT_TRUE(Exists(id));
    bolt->UpdateSelf(1);
    EXPECT_FALSE(Exists(id));
}

TEST_F(LightningTest, NoBoltsOrABoltOfNoTimeGoOnTheFirstUpdate)
{
    Lightning* none = Bolt({"Class = Lightning"});
    none->SetTarget(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {5, 0, 0}));
    const uint32_t noneId = none->GetObjectId();
    none->UpdateSelf(16);
    EXPECT_FALSE(Exists(noneId));

    Lightning* flash = Bolt({"Class = Lightning", "numberOfBolts = 1"});
    flash->SetTarget(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {5, 0, 0}));
    EXPECT_TRUE(flash->HasReachedTarget());
    const uint32_t flashId = flash->GetObjectId();
    flash->UpdateSelf(16);
    EXPECT_FALSE(Exists(flashId));
}

// Without an expansion time the ring ends at once, without dividing by zero.
TEST_F(LightningTest, AMagicRingGrowsToTwiceItsRadiusAndGoesOnTheUpdateAfterItsSecond)
{
    for (const float expansion : {100.0f, 0.0f}) {
        SCOPED_TRACE(expansion);
        auto* magic =
            static_cast<RadiusMagic*>(ObjectManager::Instance().CreateObject("RadiusMagic"));
        TheWorld().AddEntity(magic, WorldAt({0, 0, 0}), false);
        magic->SetEffect(5.0f, expansion);
        const uint32_t id = magic->GetObjectId();
        if (expansion > 0.0f) {
            magic->UpdateSelf(1000);
            EXPECT_TRUE(Exists(id));
        }
        EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
        magic->UpdateSelf(1);
        EXPECT_FALSE(Exists(id));
    }
}

class SoundObjectTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        database.WriteRecord("Records/Sounds/Bell.dbr", {"Class = SoundPak", "falloff = 4"});
    }

    SoundObject* Place(std::initializer_list<std::string> lines)
    {
        auto* object = SpawnAt<SoundObject>("Records/Sounds/Object.dbr", lines);
        object->InitialUpdate();
        return object;
    }
};

TEST_F(SoundObjectTest, AFixedPeriodDrawsNothingAndAPlayingSoundIsNotRestarted)
{
    SoundObject* object = Place(
        {"Class = SoundObject", "periodicSound = Records/Sounds/Bell.dbr", "soundPeriod = 1.5"});
    const uint32_t state = gGameEngine->GetRandomGen().GetState();
    std::vector<int32_t> waits{object->GetPeriodic().GetTimeLeft()};
    for (int frame = 0; frame < 3; ++frame) {
        object->UpdateSelf(waits.back());
        waits.push_back(object->GetPeriodic().GetTimeLeft());
    }
    EXPECT_EQ(waits, (std::vector<int32_t>{1500, 1500, 1500, 1500}));
    EXPECT_EQ(gGameEngine->GetRandomGen().GetState(), state);

    SoundPak* bell = object->GetPeriodic().GetSound();
    bell->HoldPlaying(true);
    object->UpdateSelf(1500);
    EXPECT_EQ(bell->GetPlayRequests().GetSize(), 3u);
}

TEST_F(SoundObjectTest, HugeOrMissingTimesSaturateRatherThanWrap)
{
    SoundObject* object = Place({"Class = SoundObject", "periodicSound = Records/Sounds/Bell.dbr",
                                 "soundPeriod = 1e30", "randomPeriodMin = nan"});
    EXPECT_EQ(object->GetPeriodic().GetTimeLeft(), INT32_MAX);
    object->UpdateSelf(INT32_MAX);
    EXPECT_EQ(object->GetPeriodic().GetSound()->GetPlayRequests().GetSize(), 1u);
}

class SpecialFXTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        database.WriteRecord("Records/Effects/Glow.dbr", {"Class = EffectEntity"});
        owner = SpawnAt<Actor>("Records/Owner.dbr", {"Class = Actor"});
        fx.LoadFX("Records/Effects/Glow.dbr", owner);
        effect = fx.GetEffect();
    }
    SpecialFX fx;
    Actor* owner = nullptr;
    EffectEntity* effect = nullptr;
};

TEST_F(SpecialFXTest, ReleasedUnstartedTheEffectIsDestroyed)
{
    const uint32_t id = effect->GetObjectId();
    fx.ReleaseFx(WorldAt({3, 0, 3}));
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
    EXPECT_EQ(fx.GetEffect(), nullptr);
    EXPECT_EQ(owner->GetNumAttachedEntities(), 0u);
}

TEST_F(SpecialFXTest, ReleasedStartedTheEffectIsLeftToTheWorldAndForgotten)
{
    fx.StartFx();
    fx.ReleaseFx(WorldAt({3, 0, 3}));
    EXPECT_EQ(fx.GetEffect(), nullptr);
    ASSERT_TRUE(Exists(effect->GetObjectId()));
    EXPECT_TRUE(effect->IsInWorld());
    EXPECT_TRUE(effect->IsEmitting());
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    ASSERT_EQ(effect->GetAddToWorldRequests().size(), 1u);
    EXPECT_TRUE(effect->GetAddToWorldRequests()[0].flag);
    fx.DeleteFx();
    EXPECT_TRUE(Exists(effect->GetObjectId())) << "no longer ours to delete";
}

using CarriedProp = CombatGameFixture;

TEST_F(CarriedProp, APropWithoutAttachPointLeavesUnseenItemsUnseen)
{
    auto* owner = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    database.WriteRecord("Records/Props/Bare.dbr", {"Class = Prop"});
    auto* ring = static_cast<Item*>(ObjectManager::Instance().CreateObject("Item"));
    owner->GetCombatManager().GetEquipManager().AttachItemAction(ring->GetObjectId(),
                                                                 EquipLocations_Finger);
    ASSERT_FALSE(ring->GetVisibility());
    Prop* bare = ObjectManager::Instance().CreateObjectFromFile<Prop>("Records/Props/Bare.dbr");
    owner->AddEquipmentProp(bare);
    owner->RemoveEquipmentProp(bare->GetObjectId());
    EXPECT_FALSE(ring->GetVisibility());
}

} // namespace
} // namespace GAME::Test
