#include "skills/Skill.h"

#include "engine/Coords.h"
#include "engine/Name.h"
#include "skills/SkillActivated.h"
#include "skills/SkillActivatedWeaponPool.h"
#include "skills/SkillAttributeType.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/Skill_Modifier.h"
#include "skills/Skill_WPAttack.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileBase.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

namespace GAME::Test {

// Records what the damage application hands over for each target.
class ActivatedProbe : public SkillActivated {
    GAME_DECLARE_CLASS(ActivatedProbe)

public:
    struct Collected {
        ParametersCombatStyle style;
        bool collectEquipment;
        uint32_t weaponId;
        float share;
    };
    void CollectCombatParameters(const Character&, Character*, ParametersCombatStyle style,
                                 bool collectEquipment, uint32_t weaponId, ParametersCombat&,
                                 float share) override
    {
        collected.push_back({style, collectEquipment, weaponId, share});
    }
    std::vector<Collected> collected;
};
GAME_IMPLEMENT_CLASS(ActivatedProbe, SkillActivated);

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

TEST_F(SkillTest, TooltipPastTheUltimateLevelShowsTheUltimateLevel)
{
    const SkillsTexts texts{{"SimpleStringFormat", L"%s"}};
    // Level 5 lies past the ultimate level: its list entries must never be shown.
    Skill* skill = Make({"Class = Skill", "skillMaxLevel = 3", "skillUltimateLevel = 4",
                         "onHitActivationChance = 25;25;30;30;40", "petLimit = 1;1;2;2;3",
                         "skillManaCost = 0;0;0;0;5"},
                        5);
    std::vector<GameTextLine> current;
    skill->CreateUIParameterText(current);
    EXPECT_EQ(Texts(current),
              (std::vector<std::wstring>{L"tagCurrentLevel 4",
                                         L"SkillPercentFormat 30 SkillActivationChance",
                                         L"SkillPetLimit 2"}));
    std::vector<GameTextLine> next;
    skill->CreateUINextParameterText(next);
    EXPECT_EQ(Texts(next), std::vector<std::wstring>{L"tagNextLevel 5"});
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
    Skill* skill = Make({"Class = Skill", "skillMaxLevel = 1", "skillManaCost = 20",
                         "offensiveFireMin = 40", "racialBonusRace = Undead",
                         "racialBonusPercentDamage = 10", "racialBonusAbsoluteDamage = 7"},
                        1);
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

    // Another race: no bonus, and the damage percent 0 passes unchanged.
    ParametersCombat plain(generator);
    skill->CollectCombatParameters(*attacker, wolf, ParametersCombatStyle_Projectile, false, 0,
                                   plain, 0.0f);
    absolute = 0.0f;
    plain.attributes.GetTotalDamage(absolute, overTime);
    EXPECT_FLOAT_EQ(absolute, 40.0f);
    EXPECT_FLOAT_EQ(plain.racialBonusDamage, 0.0f);
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
    EXPECT_EQ(added[1].ownerSkillId, rider->GetObjectId());
    EXPECT_FLOAT_EQ(added[1].piercingChance, 30.0f);
}

class SkillTargetsTest : public SkillsCasterFixture<> {
protected:
    void SetUp() override
    {
        SkillsCasterFixture::SetUp();
        skill =
            Made(DynamicCast<Skill>(ObjectManager::Instance().CreateObject("Skill")), "a skill");
        skill->SetManager(&owner);
    }

    Skill* skill = nullptr;
};

TEST_F(SkillTargetsTest, FriendSearchPrefersOthersThenTheCaster)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, caster->GetObjectId()) << "only the caster is near";

    target = 0;
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(50), false, 5.0f, false));
    EXPECT_EQ(target, 0u) << "nobody around the point";

    Character* ally = Place({2, 0, 0}, kSide);
    Character* foe = Place({3, 0, 0}, TeamManager::DefaultMonsterTeam());
    target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, ally->GetObjectId());

    target = foe->GetObjectId();
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(0), true, 5.0f, false));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, MeleeAndRangedSearches)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "finding nobody is no failure";

    Character* ally = Place({1, 0, 0}, kSide);
    Character* foe = Place({20, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "the foe is out of reach of the caster";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "around the point";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "a given foe stays";

    target = 0;
    EXPECT_FALSE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f, true));
    EXPECT_EQ(target, 0u) << "keep-given checks the 0 instead of searching";

    target = ally->GetObjectId();
    EXPECT_FALSE(skill->GetValidRangedTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
    // The ranged search ignores "around self": it looks around the point.
    EXPECT_TRUE(skill->GetValidRangedTarget(*caster, target, At(21), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId());

    EXPECT_TRUE(skill->GetValidTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, RangeSubtractsBothExtents)
{
    // Default extents are 0.5 each: 10 apart is 9 between the edges.
    Character* other = Place({10, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->IsTargetInRange(*caster, other->GetObjectId(), 9.0f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, other->GetObjectId(), 8.9f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, 999999, 1000.0f));
}

class ControllingOwner : public SkillsOwner {
public:
    float GetAttackSpeed() const override { return 1.0f; }
    // Notes the pool's first draw and answers the attack the test set.
    uint32_t SelectWeaponPoolSkill(RandomUniform& random) override
    {
        draws.push_back(random.IGenerate(0, 1000000));
        return attackId;
    }
    std::vector<int> draws;
    uint32_t attackId = 0;
};

class SkillActivatedTest : public SkillsCasterFixture<ControllingOwner> {
protected:
    template <class Kind = ActivatedProbe> Kind* Make(const std::vector<std::string>& lines = {})
    {
        return Learnt<Kind>(lines);
    }
    uint32_t FoeId(const Vec3& position) { return Foe(position)->GetObjectId(); }
    std::vector<SkillsSent::Result>& Results() { return owner.services.results; }
};

TEST_F(SkillActivatedTest, MeleeWithoutAngleHitsOneInTheNarrowCone)
{
    auto* skill = Make({"skillMaxLevel = 1"});
    const uint32_t near = FoeId({0, 0, 1.0f});
    const uint32_t farther = FoeId({0, 0, 2.0f});
    FoeId({0, 0, -1.0f}); // behind
    FoeId({0, 0, 2.8f});  // beyond 2.5

    ASSERT_TRUE(skill->ExecuteMeleeAttack(*caster, 0, At(0, 0), 77));
    ASSERT_EQ(Results().size(), 1u);
    ASSERT_EQ(Results()[0].targets.size(), 1u);
    EXPECT_TRUE(Results()[0].targets[0] == near || Results()[0].targets[0] == farther);
}

TEST_F(SkillActivatedTest, MeleeTargetNumberCutsTheConeAndKeepsTheTarget)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillTargetAngle = 40", "skillTargetNumber = 3"});
    auto* negative = Make({"skillMaxLevel = 1", "skillTargetAngle = 40", "skillTargetNumber = -2"});
    const uint32_t kept = FoeId({0, 0, 2.0f});
    std::vector<uint32_t> cone;
    for (float x : {-0.4f, -0.2f, 0.0f, 0.2f, 0.4f})
        cone.push_back(FoeId({x, 0, 1.2f}));

    ASSERT_TRUE(skill->ExecuteMeleeAttack(*caster, kept, At(0, 0), 0));
    const std::vector<uint32_t>& sent = Results()[0].targets;
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2], kept);
    EXPECT_NE(std::find(cone.begin(), cone.end(), sent[1]), cone.end());

    // Below 0 counts as no limit: all five and the kept one.
    ASSERT_TRUE(negative->ExecuteMeleeAttack(*caster, kept, At(0, 0), 0));
    ASSERT_EQ(Results()[1].targets.size(), 6u);
    EXPECT_EQ(Results()[1].targets[5], kept);
}

TEST_F(SkillActivatedTest, ThreeShotsAtALoneTargetChargeOnlyTheFirst)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillProjectileNumber = 3"});
    const uint32_t target = FoeId({0, 0, 20.0f});
    owner.services.IncHitIteration();

    ASSERT_TRUE(skill->ExecuteRangedAttack(*caster, caster->GetCoords(), target, At(0, 20.0f), 5));
    const auto& shots = owner.services.launches;
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_EQ(shots[0].target, target);
    EXPECT_EQ(shots[0].hitIteration, 1u);
    for (size_t shot = 1; shot < 3; ++shot) {
        const Vec3& aim = shots[shot].aim.GetRegionPosition();
        EXPECT_EQ(shots[shot].target, 0u);
        EXPECT_EQ(shots[shot].hitIteration, 0u);
        EXPECT_LE(std::fabs(aim.x), 2.0f);
        EXPECT_LE(std::fabs(aim.z - 20.0f), 2.0f);
        EXPECT_TRUE(aim.y >= -0.8f && aim.y <= 0.0f) << aim.y;
    }
}

TEST_F(SkillActivatedTest, AreaAimedTwentyAwayFindsOnlyTheKeptTargetAndAMirrorNothing)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillTargetRadius = 3", "skillProjectileNumber = 2"});
    const uint32_t kept = FoeId({0, 0, 3.0f});
    const uint32_t nearPoint = FoeId({1.0f, 0, 10.0f});
    FoeId({0, 0, 21.0f});

    ASSERT_TRUE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 20.0f)));
    EXPECT_EQ(Results()[0].targets, std::vector<uint32_t>{kept});

    ASSERT_TRUE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 10.0f)));
    EXPECT_EQ(Results()[1].targets, (std::vector<uint32_t>{nearPoint, kept}));

    owner.controlling = false;
    EXPECT_FALSE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 10.0f)));
    EXPECT_FALSE(skill->ExecuteMeleeAttack(*caster, kept, At(0, 1), 0));
    EXPECT_FALSE(skill->ExecuteRangedAttack(*caster, caster->GetCoords(), kept, At(0, 1), 0));
    EXPECT_EQ(Results().size(), 2u);
    EXPECT_TRUE(owner.services.launches.empty());
}

TEST_F(SkillActivatedTest, DamageRollsOneGeneratorPerResult)
{
    auto* skill = Make({"skillMaxLevel = 1"});
    auto* first = Place<SkillsTarget>({0, 0, 1}, kSide, "SkillsTarget");
    auto* second = Place<SkillsTarget>({0, 0, 2}, kSide, "SkillsTarget");
    const std::vector<uint32_t> targets{first->GetObjectId(), 999999, second->GetObjectId()};

    skill->ApplyMeleeDamageInherent(*caster, targets, caster->GetCoords(), 4242);
    skill->ApplyMeleeDamageInherent(*caster, targets, caster->GetCoords(), 4242);
    ASSERT_EQ(first->attacks.size(), 2u);
    EXPECT_EQ(first->attacks[0].roll, first->attacks[1].roll) << "the same seed rolls alike";
    EXPECT_NE(first->attacks[0].roll, second->attacks[0].roll)
        << "the generator runs on between targets";
    ASSERT_EQ(skill->collected.size(), 4u) << "an unknown id is skipped";
    // Three ids share 100 in whole percents, though only two are characters.
    EXPECT_FLOAT_EQ(skill->collected[0].share, 33.0f);
    EXPECT_FALSE(skill->collected[0].collectEquipment);

    skill->collected.clear();
    skill->ApplyRangedDamage(*caster, {first->GetObjectId()}, caster->GetCoords(), 1, 9);
    skill->ApplyMeleeDamageInherent(*caster, {first->GetObjectId()}, caster->GetCoords(), 1);
    ASSERT_EQ(skill->collected.size(), 2u);
    EXPECT_EQ(skill->collected[0].style, ParametersCombatStyle_Projectile);
    EXPECT_TRUE(skill->collected[0].collectEquipment);
    EXPECT_EQ(skill->collected[0].weaponId, 9u);
    EXPECT_FLOAT_EQ(skill->collected[1].share, 0.0f) << "a lone target takes no share";
}

TEST_F(SkillActivatedTest, PoolDrawsAlikeFromTheSeedAndHandsOverToTheAttack)
{
    auto* pool = Make<SkillActivatedWeaponPool>({"skillMaxLevel = 1"});
    pool->Update(*caster, 0);
    ASSERT_TRUE(pool->IsSkillEnabled());
    EXPECT_FALSE(pool->StartAction(*caster, 0, At(0, 0), 12)) << "nothing drawn";
    EXPECT_TRUE(pool->EndAction(*caster)) << "no attack to end";

    auto* attack = Make<Skill_WPAttack>({"skillMaxLevel = 1"});
    owner.attackId = attack->GetObjectId();
    pool->StartAction(*caster, 0, At(0, 0), 12);
    pool->StartAction(*caster, 0, At(0, 0), 13);
    ASSERT_EQ(owner.draws.size(), 3u);
    EXPECT_EQ(owner.draws[0], owner.draws[1]) << "one seed, one draw on every machine";
    EXPECT_NE(owner.draws[1], owner.draws[2]);
    EXPECT_EQ(pool->GetCurrentAttackId(), attack->GetObjectId());
    EXPECT_EQ(attack->GetParentSkillId(), pool->GetObjectId());
}

} // namespace

} // namespace GAME::Test
