#include "ai/ControllerCombat.h"

#include "characters/CharacterActionHandler.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

class ControllerCombatTest : public DeathFixture {
protected:
    void OnStartDeath(const GameEvent_GenericEntity& event) { started.push_back(event.objectId); }

    // The character's own controller, as the object manager holds it.
    ControllerCombat* Control(Character& character)
    {
        auto* made = static_cast<ControllerCombat*>(
            ObjectManager::Instance().CreateObject("ControllerCombat"));
        made->AttachParent(character.GetObjectId());
        return made;
    }

    std::vector<uint32_t> started;
    EventHandler<ControllerCombatTest, GameEvent_GenericEntity> listener{
        "GameEvent_CreatureStartDeath", &ControllerCombatTest::OnStartDeath, this};
};

TEST_F(ControllerCombatTest, KillMeStartsAMonstersDeathAndLeavesAnNpcAlive)
{
    Npc* npc = Spawn<Npc>("Records/Creatures/Baker.dbr", {});
    ASSERT_NE(npc, nullptr);
    Control(*npc)->KillMe();
    EXPECT_EQ(npc->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(npc->GetActionHandler()->GetActionType(), CharacterActionType_None);
    EXPECT_TRUE(started.empty());

    Monster* monster = Spawn("Records/Creatures/Boar.dbr", {});
    ASSERT_NE(monster, nullptr);
    ControllerCombat* controller = Control(*monster);
    controller->KillMe();
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(monster->GetActionHandler()->GetActionType(), CharacterActionType_Die);
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));

    // Already dying: not killed twice.
    controller->KillMe();
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(controller->NeedsDeathUpdate());
}

} // namespace
} // namespace GAME::Test
