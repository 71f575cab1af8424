#include "ai/NpcHerd.h"

#include "ai/ControllerNpcHerdAnimal.h"
#include "ai/ControllerNpcHerder.h"
#include "ai/NpcHerdManager.h"
#include "characters/Npc.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

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
    EXPECT_STREQ(ControllerClass(*third), "ControllerNpcHerdAnimal");
    const NpcHerd* herd = herds.FindHerd("/Herds/Goats_First");
    ASSERT_NE(herd, nullptr);
    EXPECT_EQ(herd->GetMembers().size(), 3u);
    EXPECT_EQ(herd->GetMembers()[1], second->GetObjectId());
    // Letter case makes another herd.
    EXPECT_EQ(herds.FindHerd("herds/goats_first"), nullptr);
}

TEST_F(NpcHerdTest, AHerderGetsItsControllerWithTheHerdNameEvenForAnEmptyHerd)
{
    Npc* herder = MakeNpc();
    NpcHerdManager& herds = NpcHerdManager::Get();
    EXPECT_EQ(herds.FindHerd("Herds/Sheep_Alone"), nullptr);
    herds.SetHerdHerder("Herds/Sheep_Alone", herder->GetObjectId());

    const NpcHerd* herd = herds.FindHerd("Herds/Sheep_Alone");
    ASSERT_NE(herd, nullptr);
    EXPECT_TRUE(herd->GetMembers().empty());
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerNpcHerder>(herder->GetControllerId());
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetHerdName(), "Herds/Sheep_Alone");

    // An id that names no townsperson changes nothing.
    herds.SetHerdHerder("Herds/Sheep_Alone", 999999);
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
}

} // namespace
} // namespace GAME::Test
