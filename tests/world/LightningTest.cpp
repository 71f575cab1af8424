#include "world/Lightning.h"
#include "world/RadiusMagic.h"

#include "core/RTTI_ClassInfo.h"
#include "engine/FilterFunction.h"
#include "engine/Platform.h"
#include "tests/support/CombatWorldFixture.h"

#include <vector>

namespace GAME::Test {
namespace {

class LightningTest : public CombatWorldFixture {
protected:
    Lightning* Bolt(std::initializer_list<std::string> keys)
    {
        return SpawnAt<Lightning>("Records/Effects/Bolt.dbr", keys);
    }
    RadiusMagic* Ring()
    {
        auto* magic =
            static_cast<RadiusMagic*>(ObjectManager::Instance().CreateObject("RadiusMagic"));
        TheWorld().AddEntity(magic, WorldAt({0, 0, 0}), false);
        return magic;
    }
};

struct AnyLightning : FilterFunction<Entity> {
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<Lightning>(candidate) != nullptr;
    }
};

TEST_F(LightningTest, ShortSegmentStaysWholeAndLongOneSplitsIntoSixteen)
{
    Lightning* bolt =
        Bolt({"Class = Lightning", "numberOfBolts = 1", "timeMin = 1", "timeMax = 1"});
    bolt->SetTarget(WorldVec3(1, {2, 0, 2}), WorldVec3(1, {3.5f, 0, 2}));
    ASSERT_EQ(bolt->GetNumPointLists(), 1u);
    EXPECT_EQ(bolt->GetPointList(0), (std::vector<Vec3>{{0, 0, 0}, {1.5f, 0, 0}}));

    bolt->Generate(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {40, 0, 0}), false, 0, Color(), 1000,
                   0.1f);
    const std::vector<Vec3>& points = bolt->GetPointList(1);
    ASSERT_EQ(points.size(), 17u);
    EXPECT_EQ(points.front(), Vec3(0, 0, 0));
    EXPECT_EQ(points.back(), Vec3(40, 0, 0));
}

TEST_F(LightningTest, FromSkyRunsTwentyDownOntoTheDestination)
{
    Lightning* bolt = Bolt(
        {"Class = Lightning", "numberOfBolts = 2", "fromSky = 1", "timeMin = 1", "timeMax = 1"});
    bolt->SetTarget(WorldVec3(1, {3, 0, 3}), WorldVec3(1, {10, 1, 0}));
    ASSERT_EQ(bolt->GetBolts().size(), 2u);
    EXPECT_EQ(bolt->GetSource(), WorldVec3(1, {10, 21, 0}));
    EXPECT_EQ(bolt->GetPointList(1).back(), Vec3(0, -20, 0));
    EXPECT_EQ(bolt->GetBolts()[1].timeToLive, 1000);
}

TEST_F(LightningTest, GrowsOverTheFirstQuarterAndWithdrawsOverTheLast)
{
    Lightning* bolt =
        Bolt({"Class = Lightning", "numberOfBolts = 1", "timeMin = 40", "timeMax = 40"});
    bolt->SetTarget(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {5, 0, 0}));
    const uint32_t id = bolt->GetObjectId();
    bolt->UpdateSelf(5000);
    EXPECT_FLOAT_EQ(bolt->GetTopPercent(), 0.5f);
    EXPECT_FLOAT_EQ(bolt->GetFadeMultiplier(0), 0.5f);
    bolt->UpdateSelf(4998);
    EXPECT_FALSE(bolt->HasReachedTarget());
    bolt->UpdateSelf(1);
    EXPECT_TRUE(bolt->HasReachedTarget());
    bolt->UpdateSelf(25001);
    EXPECT_FLOAT_EQ(bolt->GetTopPercent(), 1.0f);
    EXPECT_FLOAT_EQ(bolt->GetBottomPercent(), 0.5f);
    bolt->UpdateSelf(5000);
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

TEST_F(LightningTest, TendrilsBranchNearTheDestinationWithoutTendrilsOfTheirOwn)
{
    Platform::SRand(7);
    Lightning* bolt = Bolt({"Class = Lightning", "numberOfBolts = 1", "generateTendrils = 1",
                            "timeMin = 8", "timeMax = 8", "Width = 2.5", "Texture = Bolt.tex"});
    bolt->SetTarget(WorldVec3(1, {0, 0, 0}), WorldVec3(1, {30, 0, 0}));
    std::vector<Entity*> effects;
    for (int step = 0; step < 2000 && effects.size() < 2; step += 10) {
        bolt->UpdateSelf(10);
        effects.clear();
        gEngine->GetWorld()->GetEntities(effects, AnyLightning());
    }
    ASSERT_GE(effects.size(), 2u);
    const auto* tendril = DynamicCast<Lightning>(effects[0] == bolt ? effects[1] : effects[0]);
    EXPECT_FALSE(tendril->GetGenerateTendrils());
    EXPECT_EQ(tendril->GetSource(), bolt->GetSource());
    EXPECT_EQ(tendril->GetBolts()[0].timeToLive, 8000);
    const Vec3 offset = tendril->GetDestination().GetRegionPosition() - Vec3(30, 0, 0);
    EXPECT_GE(offset.Length(), 0.25f - 1e-4f);
    EXPECT_LE(offset.Length(), 1.0f + 1e-4f);
}

TEST_F(LightningTest, AMagicRingOfRadiusFiveGoesOnTheFirstUpdateAfterOneSecond)
{
    RadiusMagic* magic = Ring();
    magic->SetEffect(5.0f, 100.0f);
    const uint32_t id = magic->GetObjectId();
    float strength[4] = {};
    ASSERT_TRUE(magic->GetShaderParamFloat4("strength", strength));
    EXPECT_FLOAT_EQ(strength[0], 0.03f);
    magic->UpdateSelf(1000);
    EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
    ASSERT_TRUE(magic->GetShaderParamFloat4("strength", strength));
    EXPECT_FLOAT_EQ(strength[3], 0.0f);
    EXPECT_TRUE(Exists(id));
    magic->UpdateSelf(1);
    EXPECT_FALSE(Exists(id));
}

TEST_F(LightningTest, AMagicRingWithoutExpansionTimeEndsAtOnceWithoutDividingByZero)
{
    RadiusMagic* magic = Ring();
    magic->SetEffect(5.0f, 0.0f);
    EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
    const uint32_t id = magic->GetObjectId();
    magic->UpdateSelf(1);
    EXPECT_FALSE(Exists(id));
}

} // namespace
} // namespace GAME::Test
