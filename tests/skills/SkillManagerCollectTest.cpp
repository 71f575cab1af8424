#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "engine/ObjectManager.h"
#include "items/Weapon.h"
#include "skills/SkillAttributeAccumulator.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {

std::vector<std::string>& CollectCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

// Says which of its game-balance packs the manager asked for.
class CollectCharacter : public Character {
    GAME_DECLARE_CLASS(CollectCharacter)

public:
    void ContributeGameBalanceSkillAttributes(SkillAttributeAccumulator&) const override
    {
        CollectCalls().push_back("balance skill");
    }
    void ContributeGameBalanceOffensiveDamageAttributes(CombatAttributeAccumulator&) const override
    {
        CollectCalls().push_back("balance damage");
    }
    void
    ContributeGameBalanceOffensiveModifierAttributes(CombatAttributeAccumulator&) const override
    {
        CollectCalls().push_back("balance modifier");
    }
};

class CollectWeapon : public Weapon {
    GAME_DECLARE_CLASS(CollectWeapon)

public:
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator&) const override
    {
        CollectCalls().push_back("weapon");
    }
};

GAME_IMPLEMENT_CLASS(CollectCharacter, Character);
GAME_IMPLEMENT_CLASS(CollectWeapon, Weapon);

namespace {

using Calls = std::vector<std::string>;

using SkillManagerCollectTest = EngineFixture;

TEST_F(SkillManagerCollectTest, GameBalancePacksJoinEveryCollectionAndAWeaponAddsItsOwnDamage)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* character = static_cast<Character*>(objects.CreateObject("CollectCharacter"));
    auto* weapon = static_cast<Weapon*>(objects.CreateObject("CollectWeapon"));
    ASSERT_NE(character, nullptr);
    ASSERT_NE(weapon, nullptr);
    SkillManager& manager = character->GetSkillManager();
    CollectCalls().clear();

    SkillAttributeAccumulator skills;
    manager.CollectAvailableSkillAttributes(skills);
    CombatAttributeAccumulator combat;
    manager.CollectAvailableOffensiveModifierAttributes(combat);
    manager.CollectAvailableOffensiveDamageAttributes(weapon->GetObjectId(), combat);
    // An id that is no weapon adds nothing of its own.
    manager.CollectAvailableOffensiveDamageAttributes(character->GetObjectId(), combat);
    EXPECT_EQ(CollectCalls(), (Calls{"balance skill", "balance modifier", "balance damage",
                                     "weapon", "balance damage"}));

    objects.DestroyObjectEx(weapon, "test", __LINE__);
    objects.DestroyObjectEx(character, "test", __LINE__);
}

} // namespace
} // namespace GAME::Test
