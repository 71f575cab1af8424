#include "skills/Skill.h"

#include "engine/Coords.h"
#include "skills/SkillAttributeType.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/Skill_Modifier.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileBase.h"

#include <cstdint>
#include <limits>
#include <set>

namespace GAME::Test {

// Reaches the protected level step and the cooldown.
class LevelSkill : public Skill {
    GAME_DECLARE_CLASS(LevelSkill)

public:
    using Skill::AddSkillLevel;
    void SetCooldown(int32_t ms) { cooldownRemaining = ms; }
};

GAME_IMPLEMENT_CLASS(LevelSkill, Skill);

// A skill whose cooldown disruption may lengthen.
class DisruptableCostSkill : public Skill {
    GAME_DECLARE_CLASS(DisruptableCostSkill)

public:
    DisruptableCostSkill() { SetDisruptable(true); }
};

GAME_IMPLEMENT_CLASS(DisruptableCostSkill, Skill);

namespace {

class ListOwner : public SkillsOwner {
public:
    void AddToActiveList(Skill* skill) override { active.insert(skill); }
    void RemoveFromActiveList(Skill* skill) override { active.erase(skill); }
    std::set<Skill*> active;
};

class SkillTest : public SkillsFixture {
protected:
    template <class Kind = Skill>
    Kind* Make(const std::vector<std::string>& lines, uint32_t level = 0)
    {
        Kind* skill = MakeSkill<Kind>(owner, lines);
        if (level != 0)
            skill->SetSkillLevel(level);
        return skill;
    }
    static std::pair<int32_t, int32_t> Cooldown(const Skill& skill)
    {
        return {skill.GetCooldownRemaining(), skill.GetCooldownTotal()};
    }
    static LevelSkill& Levels(Skill* skill) { return static_cast<LevelSkill&>(*skill); }

    ListOwner owner;
};

class SkillTextTest : public SkillTest {
protected:
    SkillsTexts texts{{"SimpleStringFormat", L"%s"}, {"tagFire", L"Fire"}};
};

using SkillCostsTest = SkillTest;

TEST_F(SkillTest, LevelsAugmentsAndTheActiveList)
{
    Skill* skill = MakeSkill<Skill>(
        owner, {"Class = LevelSkill", "skillMaxLevel = 8", "skillUltimateLevel = 12"},
        "Records/Skills/Bolt.dbr");

    skill->IncrementAugmentedSkillLevel(3);
    EXPECT_EQ(skill->GetCurrentLevel(), 0u) << "augments need a learnt skill";
    EXPECT_EQ(Available(*skill, true, true), Availability(false, 5));
    skill->DecrementAugmentedSkillLevel(5);
    EXPECT_EQ(skill->GetAugmentedLevel(), 0u);

    skill->IncrementAugmentedSkillLevel(10);
    skill->SetSkillLevel(5);
    EXPECT_EQ(skill->GetCurrentLevel(), 12u);
    EXPECT_EQ(owner.active.count(skill), 1u);

    // Climbing past the maximum stops there and tells once.
    owner.services.states.clear();
    skill->IncrementSkillLevel(100);
    EXPECT_EQ(skill->GetSkillLevel(), 8u);
    ASSERT_EQ(owner.services.states.size(), 1u);
    EXPECT_EQ(owner.services.states[0].skillLevel, 8u);
    skill->IncrementSkillLevel(1);
    Levels(skill).AddSkillLevel(-100);
    EXPECT_EQ(skill->GetSkillLevel(), 0u) << "signed: a negative step lowers the level";
    EXPECT_EQ(owner.services.states.size(), 2u);

    EXPECT_FALSE(skill->DecrementSkillLevel());
    EXPECT_EQ(owner.services.states.size(), 2u);
    skill->SetSkillLevel(1);
    EXPECT_TRUE(skill->DecrementSkillLevel());
    EXPECT_EQ(skill->GetSkillLevel(), 0u);
    EXPECT_EQ(owner.active.count(skill), 0u);
}

TEST_F(SkillTest, ReceivedStatesApplyOnMirrorsOrWhenForced)
{
    Skill* skill = Make({"Class = LevelSkill", "skillMaxLevel = 8", "skillUltimateLevel = 12"});
    owner.controlling = false;
    skill->IncrementAugmentedSkillLevel(2);
    skill->ReceiveStateUpdate(SkillState{4294967295u, true}, false);
    EXPECT_EQ(skill->GetCurrentLevel(), 12u) << "no wrap to a small level";
    EXPECT_EQ(owner.active.count(skill), 1u);

    owner.active.clear();
    owner.active.insert(skill);
    skill->ReceiveStateUpdate(SkillState{0, false}, false);
    EXPECT_EQ(owner.active.count(skill), 0u);

    // The controlling machine keeps its own level unless forced.
    owner.controlling = true;
    skill->ReceiveStateUpdate(SkillState{3, true}, false);
    EXPECT_EQ(skill->GetSkillLevel(), 0u);
    skill->ReceiveStateUpdate(SkillState{3, true}, true);
    EXPECT_EQ(skill->GetSkillLevel(), 3u);
}

TEST_F(SkillTest, AvailabilityTakesTheFirstFailingTest)
{
    Skill* skill = Make({"Class = LevelSkill", "skillMaxLevel = 3", "skillManaCost = 20",
                         "skillCooldownTime = 3", "Sword = 1"});
    skill->SetSkillLevel(1);
    owner.mana = 0.0f;
    owner.rightType = Weapon_Type_Sword;
    Levels(skill).SetCooldown(1000);

    EXPECT_EQ(Available(*skill, false, false), Availability(false, 2));
    EXPECT_EQ(Available(*skill, true, false), Availability(false, 1));
    EXPECT_FALSE(skill->UseDefaultWhenUnavailable());

    owner.rightType = Weapon_Type_Bow;
    EXPECT_EQ(Available(*skill, true, true), Availability(false, 4));
    EXPECT_TRUE(skill->UseDefaultWhenUnavailable());

    owner.rightType = Weapon_Type_Sword;
    owner.mana = 50.0f;
    EXPECT_EQ(Available(*skill, false, true), Availability(true, 0));
}

TEST_F(SkillTest, UpdateDecidesAvailabilityOnlyWhereItControls)
{
    Skill* skill = Make({"Class = LevelSkill", "skillMaxLevel = 3"});
    auto* character = NewCharacter();
    skill->SetSkillLevel(1);
    Levels(skill).SetCooldown(100);

    owner.controlling = false;
    skill->Update(*character, 40);
    EXPECT_EQ(skill->GetCooldownRemaining(), 60);
    EXPECT_FALSE(skill->GetSkillState().enabled);

    owner.controlling = true;
    owner.services.states.clear();
    skill->Update(*character, 60);
    EXPECT_TRUE(skill->GetSkillState().enabled);
    EXPECT_EQ(owner.services.states.size(), 1u);
    skill->Update(*character, 10);
    EXPECT_EQ(owner.services.states.size(), 1u) << "no change, nothing sent";
}

TEST_F(SkillTest, DistanceProfileAndCallbackPoints)
{
    Skill* skill = Make({"Class = LevelSkill", "distanceProfile = Long"});
    EXPECT_EQ(skill->GetRangeProfile(), 3);
    skill->LoadResources(Record("distanceProfile = far\n"));
    EXPECT_EQ(skill->GetRangeProfile(), 3);
    skill->LoadResources(Record("distanceProfile = Melee\n"));
    EXPECT_EQ(skill->GetRangeProfile(), 0);

    auto* character = NewCharacter();
    character->SetAttachPointPlacement(Name::Create("SpecialHit03"),
                                       Coords::FromTranslation({1.0f, 2.0f, 3.0f}));
    character->SetAttachPointPlacement(Name::Create("R Hand"),
                                       Coords::FromTranslation({4.0f, 0.0f, 0.0f}));
    const WorldCoords special =
        skill->GetCoordsFromCallback(*character, Name::Create("SpecialHit03"));
    EXPECT_FLOAT_EQ(special.GetRegionCoords().origin.y, 2.0f);
    const WorldCoords hand = skill->GetCoordsFromCallback(*character, Name::Create("RightHandHit"));
    EXPECT_FLOAT_EQ(hand.GetRegionCoords().origin.x, 4.0f);
    EXPECT_EQ(skill->GetCoordsFromCallback(*character, Name::Create("Hit")),
              character->GetCoords());
}

TEST_F(SkillTextTest, TooltipLinesOverEveryLevel)
{
    // Level 5 lies past the ultimate level: its list entries must never be shown.
    Skill* skill = Make({"Class = Skill", "skillDisplayName = tagFire",
                         "skillBaseDescription = tagFireText", "skillMaxLevel = 3",
                         "skillUltimateLevel = 4", "onHitActivationChance = 25;25;30;30;40",
                         "petLimit = 1;1;2;2;3", "skillManaCost = 0;0;0;0;5"});
    struct Row {
        uint32_t level;
        std::vector<std::wstring> current;
        std::vector<std::wstring> next;
    };
    const std::wstring chance25 = L"SkillPercentFormat 25 SkillActivationChance";
    const std::wstring chance30 = L"SkillPercentFormat 30 SkillActivationChance";
    const Row rows[] = {
        {0, {}, {L"tagNextLevel 1", chance25}},
        {2, {L"tagCurrentLevel 2", chance25}, {L"tagNextLevel 3", chance30, L"SkillPetLimit 2"}},
        {3, {L"tagCurrentLevel 3", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 4"}},
        {4, {L"tagCurrentLevel 4", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 5"}},
        {5, {L"tagCurrentLevel 4", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 5"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.level);
        skill->SetSkillLevel(row.level);
        std::vector<GameTextLine> heading;
        skill->CreateUISkillHeading(heading);
        ASSERT_EQ(heading.size(), 2u);
        EXPECT_EQ(heading[0].text, L"Fire");
        EXPECT_TRUE(heading[1].flag);

        std::vector<GameTextLine> current;
        skill->CreateUIParameterText(current);
        EXPECT_EQ(Texts(current), row.current);
        if (!current.empty()) {
            EXPECT_EQ(current[0].style, GameTextClass::SkillLevelTitles);
            EXPECT_EQ(current.back().style, GameTextClass::SkillStatsCurrent);
        }
        std::vector<GameTextLine> next;
        skill->CreateUINextParameterText(next);
        EXPECT_EQ(Texts(next), row.next);
        EXPECT_EQ(next.back().style, row.next.size() == 1 ? GameTextClass::SkillLevelTitles
                                                          : GameTextClass::SkillStatsNext);
    }
}

TEST_F(SkillCostsTest, ManaCostMergesModifiersAndNeverGoesBelowZero)
{
    Skill* skill = Make({"Class = Skill", "skillMaxLevel = 2", "skillManaCost = 20;30",
                         "skillManaCostReduction = 10"},
                        1);
    owner.skillAttributes[SkillAttribute_ManaCostReduction] = 15.0f;
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 15.0f) << "own 10 % and the owner's 15 %";

    owner.skillAttributes[SkillAttribute_ManaCostReduction] = 140.0f;
    EXPECT_FLOAT_EQ(skill->GetManaCost(), 0.0f) << "150 % costs nothing, not -10";

    // Modifier numbers add in at the modifier's own level; other kinds and stale ids do not.
    owner.skillAttributes[SkillAttribute_ManaCostReduction] = -10.0f;
    auto* modifier = Make<Skill_Modifier>({"skillMaxLevel = 2", "skillManaCost = 5;7"}, 2);
    Skill* plain = Make({"Class = Skill", "skillMaxLevel = 1", "skillManaCost = 100"}, 1);
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
    Skill* skill = Make({"Class = Skill", "skillMaxLevel = 1", "skillCooldownTime = 3"}, 1);
    owner.skillAttributes[SkillAttribute_CooldownReduction] = 50.0f;
    EXPECT_FLOAT_EQ(skill->GetCooldownCompletion(), 1.0f) << "total 0";
    skill->StartCooldown();
    EXPECT_EQ(Cooldown(*skill), std::make_pair(1500, 1500));

    skill->EndCooldown();
    EXPECT_EQ(Cooldown(*skill), std::make_pair(0, 1500));

    skill->ReplaceCooldownTime(1400.0f);
    skill->ReplaceCooldownTime(1000.0f);
    EXPECT_EQ(Cooldown(*skill), std::make_pair(1400, 1400)) << "never shortened";
    skill->ReplaceCooldownTime(2000.0f);
    EXPECT_EQ(Cooldown(*skill), std::make_pair(2000, 2000));
    auto* character = NewCharacter();
    skill->Update(*character, 500);
    EXPECT_FLOAT_EQ(skill->GetCooldownCompletion(), 0.25f);

    // A base skill is not disruptable; a disruptable one lengthens, never shortens.
    skill->ApplyDisruptionCooldownTime(5000.0f);
    EXPECT_EQ(skill->GetCooldownRemaining(), 1500);
    auto* disruptable = Make<DisruptableCostSkill>({"skillMaxLevel = 1"}, 1);
    disruptable->ApplyDisruptionCooldownTime(800.0f);
    EXPECT_EQ(disruptable->GetCooldownRemaining(), 800);
    disruptable->ApplyDisruptionCooldownTime(300.0f);
    EXPECT_EQ(disruptable->GetCooldownRemaining(), 800);
}

TEST_F(SkillCostsTest, TinyHugeAndBrokenCooldownTimes)
{
    // 0.1 ms is too short to start; anything longer starts.
    Skill* tiny =
        Make({"Class = Skill", "skillMaxLevel = 2", "skillCooldownTime = 0.0001;0.0002"}, 1);
    tiny->StartCooldown();
    EXPECT_EQ(tiny->GetCooldownTotal(), 0);
    tiny->SetSkillLevel(2);
    tiny->StartCooldown();
    EXPECT_EQ(tiny->GetCooldownTotal(), 0) << "0.2 ms truncates to 0";

    // Seconds far beyond the integer range saturate instead of wrapping.
    Skill* huge = Make({"Class = Skill", "skillMaxLevel = 1", "skillCooldownTime = 1e30"}, 1);
    huge->StartCooldown();
    EXPECT_EQ(Cooldown(*huge), std::make_pair(INT32_MAX, INT32_MAX));

    tiny->ReplaceCooldownTime(std::numeric_limits<float>::quiet_NaN());
    tiny->ReplaceCooldownTime(-50.0f);
    EXPECT_EQ(Cooldown(*tiny), std::make_pair(0, 0));
}

TEST_F(SkillCostsTest, CombatParametersAddTheRacialBonus)
{
    CombatLogOn trace;
    Skill* skill = Make({"Class = Skill", "skillMaxLevel = 1", "skillManaCost = 20",
                         "offensiveFireMin = 40", "racialBonusRace = Undead",
                         "racialBonusPercentDamage = 10", "racialBonusAbsoluteDamage = 7"},
                        1);
    owner.offensiveAbility = 321.0f;
    database.WriteRecord("Records/Creatures/Ghoul.dbr",
                         {"Class = Character", "characterRacialProfile = Undead"});
    database.WriteRecord("Records/Creatures/Wolf.dbr",
                         {"Class = Character", "characterRacialProfile = Beast"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* attacker = NewCharacter();
    auto* ghoul = objects.CreateObjectFromFile<Character>("Records/Creatures/Ghoul.dbr");
    auto* wolf = objects.CreateObjectFromFile<Character>("Records/Creatures/Wolf.dbr");

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
        Make({"Class = Skill", "skillMaxLevel = 1", "explosionRadius = 2",
              "projectilePiercing = 10", "projectileExplosionRadius = 1.5",
              "projectilePiercingChance = 5", "projectileFragmentsName = shard.dbr",
              "projectileFragmentsLaunchNumberMin = 2", "projectileFragmentsLaunchNumberMax = 4"},
             0);
    auto* modifier = Make<Skill_Modifier>({"skillMaxLevel = 1", "projectilePiercing = 20"}, 1);
    auto* rider = Make<Skill>(
        {"Class = Skill_ProjectileModifier", "skillMaxLevel = 1", "projectilePiercingChance = 30"},
        1);
    skill->AddModifier(modifier->GetObjectId());
    skill->AddModifier(rider->GetObjectId());
    auto* projectile = Made(
        DynamicCast<ProjectileBase>(ObjectManager::Instance().CreateObject("ProjectileBase")), "");

    skill->AddProjectileModifier(projectile);
    EXPECT_EQ(projectile->GetModifierCount(), 0u) << "level 0 adds nothing";

    skill->SetSkillLevel(1);
    skill->AddProjectileModifier(projectile);
    const auto& added = projectile->GetModifierCopies();
    ASSERT_EQ(added.size(), 2u) << "its own, then the projectile modifier's";
    EXPECT_FLOAT_EQ(added[0].explosionRadius, 3.5f);
    EXPECT_FLOAT_EQ(added[0].piercingChance, 35.0f) << "own 10 + modifier 20 + chance 5";
    EXPECT_EQ(added[0].fragmentsName, "shard.dbr");
    EXPECT_EQ(added[1].ownerSkillId, rider->GetObjectId());
    EXPECT_FLOAT_EQ(added[1].piercingChance, 30.0f);
}

} // namespace

} // namespace GAME::Test
