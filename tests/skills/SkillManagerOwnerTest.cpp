#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatManager.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "skills/Skill.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {

// Records what the manager asks of it.
class OwnerRecordingSkill : public Skill {
    GAME_DECLARE_CLASS(OwnerRecordingSkill)

public:
    static std::vector<std::string>& Calls()
    {
        static std::vector<std::string> calls;
        return calls;
    }
    void Install(Character*) override { Calls().push_back("Install " + GetObjectName()); }
    void UnInstall(Character*) override { Calls().push_back("UnInstall " + GetObjectName()); }
    void EndCooldown() override { Calls().push_back("EndCooldown " + GetObjectName()); }
};

GAME_IMPLEMENT_CLASS(OwnerRecordingSkill, Skill);

namespace {

constexpr const char* kA = "Records/Skills/A.dbr";
constexpr const char* kB = "Records/Skills/B.dbr";

class SkillManagerOwnerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        OwnerRecordingSkill::Calls().clear();
        for (const char* name : {kA, kB})
            database.WriteRecord(name, {"Class = OwnerRecordingSkill"});
        character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        ASSERT_NE(character, nullptr);
    }
    void TearDown() override
    {
        ObjectManager::Instance().DestroyObjectEx(character, "test", __LINE__);
        EngineFixture::TearDown();
    }
    SkillManager& manager() { return character->GetSkillManager(); }
    const std::string& Enchantment() const
    {
        return character->GetCombatManager().GetEquipManager().GetWeaponEnchantment();
    }

    Character* character = nullptr;
};

TEST_F(SkillManagerOwnerTest, TheNewestEnchantmentShowsAndRemovalRestoresTheEarlier)
{
    manager().AddWeaponEnchantment(1, "Records/Fx/Fire.dbr");
    manager().AddWeaponEnchantment(2, "Records/Fx/Ice.dbr");
    EXPECT_EQ(Enchantment(), "Records/Fx/Ice.dbr");
    manager().RemoveWeaponEnchantment(2);
    EXPECT_EQ(Enchantment(), "Records/Fx/Fire.dbr");
    manager().RemoveWeaponEnchantment(1);
    EXPECT_EQ(Enchantment(), "");
}

TEST_F(SkillManagerOwnerTest, EffectPacksShowTheNewestOwnerAndOnlyItsRemovalReshows)
{
    manager().AddCharFxPak(1, {"Records/Fx/One.dbr"});
    manager().AddCharFxPak(2, {"", "Records/Fx/Two.dbr"});
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 2u);
    manager().RemoveCharFxPak(2);
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 1u);
    manager().AddCharFxPak(3, {""});
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 0u) << "an empty name shows nothing";
    manager().RemoveCharFxPak(1);
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 0u) << "owner 1 was not showing";
}

TEST_F(SkillManagerOwnerTest, ActiveListHoldsEachSkillOnceAndCooldownsRefresh)
{
    manager().LoadSkills(Record(std::string("skillName1 = ") + kA + "\nskillLevel1 = 1\n" +
                                "skillName2 = " + kB + "\n"),
                         2);
    Skill* a = manager().GetSkill(manager().FindSkillId(kA));
    Skill* b = manager().GetSkill(manager().FindSkillId(kB));
    ASSERT_NE(b, nullptr);
    a->SetSkillLevel(2);
    EXPECT_FALSE(b->IsSkillEnabled());
    manager().RemoveFromActiveList(b);
    manager().RefreshCooldown();
    manager().RemoveFromActiveList(a);
    manager().RemoveFromActiveList(a);
    EXPECT_EQ(
        OwnerRecordingSkill::Calls(),
        (std::vector<std::string>{std::string("Install ") + kA, std::string("EndCooldown ") + kA,
                                  std::string("UnInstall ") + kA}));
    EXPECT_TRUE(manager().GetActiveList().empty());
}

TEST_F(SkillManagerOwnerTest, AMonstersSkillIsEnabledWithItsLevel)
{
    manager().SetIsMonster(true);
    EXPECT_TRUE(manager().IsMonsterSkill());
    manager().LoadSkills(Record(std::string("skillName1 = ") + kA + "\nskillLevel1 = 1\n"), 1);
    EXPECT_TRUE(manager().GetSkill(manager().FindSkillId(kA))->IsSkillEnabled());
}

TEST_F(SkillManagerOwnerTest, APetGoneBeforeTheFrameIsSkipped)
{
    auto* pet = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    ASSERT_NE(pet, nullptr);
    manager().PushPetInitialize(pet);
    manager().PushPetInitialize(nullptr);
    ObjectManager::Instance().DestroyObjectEx(pet, "test", __LINE__);
    manager().Update(10);
    manager().Update(10);
}

} // namespace
} // namespace GAME::Test
