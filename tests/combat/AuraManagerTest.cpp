#include "combat/AuraManager.h"

#include "engine/Actor.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace GAME::Test {
namespace {

const std::string kGlow = "Records/Fx/Glow.dbr";
const std::string kSpark = "Records/Fx/Spark.dbr";
const std::string kHum = "Records/Sounds/Hum.dbr";

class AuraManagerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kGlow, {"Class = EffectEntity"});
        database.WriteRecord(kSpark, {"Class = EffectEntity"});
        database.WriteRecord(kHum, {"Class = SoundPak", "soundFiles = hum.wav"});
        owner = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Actor"));
    }

    // Whether the aura's entity still exists and rides on the owner.
    bool IsAttached(uint32_t id) const
    {
        const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
        return entity != nullptr && entity->GetAttachParent() == owner;
    }

    bool IsGone(uint32_t id) const
    {
        return ObjectManager::Instance().GetObject(id) == nullptr &&
               owner->GetAttachedChildren().empty();
    }

    Actor* owner = nullptr;
    AuraManager auras;
};

TEST_F(AuraManagerTest, RecordsThatMakeNoEntityGiveZeroAndLeaveNothingBehind)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    EXPECT_EQ(auras.AddAura(*owner, "", false, 5), 0u);
    EXPECT_TRUE(log.GetLines().empty());

    EXPECT_EQ(auras.AddAura(*owner, kHum, true, 5), 0u);
    EXPECT_EQ(log.Count(1, "Aura was not an Entity (Records/Sounds/Hum.dbr)"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);

    EXPECT_EQ(auras.AddAura(*owner, "Records/Fx/Missing.dbr", false, 5), 0u);
    EXPECT_EQ(log.Count(1, "Aura was not an Entity (Records/Fx/Missing.dbr)"), 1u);
    EXPECT_TRUE(owner->GetAttachedChildren().empty());

    // The list stayed empty: clearing destroys nothing.
    const size_t destroyed = ObjectManager::Instance().GetDestroyHistory().size();
    auras.Clear(*owner);
    EXPECT_EQ(ObjectManager::Instance().GetDestroyHistory().size(), destroyed);
}

TEST_F(AuraManagerTest, EachAuraIsItsOwnEntityAtTheOwnersFrame)
{
    const uint32_t first = auras.AddAura(*owner, kGlow, false, 5);
    const uint32_t second = auras.AddAura(*owner, kGlow, false, 5);
    EXPECT_NE(first, second);

    for (uint32_t id : {first, second}) {
        const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
        EXPECT_TRUE(IsAttached(id));
        EXPECT_EQ(entity->GetObjectName(), kGlow);
        EXPECT_EQ(entity->GetAttachPointName(), "");
        EXPECT_EQ(entity->GetAttachPlacement(), Coords::Identity());
    }
}

TEST_F(AuraManagerTest, TimedAurasGoOnTheUpdateThatLeavesLessThanOneMillisecond)
{
    const uint32_t instant = auras.AddAura(*owner, kSpark, false, 0);
    const uint32_t timed = auras.AddAura(*owner, kGlow, false, 2);

    auras.Update(*owner, 0);
    EXPECT_EQ(ObjectManager::Instance().GetObject(instant), nullptr);
    EXPECT_TRUE(IsAttached(timed));
    const auto& history = ObjectManager::Instance().GetDestroyHistory();
    EXPECT_EQ(history.back().objectId, instant);
    EXPECT_EQ(history.back().file, "Project/Game/AuraManager");

    auras.Update(*owner, 1000);
    auras.Update(*owner, 999);
    EXPECT_TRUE(IsAttached(timed));
    auras.Update(*owner, 1);
    EXPECT_TRUE(IsGone(timed));
}

TEST_F(AuraManagerTest, DurationsBeyondTheClockSaturateInsteadOfWrapping)
{
    const uint32_t endless = auras.AddAura(*owner, kGlow, false, INT_MAX);
    const uint32_t negative = auras.AddAura(*owner, kSpark, false, -3000000);
    auras.Update(*owner, 2000000000);
    EXPECT_TRUE(IsAttached(endless));
    EXPECT_EQ(ObjectManager::Instance().GetObject(negative), nullptr);
    auras.Update(*owner, INT_MAX);
    EXPECT_TRUE(IsGone(endless));
}

TEST_F(AuraManagerTest, RemovalMarksEveryMatchAndTakesEffectOnTheNextUpdate)
{
    const uint32_t timedGlow = auras.AddAura(*owner, kGlow, false, 60);
    const uint32_t spark = auras.AddAura(*owner, kSpark, true, 0);
    const uint32_t permanentGlow = auras.AddAura(*owner, kGlow, true, 0);

    // Names match whole and case-sensitively; unknown ids and names change nothing.
    auras.RemoveAura("records/fx/glow.dbr");
    auras.RemoveAura("Records/Fx/Glow");
    auras.RemoveAura(permanentGlow + 100);
    auras.Update(*owner, 0);
    for (uint32_t id : {timedGlow, spark, permanentGlow})
        EXPECT_TRUE(IsAttached(id));

    auras.RemoveAura(kGlow);
    EXPECT_TRUE(IsAttached(timedGlow));
    EXPECT_TRUE(IsAttached(permanentGlow));
    auras.Update(*owner, 0);
    EXPECT_FALSE(IsAttached(timedGlow) || IsAttached(permanentGlow));
    EXPECT_TRUE(IsAttached(spark));

    auras.Update(*owner, 1000000);
    EXPECT_TRUE(IsAttached(spark));
    auras.RemoveAura(spark);
    auras.Update(*owner, 0);
    EXPECT_TRUE(IsGone(spark));
}

TEST_F(AuraManagerTest, ClearRemovesPermanentAndTimedAurasAtOnce)
{
    const uint32_t permanent = auras.AddAura(*owner, kGlow, true, 0);
    const uint32_t timed = auras.AddAura(*owner, kSpark, false, 10);
    auras.Clear(*owner);
    EXPECT_TRUE(IsGone(permanent) && IsGone(timed));
}

TEST_F(AuraManagerTest, AnAuraWhoseEntityVanishedIsDroppedQuietly)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t id = auras.AddAura(*owner, kGlow, false, 1);
    objects.DestroyObjectEx(objects.GetObject(id), "test", 1);
    objects.ProcessDestroyedObjects();
    log.Clear();

    auras.Update(*owner, 1000);
    EXPECT_EQ(objects.GetDestroyHistory().back().file, "test");
    EXPECT_TRUE(log.GetLines().empty());
}

} // namespace
} // namespace GAME::Test
