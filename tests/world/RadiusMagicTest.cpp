#include "world/RadiusMagic.h"

#include "tests/support/CombatWorldFixture.h"

namespace GAME::Test {
namespace {

class RadiusMagicTest : public CombatWorldFixture {
protected:
    RadiusMagic* Placed()
    {
        auto* magic =
            static_cast<RadiusMagic*>(ObjectManager::Instance().CreateObject("RadiusMagic"));
        TheWorld().AddEntity(magic, WorldAt({0, 0, 0}), false);
        return magic;
    }
};

TEST_F(RadiusMagicTest, RingOfRadiusFiveGoesOnTheFirstUpdateAfterOneSecond)
{
    RadiusMagic* magic = Placed();
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

TEST_F(RadiusMagicTest, NoExpansionTimeEndsAtOnceWithoutDividingByZero)
{
    RadiusMagic* magic = Placed();
    magic->SetEffect(5.0f, 0.0f);
    EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
    const uint32_t id = magic->GetObjectId();
    magic->UpdateSelf(1);
    EXPECT_FALSE(Exists(id));
}

} // namespace
} // namespace GAME::Test
