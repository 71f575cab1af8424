#include "skills/Skill_Passive.h"

#include "combat/RacialBonus.h"
#include "core/GameLog.h"
#include "engine/ObjectManager.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_Mastery.h"
#include "skills/Skill_MeleeModifierRadius.h"
#include "skills/Skill_Modifier.h"
#include "skills/Skill_PassiveDualWieldWeapon.h"
#include "skills/Skill_PassiveOnHitBuffSelf.h"
#include "skills/Skill_PassiveOnLifeBuffSelf.h"
#include "skills/Skill_PassiveShield.h"
#include "skills/Skill_ProjectileModifier.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

namespace GAME::Test {

namespace {

// An owner whose hands the test sets.
class HandsManager : public SkillManager {
public:
    int32_t GetHandState() const override { return handState; }
    int32_t handState = 0;
};

class Skill_PassiveTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        gLogCombat = 1;
        gEngine->SetLogCategories(1);
    }
    void TearDown() override
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
        GameEngineFixture::TearDown();
    }

    template <typename T> T* Make(const std::string& path, std::initializer_list<std::string> lines)
    {
        database.WriteRecord(path, lines);
        auto* skill = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (skill != nullptr) {
            skill->SetAsTempSkill();
            skill->SetManager(&manager);
        }
        return skill;
    }

    HandsManager manager;
};

RacialBonus_Damage Racial(const Skill& skill)
{
    RacialBonus_Damage damage;
    skill.CollectPassiveRacialBonusDamage({"Undead"}, damage);
    return damage;
}

} // namespace

TEST_F(Skill_PassiveTest, EachKindIsMadeByNameUnderItsParent)
{
    ObjectManager& objects = ObjectManager::Instance();
    const auto parentOf = [&](const char* name) {
        Object* object = objects.CreateObject(name);
        return object != nullptr ? std::string(object->GetClassInfo()->GetParent()->GetName()) : "";
    };
    EXPECT_EQ(parentOf("Skill_Passive"), "Skill");
    EXPECT_EQ(parentOf("Skill_Mastery"), "Skill_Passive");
    EXPECT_EQ(parentOf("Skill_PassiveDualWieldWeapon"), "Skill_Passive");
    EXPECT_EQ(parentOf("Skill_PassiveShield"), "Skill_Passive");
    EXPECT_EQ(parentOf("Skill_PassiveOnHitBuffSelf"), "Skill");
    EXPECT_EQ(parentOf("Skill_PassiveOnLifeBuffSelf"), "Skill");
    EXPECT_EQ(parentOf("Skill_Modifier"), "Skill");
    EXPECT_EQ(parentOf("Skill_MeleeModifier"), "Skill_Modifier");
    EXPECT_EQ(parentOf("Skill_MeleeModifierRadius"), "Skill_MeleeModifier");
    EXPECT_EQ(parentOf("Skill_ProjectileModifier"), "Skill_Modifier");
    auto* onHit =
        DynamicCast<Skill_PassiveOnHitBuffSelf>(objects.CreateObject("Skill_PassiveOnHitBuffSelf"));
    ASSERT_NE(onHit, nullptr);
    EXPECT_FALSE(onHit->IsRepeatable());
    EXPECT_TRUE(DynamicCast<Skill_Passive>(objects.CreateObject("Skill_Mastery"))->IsRepeatable());
}

TEST_F(Skill_PassiveTest, OnlyAnEnabledLearntPassiveAddsItselfAndItsModifiers)
{
    auto* passive = Make<Skill_Passive>(
        "Records/Skills/P.dbr", {"Class = Skill_Passive", "skillMaxLevel = 3",
                                 "racialBonusRace = Undead", "racialBonusPercentDamage = 10;20"});
    auto* modifier = Make<Skill_Modifier>(
        "Records/Skills/M.dbr", {"Class = Skill_Modifier", "skillMaxLevel = 3",
                                 "racialBonusRace = Undead", "racialBonusPercentDamage = 5"});
    ASSERT_NE(passive, nullptr);
    ASSERT_NE(modifier, nullptr);
    passive->AddModifier(modifier->GetObjectId());
    modifier->ReceiveStateUpdate(SkillState{1, true}, true);

    EXPECT_EQ(Racial(*passive).percent, 0.0f);
    passive->ReceiveStateUpdate(SkillState{2, false}, true);
    EXPECT_EQ(Racial(*passive).percent, 0.0f);
    passive->ReceiveStateUpdate(SkillState{2, true}, true);
    EXPECT_EQ(Racial(*passive).percent, 25.0f);
    // A disabled modifier adds nothing, though its base does.
    modifier->ReceiveStateUpdate(SkillState{1, false}, true);
    EXPECT_EQ(Racial(*passive).percent, 20.0f);
    EXPECT_FALSE(passive->IsPrimary());
    EXPECT_FALSE(passive->IsSecondary());
}

TEST_F(Skill_PassiveTest, AMasteryReadsItsKindAndIsNeverTakenBackOrAugmented)
{
    auto* earth = Make<Skill_Mastery>(
        "Records/Skills/Earth.dbr",
        {"Class = Skill_Mastery", "skillMaxLevel = 32", "MasteryEnumeration = MasteryEarth"});
    auto* odd = Make<Skill_Mastery>("Records/Skills/Odd.dbr",
                                    {"Class = Skill_Mastery", "MasteryEnumeration = masteryearth"});
    ASSERT_NE(earth, nullptr);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(earth->GetEnumeration(), 5u);
    EXPECT_EQ(odd->GetEnumeration(), 0u);
    EXPECT_TRUE(earth->IsSkillTheMasterySkill());
    earth->ReceiveStateUpdate(SkillState{4, true}, true);
    EXPECT_FALSE(earth->DecrementSkillLevel());
    earth->IncrementAugmentedSkillLevel(3);
    EXPECT_EQ(earth->GetSkillLevel(), 4u);
    EXPECT_EQ(earth->GetAugmentedLevel(), 0u);
}

TEST_F(Skill_PassiveTest, DualWieldIsUsableOnlyWithBothHandsArmed)
{
    auto* dual = Make<Skill_PassiveDualWieldWeapon>(
        "Records/Skills/Dual.dbr", {"Class = Skill_PassiveDualWieldWeapon", "skillMaxLevel = 3"});
    ASSERT_NE(dual, nullptr);
    manager.handState = 2;
    EXPECT_FALSE(dual->SetAvailability(false, false));
    EXPECT_EQ(dual->GetReason(), 4);
    dual->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_TRUE(dual->SetAvailability(false, false));
    // Success leaves the reason of the last failure.
    EXPECT_EQ(dual->GetReason(), 4);
    manager.handState = 1;
    EXPECT_FALSE(dual->SetAvailability(true, true));
    EXPECT_EQ(dual->GetReason(), 4);
}

TEST_F(Skill_PassiveTest, TheShieldCutsThenAbsorbsAndLogsTheTextAsWritten)
{
    const SkillProfile profile;
    log.Clear();
    EXPECT_FLOAT_EQ(
        Skill_PassiveShield::FilterDamage(profile, 100.0f, CombatAttributeType_Fire, 30.0f, 50.0f),
        20.0f);
    ASSERT_EQ(log.GetLines().size(), 2u);
    EXPECT_EQ(log.GetLines()[0].text, "^bShield: Reduced (100.000000) Damage by (50.000000%) "
                                      "percent, remaining damage (50.000000)");
    EXPECT_EQ(log.GetLines()[1].text,
              "^bShield: Absorbed (30.000000) of (50.000000) damage, max absorption (30.000000)");
    EXPECT_FLOAT_EQ(
        Skill_PassiveShield::FilterDamage(profile, 40.0f, CombatAttributeType_Fire, 30.0f, 50.0f),
        0.0f);
    log.Clear();
    EXPECT_EQ(
        Skill_PassiveShield::FilterDamage(profile, 40.0f, CombatAttributeType_Fire, 0.0f, 0.0f),
        40.0f);
    EXPECT_TRUE(log.GetLines().empty());

    // Nothing fills a plain shield: learnt and enabled, it still lets everything through.
    auto* shield = Make<Skill_PassiveShield>(
        "Records/Skills/Shield.dbr", {"Class = Skill_PassiveShield", "fireDamageQualifier = 1"});
    ASSERT_NE(shield, nullptr);
    shield->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_EQ(shield->ModifyDamage(70.0f, CombatAttributeType_Fire), 70.0f);
    EXPECT_FALSE(shield->ProvidesInvulnerability({"Undead"}));
    EXPECT_EQ(Skill_PassiveShield::FilterDamage(shield->GetSkillProfile(), 70.0f,
                                                CombatAttributeType_Cold, 30.0f, 50.0f),
              70.0f);
}

} // namespace GAME::Test
