#include "ai/ControllerNpc2.h"

#include "characters/Npc.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ControllerNpc2Test : public EngineFixture {
protected:
    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        EngineFixture::TearDown();
    }

    ControllerNpc2* FromRecord(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Controllers/Npc/Townsfolk.dbr", lines);
        return ObjectManager::Instance().CreateObjectFromFile<ControllerNpc2>(
            "Records/Controllers/Npc/Townsfolk.dbr");
    }
};

TEST_F(ControllerNpc2Test, IdleTimesAreSecondsTimesAThousandAndDefaultToZero)
{
    ControllerNpc2* controller =
        FromRecord({"Class = ControllerNpc2", "npcIdleTimeMin = 1.5", "npcIdleTimeMax = 2.0009"});
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetIdleTimeMin(), 1500);
    EXPECT_EQ(controller->GetIdleTimeMax(), 2000);
    EXPECT_TRUE(controller->GetIgnoreEquipmentRequirements());

    auto* plain =
        static_cast<ControllerNpc2*>(ObjectManager::Instance().CreateObject("ControllerNpc2"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetIdleTimeMin(), 0);
    EXPECT_EQ(plain->GetIdleTimeMax(), 0);
    EXPECT_EQ(plain->GetSocialTarget(), 0u);
    plain->OnDebugRenderClick();
    EXPECT_TRUE(plain->IsDebugRenderClicked());
}

TEST_F(ControllerNpc2Test, WanderPointsComeFromTheWanderPointChildrenOfWandererGroups)
{
    const UniqueId npcId(1, 2, 3, 4), pointA(5, 0, 0, 0), pointB(6, 0, 0, 0), other(7, 0, 0, 0);
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Wander Points", "a", {pointA})); // 0
    groups.AddGroup(InstanceGroup("Patrol Points", "p", {other}));  // 1
    groups.AddGroup(InstanceGroup("Wander Points", "b", {pointB})); // 2
    InstanceGroup wanderers("Npc Wanderers", "w", {npcId});
    wanderers.AddChild(0);
    wanderers.AddChild(1);
    wanderers.AddChild(2);
    wanderers.AddChild(42);
    groups.AddGroup(wanderers);
    InstanceGroup elsewhere("Patrollers", "x", {npcId});
    elsewhere.AddChild(0);
    groups.AddGroup(elsewhere);

    auto* npc = static_cast<Npc*>(ObjectManager::Instance().CreateObject("Npc"));
    npc->SetUniqueID(npcId);
    auto* controller =
        static_cast<ControllerNpc2*>(ObjectManager::Instance().CreateObject("ControllerNpc2"));
    controller->AttachParent(npc->GetObjectId());

    ASSERT_EQ(controller->GetWanderPoints().size(), 2u);
    EXPECT_EQ(controller->GetWanderPoints()[0], pointA);
    EXPECT_EQ(controller->GetWanderPoints()[1], pointB);
}

} // namespace
} // namespace GAME::Test
