#include "world/SoundObject.h"
#include "world/SpecialFX.h"

#include "core/RandomUniform.h"
#include "engine/EffectEntity.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "tests/support/LevelObjectsFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

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

    // The waits between plays of a periodic sound held playing never, over `frames` frames.
    static std::vector<int32_t> Waits(SoundObject& object, int frames)
    {
        std::vector<int32_t> waits{object.GetPeriodic().GetTimeLeft()};
        for (int frame = 0; frame < frames; ++frame) {
            object.UpdateSelf(waits.back());
            waits.push_back(object.GetPeriodic().GetTimeLeft());
        }
        return waits;
    }
};

TEST_F(SoundObjectTest, ARandomPeriodWaitsWholeMillisecondsInItsRangeAndRepeatsWithTheSeed)
{
    const auto record = {std::string("Class = SoundObject"),
                         std::string("periodicSound = Records/Sounds/Bell.dbr"),
                         std::string("randomPeriod = 1"), std::string("randomPeriodMin = 2.0"),
                         std::string("randomPeriodMax = 5.0")};
    std::vector<std::vector<int32_t>> runs;
    for (int run = 0; run < 2; ++run) {
        gGameEngine->GetRandomGen().Seed(4242);
        SoundObject* object = Place(record);
        runs.push_back(Waits(*object, 40));
        EXPECT_EQ(object->GetPeriodic().GetSound()->GetPlayRequests().size(), 40u);
    }
    EXPECT_EQ(runs[0], runs[1]);
    for (const int32_t wait : runs[0]) {
        EXPECT_GE(wait, 2000);
        EXPECT_LE(wait, 5000);
    }
}

TEST_F(SoundObjectTest, AFixedPeriodDrawsNothingAndAPlayingSoundIsNotRestarted)
{
    SoundObject* object = Place(
        {"Class = SoundObject", "periodicSound = Records/Sounds/Bell.dbr", "soundPeriod = 1.5"});
    const uint32_t state = gGameEngine->GetRandomGen().GetState();
    EXPECT_EQ(Waits(*object, 3), (std::vector<int32_t>{1500, 1500, 1500, 1500}));
    EXPECT_EQ(gGameEngine->GetRandomGen().GetState(), state);

    SoundPak* bell = object->GetPeriodic().GetSound();
    bell->HoldPlaying(true);
    object->UpdateSelf(1500);
    EXPECT_EQ(bell->GetPlayRequests().size(), 3u);
}

TEST_F(SoundObjectTest, HugeOrMissingTimesSaturateRatherThanWrap)
{
    SoundObject* object = Place({"Class = SoundObject", "periodicSound = Records/Sounds/Bell.dbr",
                                 "soundPeriod = 1e30", "randomPeriodMin = nan"});
    EXPECT_EQ(object->GetPeriodic().GetTimeLeft(), INT32_MAX);
    object->UpdateSelf(INT32_MAX);
    EXPECT_EQ(object->GetPeriodic().GetSound()->GetPlayRequests().size(), 1u);
}

TEST_F(SoundObjectTest, AOneShotAmbienceFadesOnlyBeyondEightFalloffs)
{
    struct Row {
        float distance;
        size_t fades;
    };
    for (const Row& row : {Row{4.0f * 8.0f + 0.1f, 1u}, Row{4.0f * 8.0f - 0.1f, 0u}}) {
        SCOPED_TRACE(row.distance);
        SoundManager::Instance().SetEarsPosition(WorldVec3());
        SoundObject* object =
            Place({"Class = SoundObject", "ambientSound = Records/Sounds/Bell.dbr"});
        SoundPak* sound = object->GetAmbient().GetSound();
        object->UpdateSelf(33);
        EXPECT_TRUE(sound->GetPlayRequests().empty()) << "nobody listens yet";

        HearFrom({row.distance, 0, 0});
        object->UpdateSelf(33);
        ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
        sound->HoldPlaying(true);
        object->UpdateSelf(33);
        EXPECT_EQ(sound->GetFadeRequests(), std::vector<int32_t>(row.fades, 500));
    }
}

TEST_F(SoundObjectTest, StartedOnLoadTheAmbienceLoopsAndIsCheckedForFalloff)
{
    HearFrom({1, 0, 0});
    database.WriteRecord(
        "Records/Sounds/River.dbr",
        {"Class = SoundObject", "ambientSound = Records/Sounds/Bell.dbr", "startOnLoad = 1"});
    auto* object =
        ObjectManager::Instance().CreateObjectFromFile<SoundObject>("Records/Sounds/River.dbr");
    SoundPak* sound = object->GetAmbient().GetSound();
    EXPECT_TRUE(sound->GetInfiniteLoop());
    EXPECT_EQ(sound->GetFalloffCheckCount(), 1u);
    ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
    object->UpdateSelf(33);
    EXPECT_EQ(sound->GetPlayRequests().size(), 1u) << "the loop keeps playing";
}

TEST_F(SoundObjectTest, InTheEditorItIsShownFilteredAndSilent)
{
    gEngine->SetLevelEditor(true);
    HearFrom({1, 0, 0});
    SoundObject* object = Place({"Class = SoundObject", "ambientSound = Records/Sounds/Bell.dbr",
                                 "periodicSound = Records/Sounds/Bell.dbr"});
    object->UpdateSelf(100000);
    EXPECT_TRUE(object->GetAmbient().GetSound()->GetPlayRequests().empty());
    EXPECT_TRUE(object->GetPeriodic().GetSound()->GetPlayRequests().empty());
    const uint32_t id = object->GetObjectId();
    ObjectManager::Instance().DestroyObjectEx(object, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(EditorFilter::Instance().GetFilterType(id), -1);
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

TEST_F(SpecialFXTest, ALoadedEffectHangsStoppedOnItsOwner)
{
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetAttachParent(), owner);
    EXPECT_EQ(effect->GetStopEmittingCount(), 1u);
    EXPECT_FALSE(effect->IsEmitting());
}

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

} // namespace
} // namespace GAME::Test
