#include "world/RadiusMagic.h"

#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {

namespace {

class RadiusMagicTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }
    template <class Kind> Kind* Placed(Kind* object)
    {
        gEngine->GetWorld()->AddEntity(object, WorldCoords(WorldVec3(1, {0, 0, 0})), false);
        return object;
    }
    std::unique_ptr<World> previousWorld;
};

TEST_F(RadiusMagicTest, RingOfRadiusFiveGoesOnTheFirstUpdateAfterOneSecond)
{
    auto* magic =
        Placed(static_cast<RadiusMagic*>(ObjectManager::Instance().CreateObject("RadiusMagic")));
    magic->SetEffect(5.0f, 100.0f);
    const uint32_t id = magic->GetObjectId();
    float strength[4] = {};
    ASSERT_TRUE(magic->GetShaderParamFloat4("strength", strength));
    EXPECT_FLOAT_EQ(strength[0], 0.03f);
    magic->UpdateSelf(1000);
    EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
    ASSERT_TRUE(magic->GetShaderParamFloat4("strength", strength));
    EXPECT_FLOAT_EQ(strength[3], 0.0f);
    EXPECT_NE(ObjectManager::Instance().GetObject<RadiusMagic>(id), nullptr);
    magic->UpdateSelf(1);
    EXPECT_EQ(ObjectManager::Instance().GetObject<RadiusMagic>(id), nullptr);
}

TEST_F(RadiusMagicTest, NoExpansionTimeEndsAtOnceWithoutDividingByZero)
{
    auto* magic =
        Placed(static_cast<RadiusMagic*>(ObjectManager::Instance().CreateObject("RadiusMagic")));
    magic->SetEffect(5.0f, 0.0f);
    EXPECT_FLOAT_EQ(magic->GetCurrentRadius(), 10.0f);
    const uint32_t id = magic->GetObjectId();
    magic->UpdateSelf(1);
    EXPECT_EQ(ObjectManager::Instance().GetObject<RadiusMagic>(id), nullptr);
}

} // namespace

} // namespace GAME::Test
