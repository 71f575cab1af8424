#include "ai/ControllerPlayer.h"

#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using ControllerPlayerTest = GameEngineFixture;

TEST_F(ControllerPlayerTest, MadeByNameWithABagAndEquipmentOfItsOwn)
{
    Start();
    auto* controller =
        DynamicCast<ControllerPlayer>(ObjectManager::Instance().CreateObject("ControllerPlayer"));
    ASSERT_NE(controller, nullptr);
    EXPECT_NE(DynamicCast<ControllerAI>(controller), nullptr);
    EXPECT_EQ(controller->GetInventoryCtrl().GetNumberOfSacks(), 1u);

    controller->SetCombatEnemy(42);
    controller->SetTargetPoint(WorldVec3(3, Vec3(1, 2, 3)));
    controller->ClearTarget();
    EXPECT_EQ(controller->GetCombatEnemy(), 0u);
    EXPECT_EQ(controller->GetTargetPoint(), WorldVec3());

    controller->SetAlternateEquipment(true);
    EXPECT_TRUE(controller->GetEquipmentCtrl().IsUsingAlternate());
    controller->SetAlternateEquipment(false);
    EXPECT_FALSE(controller->GetEquipmentCtrl().IsUsingAlternate());
}

} // namespace
} // namespace GAME::Test
