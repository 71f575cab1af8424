#include "ai/ControllerNpc2.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerNpcHerdAnimal.h"
#include "ai/ControllerNpcHerder.h"
#include "ai/NpcHerd.h"
#include "ai/NpcHerdManager.h"
#include "characters/Npc.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

class NpcHerdTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Controllers/Npc/NpcHerdAnimalController.dbr",
                             {"Class = ControllerNpcHerdAnimal"});
        database.WriteRecord("Records/Controllers/Npc/NpcHerderController.dbr",
                             {"Class = ControllerNpcHerder"});
        database.WriteRecord("Records/Controllers/Own.dbr", {"Class = ControllerAI"});
    }

    Npc* MakeNpc()
    {
        auto* npc = static_cast<Npc*>(ObjectManager::Instance().CreateObject("Npc"));
        npc->SetController("Records/Controllers/Own.dbr");
        return npc;
    }

    const char* ControllerClass(const Npc& npc) const
    {
        const Object* controller = ObjectManager::Instance().GetObject(npc.GetControllerId());
        return controller != nullptr ? controller->GetClassInfo()->GetName() : "";
    }
};

TEST_F(NpcHerdTest, TheFirstAnimalKeepsItsControllerTheOthersFollowTheHerd)
{
    Npc* first = MakeNpc();
    Npc* second = MakeNpc();
    Npc* third = MakeNpc();
    NpcHerdManager& herds = NpcHerdManager::Get();
    herds.AddToHerd("Herds/Goats_First", first->GetObjectId());
    herds.AddToHerd("Herds\\Goats_First", second->GetObjectId());
    herds.AddToHerd("HerdsGoats_First", third->GetObjectId());

    EXPECT_STREQ(ControllerClass(*first), "ControllerAI");
    EXPECT_STREQ(ControllerClass(*second), "ControllerNpcHerdAnimal");
    const NpcHerd* herd = herds.FindHerd("/Herds/Goats_First");
    EXPECT_EQ(herd->GetMembers().size(), 3u);
    EXPECT_EQ(herd->GetMembers()[1], second->GetObjectId());
    // Letter case makes another herd.
    EXPECT_EQ(herds.FindHerd("herds/goats_first"), nullptr);
}

TEST_F(NpcHerdTest, AHerderGetsItsControllerWithTheHerdNameEvenForAnEmptyHerd)
{
    Npc* herder = MakeNpc();
    NpcHerdManager& herds = NpcHerdManager::Get();
    herds.SetHerdHerder("Herds/Sheep_Alone", herder->GetObjectId());

    const NpcHerd* herd = herds.FindHerd("Herds/Sheep_Alone");
    EXPECT_TRUE(herd->GetMembers().empty());
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerNpcHerder>(herder->GetControllerId());
    EXPECT_EQ(controller->GetHerdName(), "Herds/Sheep_Alone");

    // An id that names no townsperson changes nothing.
    herds.SetHerdHerder("Herds/Sheep_Alone", 999999);
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
}

class ControllerRecords : public EngineFixture {};

TEST_F(ControllerRecords, TheShippedRecordsMakeTheirControllers)
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    if (source == nullptr)
        GTEST_SKIP() << "GAME_SOURCE_DIR is not set";
    ObjectManager& objects = ObjectManager::Instance();
    objects.GetDatabase().SetRoot(std::string(source) + "/data/database");
    const std::pair<const char*, const char*> records[] = {
        {"Records/Controllers/Monster/DefaultControllerAI.dbr", "ControllerMonster"},
        {"Records/Controllers/Npc/Npc2Controller.dbr", "ControllerNpc2"},
        {"Records/Controllers/Npc/NpcHerdAnimalController.dbr", "ControllerNpcHerdAnimal"},
        {"Records/Controllers/Npc/NpcHerderController.dbr", "ControllerNpcHerder"},
        {"Records/Controllers/Player/CharacterControllerStub.dbr", "ControllerCombat"},
        {"Records/Controllers/Editor/EditorController.dbr", "ControllerBaseCharacter"}};
    for (const auto& [record, className] : records) {
        auto* controller = objects.CreateObjectFromFile<ControllerBaseCharacter>(record);
        EXPECT_STREQ(controller->GetClassInfo()->GetName(), className);
        EXPECT_EQ(controller->GetParentId(), 0u);
    }
    // Only a base: nothing is made of it by name.
    EXPECT_EQ(objects.CreateObject("Controller"), nullptr);
}

} // namespace
} // namespace GAME::Test
