#include "skills/Skill.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/GameLog.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "skills/SkillAttributeType.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/Skill_Modifier.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/StubSkillOwner.h"
#include "world/ProjectileBase.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace GAME::Test {

// A skill whose cooldown disruption may lengthen.
class DisruptableCostSkill : public Skill {
    GAME_DECLARE_CLASS(DisruptableCostSkill)

public:
    DisruptableCostSkill() { SetDisruptable(true); }
};

GAME_IMPLEMENT_CLASS(DisruptableCostSkill, Skill);

namespace {

class SkillCostsTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }
    void TearDown() override
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
        GameEngineFixture::TearDown();
    }

    // A skill made from its record, owned by the stub and learnt at the level.
    template <class Kind = Skill>
    Kind* Make(const std::string& path, std::initializer_list<std::string> lines, uint32_t level)
    {
        database.WriteRecord(path, lines);
        Kind* skill = ObjectManager::Instance().CreateObjectFromFile<Kind>(path);
        EXPECT_NE(skill, nullptr);
        skill->SetManager(&owner);
        skill->SetSkillLevel(level);
        return skill;
    }

    StubSkillOwner owner;
};

TEST_F(SkillCostsTest, ManaCostMergesModifiersAndNeverGoesBelowZero)
{
    Skill* skill = Make("Records/Skills/Bolt.dbr",
                        {"Class = Skill", "skillMaxLevel = 2", "skillManaCost = 20;30",
                         "skillManaCostReduction = 10"},
                        1);
    owner.skillAttributes[SkillAttribute_ManaCostReduction] = 15.0f;
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 15.0f) << "own 10 % and the owner's 15 %";

    owner.skillAttributes[SkillAttribute_ManaCostReduction] = 140.0f;
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 0.0f) << "150 % costs nothing, not -10";

    // Modifier numbers add in at the modifier's own level; other kinds and stale ids do not.
    owner.skillAttributes[SkillAttribute_ManaCostReduction] = -10.0f;
    auto* modifier = Make<Skill_Modifier>(
        "Records/Skills/BoltMod.dbr",
        {"Class = Skill_Modifier", "skillMaxLevel = 2", "skillManaCost = 5;7"}, 2);
    Skill* plain = Make("Records/Skills/Other.dbr",
                        {"Class = Skill", "skillMaxLevel = 1", "skillManaCost = 100"}, 1);
    skill->AddModifier(modifier->GetObjectId());
    skill->AddModifier(plain->GetObjectId());
    skill->AddModifier(999999);
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 27.0f);

    skill->SubtractManaCost();
    EXPECT_FLOAT_EQ(owner.manaSubtracted, 27.0f);

    // Unlearnt: nothing merges, its modifiers included.
    skill->SetSkillLevel(0);
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 0.0f);
    SkillProfile_Modifiers merged;
    skill->GetSkillModifierData(merged);
    EXPECT_FLOAT_EQ(merged.GetManaCost(), 0.0f);
}

TEST_F(SkillCostsTest, CooldownStartsOnlyLongerAndCompletes)
{
    Skill* skill = Make("Records/Skills/Slam.dbr",
                        {"Class = Skill", "skillMaxLevel = 1", "skillCooldownTime = 3"}, 1);
    owner.skillAttributes[SkillAttribute_CooldownReduction] = 50.0f;
    EXPECT_FLOAT_EQ(skill->GetCooldownCompletion(), 1.0f) << "total 0";
    skill->StartCooldown();
    EXPECT_EQ(skill->GetCooldownRemaining(), 1500);
    EXPECT_EQ(skill->GetCooldownTotal(), 1500);

    skill->EndCooldown();
    EXPECT_EQ(skill->GetCooldownRemaining(), 0);
    EXPECT_EQ(skill->GetCooldownTotal(), 1500);
    EXPECT_FLOAT_EQ(skill->GetCooldownCompletion(), 1.0f);

    skill->ReplaceCooldownTime(1400.0f);
    skill->ReplaceCooldownTime(1000.0f);
    EXPECT_EQ(skill->GetCooldownRemaining(), 1400) << "never shortened";
    EXPECT_EQ(skill->GetCooldownTotal(), 1400);
    skill->ReplaceCooldownTime(2000.0f);
    EXPECT_EQ(skill->GetCooldownRemaining(), 2000);
    EXPECT_EQ(skill->GetCooldownTotal(), 2000);
    auto* character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    skill->Update(*character, 500);
    EXPECT_FLOAT_EQ(skill->GetCooldownCompletion(), 0.25f);

    // A base skill is not disruptable; a disruptable one lengthens, never shortens.
    skill->ApplyDisruptionCooldownTime(5000.0f);
    EXPECT_EQ(skill->GetCooldownRemaining(), 1500);
    auto* disruptable = Make<DisruptableCostSkill>(
        "Records/Skills/Cast.dbr", {"Class = DisruptableCostSkill", "skillMaxLevel = 1"}, 1);
    disruptable->ApplyDisruptionCooldownTime(800.0f);
    EXPECT_EQ(disruptable->GetCooldownRemaining(), 800);
    disruptable->ApplyDisruptionCooldownTime(300.0f);
    EXPECT_EQ(disruptable->GetCooldownRemaining(), 800);
}

TEST_F(SkillCostsTest, TinyHugeAndBrokenCooldownTimes)
{
    // 0.1 ms is too short to start; anything longer starts.
    Skill* tiny =
        Make("Records/Skills/Tiny.dbr",
             {"Class = Skill", "skillMaxLevel = 2", "skillCooldownTime = 0.0001;0.0002"}, 1);
    tiny->StartCooldown();
    EXPECT_EQ(tiny->GetCooldownTotal(), 0);
    tiny->SetSkillLevel(2);
    tiny->StartCooldown();
    EXPECT_EQ(tiny->GetCooldownTotal(), 0) << "0.2 ms truncates to 0";

    // Seconds far beyond the integer range saturate instead of wrapping.
    Skill* huge = Make("Records/Skills/Huge.dbr",
                       {"Class = Skill", "skillMaxLevel = 1", "skillCooldownTime = 1e30"}, 1);
    huge->StartCooldown();
    EXPECT_EQ(huge->GetCooldownRemaining(), INT32_MAX);
    EXPECT_EQ(huge->GetCooldownTotal(), INT32_MAX);

    tiny->ReplaceCooldownTime(std::numeric_limits<float>::quiet_NaN());
    tiny->ReplaceCooldownTime(-50.0f);
    EXPECT_EQ(tiny->GetCooldownRemaining(), 0);
    EXPECT_EQ(tiny->GetCooldownTotal(), 0);
}

TEST_F(SkillCostsTest, CombatParametersAddTheRacialBonus)
{
    gLogCombat = 1;
    gEngine->SetLogCategories(1);
    Skill* skill = Make("Records/Skills/Smite.dbr",
                        {"Class = Skill", "skillMaxLevel = 1", "skillManaCost = 20",
                         "offensiveFireMin = 40", "racialBonusRace = Undead",
                         "racialBonusPercentDamage = 10", "racialBonusAbsoluteDamage = 7"},
                        1);
    owner.offensiveAbility = 321.0f;
    database.WriteRecord("Records/Creatures/Ghoul.dbr",
                         {"Class = Character", "characterRacialProfile = Undead"});
    database.WriteRecord("Records/Creatures/Wolf.dbr",
                         {"Class = Character", "characterRacialProfile = Beast"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* attacker = static_cast<Character*>(objects.CreateObject("Character"));
    auto* ghoul = objects.CreateObjectFromFile<Character>("Records/Creatures/Ghoul.dbr");
    auto* wolf = objects.CreateObjectFromFile<Character>("Records/Creatures/Wolf.dbr");
    ASSERT_NE(ghoul, nullptr);
    ASSERT_NE(wolf, nullptr);

    RandomUniform generator;
    generator.Seed(5);
    ParametersCombat hit(generator);
    skill->CollectCombatParameters(*attacker, ghoul, ParametersCombatStyle_Probability, false, 0,
                                   hit, 0.0f);
    float absolute = 0.0f;
    float overTime = 0.0f;
    hit.attributes.GetTotalDamage(absolute, overTime);
    EXPECT_FLOAT_EQ(absolute, 44.0f) << "damage percent 0 becomes 100, plus 10";
    EXPECT_FLOAT_EQ(hit.racialBonusDamage, 7.0f);
    EXPECT_EQ(hit.style, ParametersCombatStyle_Probability);
    EXPECT_EQ(hit.attackerId, attacker->GetObjectId());
    EXPECT_FLOAT_EQ(hit.offensiveAbility, 321.0f);
    EXPECT_FLOAT_EQ(hit.skillManaCost, 20.0f);
    EXPECT_EQ(log.Count(0, "^bRacial Bonus Damage Percent 110.000000"), 1u);
    EXPECT_EQ(log.Count(0, "^bRacial Bonus Damage Absolute 7.000000"), 1u);

    // Another race: no bonus, the damage percent 0 passes unchanged and nothing is logged.
    log.Clear();
    ParametersCombat plain(generator);
    skill->CollectCombatParameters(*attacker, wolf, ParametersCombatStyle_Projectile, false, 0,
                                   plain, 0.0f);
    absolute = 0.0f;
    plain.attributes.GetTotalDamage(absolute, overTime);
    EXPECT_FLOAT_EQ(absolute, 40.0f);
    EXPECT_FLOAT_EQ(plain.racialBonusDamage, 0.0f);
    EXPECT_EQ(log.CountContaining("Racial"), 0u);
}

TEST_F(SkillCostsTest, ProjectileModifiersSumOwnAndModifierNumbers)
{
    Skill* skill =
        Make("Records/Skills/Arrow.dbr",
             {"Class = Skill", "skillMaxLevel = 1", "explosionRadius = 2",
              "projectilePiercing = 10", "projectileExplosionRadius = 1.5",
              "projectilePiercingChance = 5", "projectileFragmentsName = shard.dbr",
              "projectileFragmentsLaunchNumberMin = 2", "projectileFragmentsLaunchNumberMax = 4"},
             0);
    auto* modifier = Make<Skill_Modifier>(
        "Records/Skills/ArrowMod.dbr",
        {"Class = Skill_Modifier", "skillMaxLevel = 1", "projectilePiercing = 20"}, 1);
    auto* rider = Make<Skill>(
        "Records/Skills/Rider.dbr",
        {"Class = Skill_ProjectileModifier", "skillMaxLevel = 1", "projectilePiercingChance = 30"},
        1);
    skill->AddModifier(modifier->GetObjectId());
    skill->AddModifier(rider->GetObjectId());
    auto* projectile =
        DynamicCast<ProjectileBase>(ObjectManager::Instance().CreateObject("ProjectileBase"));
    ASSERT_NE(projectile, nullptr);

    skill->AddProjectileModifier(projectile);
    EXPECT_EQ(projectile->GetModifierCount(), 0u) << "level 0 adds nothing";

    skill->SetSkillLevel(1);
    skill->AddProjectileModifier(projectile);
    const auto& added = projectile->GetModifierCopies();
    ASSERT_EQ(added.size(), 2u) << "its own, then the projectile modifier's";
    EXPECT_EQ(added[0].ownerSkillId, skill->GetObjectId());
    EXPECT_FLOAT_EQ(added[0].explosionRadius, 3.5f);
    EXPECT_FLOAT_EQ(added[0].piercingChance, 35.0f) << "own 10 + modifier 20 + chance 5";
    EXPECT_EQ(added[0].fragmentsName, "shard.dbr");
    EXPECT_EQ(added[0].fragmentsMin, 2);
    EXPECT_EQ(added[0].fragmentsMax, 4);
    EXPECT_EQ(added[1].ownerSkillId, rider->GetObjectId());
    EXPECT_FLOAT_EQ(added[1].piercingChance, 30.0f);
}

} // namespace
} // namespace GAME::Test
