#include "skills/SkillProfile.h"

#include "characters/AttributePak.h"
#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeStore_Equipment.h"
#include "skills/SkillAttributeStore_Skill.h"
#include "skills/SkillAttributeVal.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillProfile_ProjectileModifiers.h"
#include "tests/support/PlacedOwnerFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/SeededRandom.h"
#include "tests/support/SkillsFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace GAME::Test {

namespace {

class SkillProfileTest : public GameEngineFixture {
protected:
    SkillProfile Loaded(const std::string& text)
    {
        SkillProfile profile;
        profile.LoadProfile(Record(text));
        return profile;
    }
};

TEST_F(SkillProfileTest, LevelsAndPerLevelLookup)
{
    Start({"skillMasteryTierLevel = 1;10;20"});
    const SkillProfile tenLevels =
        Loaded("skillMaxLevel = 10\nskillTier = 2\nskillManaCost = 1;2;3;4;5;6;7;8;9;10;11");
    EXPECT_EQ(tenLevels.GetMaxLevel(), 10u);
    EXPECT_EQ(tenLevels.GetUltimateLevel(), 10u);
    EXPECT_EQ(tenLevels.GetMasteryLevelRequirement(), 10u);
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(10).GetManaCost(), 10.0f);
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(11).GetManaCost(), 10.0f)
        << "ten records: the eleventh entry is never read";
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(0).GetManaCost(), 0.0f);

    const SkillProfile none = Loaded("skillMaxLevel = 0\nskillUltimateLevel = 0");
    for (const uint32_t level : {0u, 1u, 5u, 300u}) {
        EXPECT_EQ(none.GetChanceWeight(level), 0u);
        EXPECT_EQ(&none.GetSkillModifierData(level), &none.GetSkillModifierData(0));
    }

    const SkillProfile three = Loaded("skillLifeBonus = 1;2;3\nspawnObjects = a;b;c");
    for (const auto& [level, bonus] : {std::pair{1u, 1.0f}, {3u, 3.0f}, {7u, 3.0f}, {0u, 0.0f}})
        EXPECT_FLOAT_EQ(three.GetLifeBonus(level), bonus) << level;
    EXPECT_EQ(three.GetSpawnObject(7), "c");
}

TEST_F(SkillProfileTest, SecondsBecomeMilliseconds)
{
    Start();
    const SkillProfile profile =
        Loaded("skillProjectileHitTimeToLive = 2.5\nactorScaleTime = 0.25\n"
               "spawnObjectsTimeToLive = 1e30");
    EXPECT_EQ(profile.GetProjectileHitTimeToLive(1), 2500);
    EXPECT_EQ(profile.GetActorScaleTime(), 250);
    EXPECT_EQ(profile.GetSpawnObjectTimeToLive(1), INT32_MAX) << "saturates";
}

TEST_F(SkillProfileTest, WeaponAndDamageQualifiers)
{
    Start();
    EXPECT_TRUE(Loaded("").IsQualifyingDamage(CombatAttributeType_Poison)) << "none: all qualify";
    const SkillProfile fire = Loaded("fireDamageQualifier = 1");
    EXPECT_TRUE(fire.IsQualifyingDamage(CombatAttributeType_Fire));
    EXPECT_FALSE(fire.IsQualifyingDamage(CombatAttributeType_Cold));

    const SkillProfile both = Loaded("elementalDamageQualifier = 1\nfireDamageQualifier = 1");
    EXPECT_TRUE(both.IsQualifyingDamage(CombatAttributeType_Lightning));
}

TEST_F(SkillProfileTest, RecordCountsStayInBounds)
{
    Start();
    log.Clear();
    const SkillProfile negative =
        Loaded("skillMaxLevel = -4\nskillUltimateLevel = -1\nskillChanceWeight = -5;7\n"
               "petLimit = -2\nskillProjectileNumber = -3\nallSkillEnhancement = -1");
    EXPECT_EQ(negative.GetMaxLevel(), 0u);
    EXPECT_EQ(negative.GetUltimateLevel(), 0u);
    EXPECT_EQ(negative.GetChanceWeight(1), 0u);
    EXPECT_EQ(negative.GetChanceWeight(2), 7u);
    EXPECT_EQ(negative.GetPetLimit(1), 0u);
    EXPECT_EQ(negative.GetNumberOfProjectiles(), 1u);
    EXPECT_EQ(Loaded("skillProjectileNumber = 0").GetNumberOfProjectiles(), 1u) << "still one shot";
    EXPECT_FLOAT_EQ(negative.GetSkillEnhancement(1), 0.0f);
    EXPECT_TRUE(log.GetLines().empty());

    const SkillProfile huge =
        Loaded("skillMaxLevel = 300\nskillUltimateLevel = 40\nskillProjectileNumber = 1000");
    EXPECT_EQ(huge.GetMaxLevel(), 255u);
    EXPECT_EQ(huge.GetUltimateLevel(), 255u);
    EXPECT_EQ(huge.GetNumberOfProjectiles(), 256u);
    EXPECT_EQ(1u,
              log.Count(Engine::LogData,
                        "SkillProfile: 'skillMaxLevel' of record 'test.dbr' is 300, cut to 255"));
}

template <class Modifiers> Modifiers Level(const std::string& text)
{
    std::vector<Modifiers> levels(1);
    Modifiers::LoadLevels(Record(text), levels);
    return levels.front();
}

TEST(SkillProfileModifiers, SumsAddEveryFieldButTheNameAndIntegersStopAtTheirRange)
{
    auto sum = Level<SkillProfile_Modifiers>("skillManaCost = 1.5\nskillTargetNumber = 2147483000\n"
                                             "projectileLaunchNumber = -2147483000\n"
                                             "skillCooldownTime = 1\n");
    sum += Level<SkillProfile_Modifiers>(
        "skillManaCost = 2\nskillTargetNumber = 1000\nprojectileLaunchNumber = -1000\n"
        "skillCooldownTime = 2\nprojectileLaunchRotation = 15\n");
    EXPECT_EQ(sum.GetManaCost(), 3.5f);
    EXPECT_EQ(sum.GetCooldownTime(), 3.0f);
    EXPECT_EQ(sum.GetProjectileLaunchRotation(), 15.0f);
    EXPECT_EQ(sum.GetTargetNumber(), INT32_MAX);
    EXPECT_EQ(sum.GetProjectileLaunchNumber(), INT32_MIN);

    auto projectile =
        Level<SkillProfile_ProjectileModifiers>("projectileFragmentsLaunchNumberMin = 1\n"
                                                "projectileExplosionRadius = 0.5\n");
    projectile += Level<SkillProfile_ProjectileModifiers>(
        "projectileFragmentsName = Records/Shard.dbr\n"
        "projectileFragmentsLaunchNumberMin = 2\nprojectileFragmentsLaunchNumberMax = 3\n"
        "projectileExplosionRadius = 1\nprojectilePiercingChance = 7\n");
    EXPECT_EQ(projectile.GetFragmentsName(), "") << "the receiver's name stays";
    EXPECT_EQ(projectile.GetFragmentsLaunchNumberMin(), 3);
    EXPECT_EQ(projectile.GetExplosionRadius(), 1.5f);
    EXPECT_EQ(projectile.GetPiercingChance(), 7.0f);
}

class SkillLevelListsTest : public PlacedOwnerFixture {
protected:
    template <typename T = Skill> T* MakeSkill(const std::string& kind, const std::string& lines)
    {
        return Owned<T>({"Class = " + kind, lines});
    }
};

TEST_F(SkillLevelListsTest, CostAndCooldownWrittenOnceServeEveryLevel)
{
    const struct {
        const char* lines;
        float mana[3];
        int32_t cooldownMs[3];
    } rows[] = {{"skillManaCost = 7\nskillCooldownTime = 2", {7, 7, 7}, {2000, 2000, 2000}},
                {"skillManaCost = 5;6\nskillCooldownTime = 1;1.5", {5, 6, 6}, {1000, 1500, 1500}}};
    for (const auto& row : rows) {
        Skill* skill = MakeSkill("Skill", row.lines);
        for (uint32_t level = 1; level <= 3; ++level) {
            SCOPED_TRACE(std::string(row.lines) + " at level " + std::to_string(level));
            skill->SetSkillLevel(level);
            EXPECT_FLOAT_EQ(skill->GetManaCost(), row.mana[level - 1]);
            skill->EndCooldown();
            skill->StartCooldown();
            EXPECT_EQ(skill->GetCooldownTotal(), row.cooldownMs[level - 1]);
        }
    }
}

using IntCalls = std::vector<std::pair<int, int>>;

std::vector<float> Values(const SkillAttribute& attribute, uint32_t levels)
{
    std::vector<float> values;
    for (uint32_t level = 1; level <= levels; ++level)
        values.push_back(attribute.GetValue(level));
    return values;
}

TEST(SkillAttribute, AffixesReadValueAndChanceAndJitterByTheirOwnPercentage)
{
    const LoadTable affix = Record("skillManaCostReduction = 31\nlootRandomizerJitter = 10\n"
                                   "skillManaCostReductionChance = 40\n");
    SkillAttributeVal_ManaCostReduction attribute;
    ScriptedRandom random;
    random.ints = {2, -3};
    attribute.LoadPrefixTable(affix, &random);
    attribute.LoadSuffixTable(affix, &random);
    EXPECT_EQ(attribute.GetPrefixValue(), 33.0f);
    EXPECT_EQ(attribute.GetSuffixValue(), 28.0f);
    EXPECT_EQ(attribute.GetSuffixChance(), 40.0f);
    EXPECT_EQ(random.intCalls, (IntCalls{{-3, 3}, {-3, 3}}));
}

TEST(SkillAttribute, JitterRollsWholeUnitsAndNeverWipesAValueOut)
{
    SkillAttributeVal_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReduction = 3;3;3;1;1;0\n"));
    attribute.LoadPrefixTable(Record("skillCooldownReduction = 5\n"), nullptr);
    ScriptedRandom random;
    random.ints = {-1, 0, 1, -1, 1};
    attribute.AddJitter(10.0f, &random);
    // Three by ten percent is less than one whole unit: the range is one either way.
    EXPECT_EQ(Values(attribute, 6), (std::vector<float>{2, 3, 4, 1, 2, 0}));
    EXPECT_EQ(random.intCalls, (IntCalls(5, {-1, 1})));
    EXPECT_EQ(attribute.GetPrefixValue(), 5.0f);

    for (const float percent : {0.0f, -5.0f}) {
        attribute.AddJitter(percent, &random);
        attribute.AddJitter(10.0f, nullptr);
    }
    EXPECT_EQ(random.intCalls.size(), 5u);
}

TEST(SkillAttribute, JitterIsLimitedToHalfAndSaturatesHugeValues)
{
    SkillAttributeVal_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReduction = 100;-31;1e10;-1e10\n"));
    ScriptedRandom random;
    random.ints = {49, 0, 0, 0};
    attribute.AddJitter(80.0f, &random);
    EXPECT_EQ(attribute.GetValue(1), 149.0f);
    // 50 x 0.01f x 100 is 49.9999989 and truncates to 49, as the character attributes roll.
    EXPECT_EQ(random.intCalls,
              (IntCalls{{-49, 49}, {15, -15}, {-INT_MAX, INT_MAX}, {INT_MAX, -INT_MAX}}));
}

TEST(SkillAttribute, ScaleAddsWholeUnitsToEveryValue)
{
    SkillAttributeMod_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReductionModifier = 7;-7;1e10\n"));
    attribute.LoadPrefixTable(Record("skillCooldownReductionModifier = 4\n"), nullptr);
    attribute.LoadSuffixTable(Record("skillCooldownReductionModifier = 1\n"), nullptr);

    attribute.ScaleAttribute(0.0f);
    EXPECT_EQ(Values(attribute, 3), (std::vector<float>{7, -7, 1e10f}));

    attribute.ScaleAttribute(50.0f);
    EXPECT_EQ(Values(attribute, 3),
              (std::vector<float>{10, -10, 1e10f + static_cast<float>(INT_MAX)}));
    // 50 x 0.01f x 4 is 1.99999996 and truncates to 1.
    EXPECT_EQ(attribute.GetPrefixValue(), 5.0f);
    EXPECT_EQ(attribute.GetSuffixValue(), 1.0f);
}

TEST(SkillAttribute, TotalRollsLevelPrefixAndSuffixInThatOrderThreeDrawsAlways)
{
    SkillAttributeVal_ProjectileSpeedModifier attribute;
    attribute.LoadBaseTable(
        Record("skillProjectileSpeedModifier = 10;20\nskillProjectileSpeedModifierChance = 50\n"));
    attribute.LoadPrefixTable(
        Record("skillProjectileSpeedModifier = 5\nskillProjectileSpeedModifierChance = 30\n"),
        nullptr);
    attribute.LoadSuffixTable(Record("skillProjectileSpeedModifier = 2\n"), nullptr);

    ScriptedRandom random;
    random.floats = {50.5f, 30.5f, 99.0f, 50.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(attribute.GetTotalValue(random, 1), 2.0f);
    EXPECT_EQ(attribute.GetTotalValue(random, 3), 27.0f);
    EXPECT_EQ(attribute.GetTotalValue(random, 0), 7.0f);
    EXPECT_EQ(random.floatCalls, (std::vector<std::pair<float, float>>(9, {0.0f, 100.0f})));
}

TEST(SkillAttribute, CostCountsTheItemsValueAndThePositiveAffixes)
{
    const LoadTable prefix =
        Record("skillCooldownReduction = 5\nskillCooldownReductionModifier = 5");
    const LoadTable suffix =
        Record("skillCooldownReduction = -3\nskillCooldownReductionModifier = 3");
    SkillAttributeVal_CooldownReduction value;
    value.LoadBaseTable(Record("skillCooldownReduction = 10;20\n"));
    SkillAttributeMod_CooldownReduction modifier;
    modifier.LoadBaseTable(Record("skillCooldownReductionModifier = 15;25\n"));
    for (SkillAttribute* attribute :
         {static_cast<SkillAttribute*>(&value), static_cast<SkillAttribute*>(&modifier)}) {
        attribute->LoadPrefixTable(prefix, nullptr);
        attribute->LoadSuffixTable(suffix, nullptr);
    }

    CostInfo_SkillAttributes info;
    value.GetCostInfo(info);
    EXPECT_EQ(info.base, 10.0f);
    EXPECT_EQ(info.bonus, 5.0f);
    EXPECT_EQ(info.bonusCount, 1);
    modifier.GetCostInfo(info);
    EXPECT_EQ(info.modifier, 15.0f);
    EXPECT_EQ(info.bonus, 5.0f);
    EXPECT_EQ(info.bonusCount, 3);
}

// The store's attributes as their family and type, in store order.
std::vector<std::string> Kinds(const SkillAttributeStore& store)
{
    std::vector<std::string> kinds;
    for (const auto& attribute : store.GetAttributes()) {
        const bool modifier = dynamic_cast<const SkillAttributeMod*>(attribute.get()) != nullptr;
        kinds.push_back((modifier ? "Mod" : "Val") + std::to_string(attribute->GetType()));
    }
    return kinds;
}

// The generator's state after `draws` draws from the seed, whatever they were.
uint32_t StateAfter(uint32_t seed, int draws)
{
    RandomUniform random = Seeded(seed);
    for (int i = 0; i < draws; ++i)
        random.FGenerate(0.0f, 100.0f);
    return random.GetState();
}

TEST(SkillAttributeStore, LoadsItsKindsInTheirOrderAndDropsALoneZero)
{
    SkillAttributeStore_Skill store;
    store.Load(Record("skillManaCostReductionModifier = 1\nskillProjectileSpeedModifier = 1\n"
                      "skillCooldownReductionModifier = 1\nskillManaCostReduction = 1\n"
                      "skillCooldownReduction = 1\n"));
    EXPECT_EQ(Kinds(store), (std::vector<std::string>{"Val1", "Val2", "Val3", "Mod1", "Mod2"}));

    store.Load(Record("skillCooldownReduction = 0\nskillManaCostReduction = 0;0\n"
                      "skillProjectileSpeedModifierChance = 50\n"));
    EXPECT_EQ(Kinds(store), std::vector<std::string>{"Val2"});
}

TEST(SkillAttributeStore, EquipmentRollsItsAffixesOnTheStoresGenerator)
{
    const LoadTable record = Record("skillCooldownReduction = 10\n");
    const LoadTable prefix = Record("skillManaCostReduction = 20\nlootRandomizerJitter = 10\n"
                                    "skillManaCostReductionChance = 30\n");
    const LoadTable suffix = Record("skillCooldownReductionModifier = 40\n");

    SkillAttributeStore_Equipment store;
    store.Load(record, &prefix, &suffix, false);
    EXPECT_EQ(Kinds(store), (std::vector<std::string>{"Val1", "Val2", "Mod1"}));

    // Only the two affix values roll; an affix without a jitter percentage still moves a unit.
    RandomUniform random = Seeded(5);
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, true);
    RandomUniform expected = Seeded(5);
    const float prefixValue = 20.0f + static_cast<float>(expected.IGenerate(-1, 1));
    const float suffixValue = 40.0f + static_cast<float>(expected.IGenerate(-1, 1));
    EXPECT_EQ(random.GetState(), expected.GetState());

    EXPECT_EQ(store.GetAttributes()[1]->GetPrefixValue(), prefixValue);
    EXPECT_EQ(store.GetAttributes()[2]->GetSuffixValue(), suffixValue);

    CostInfo_SkillAttributes info;
    store.GetCostInfo(info);
    EXPECT_EQ(info.base, 10.0f);
    EXPECT_EQ(info.bonus, prefixValue);
    EXPECT_EQ(info.bonusCount, 2);
}

TEST(SkillAttributeStore, KeepsItsLentGeneratorPastLoadingForTheJitterButCopiesGoWithout)
{
    RandomUniform random = Seeded(5);
    SkillAttributeStore_Equipment item;
    item.SetRandomGen(&random);
    item.Load(Record("skillCooldownReduction = 10\n"), nullptr, nullptr, false);
    EXPECT_EQ(item.GetRandomGen(), &random) << "the item jitters after loading";

    SkillAttributeStore_Equipment copy(item);
    SkillAttributeStore_Equipment assigned;
    assigned.SetRandomGen(&random);
    assigned = item;
    for (SkillAttributeStore* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        store->AddJitter(20.0f);
    }
    EXPECT_EQ(random.GetState(), Seeded(5).GetState()) << "a copy has nothing to roll with";
    EXPECT_NE(copy.GetAttributes()[0].get(), item.GetAttributes()[0].get());

    item.AddJitter(20.0f);
    EXPECT_EQ(random.GetState(), StateAfter(5, 1));
}

TEST(SkillAttributePak, AddsEveryKindRollingThreeTimesEachOnTheAccumulatorsGenerator)
{
    AttributePak pak;
    pak.LoadFromTable(
        Record("skillCooldownReduction = 5;8\nskillCooldownReductionModifier = 20;40\n"
               "skillManaCostReduction = 10\nskillManaCostReductionModifier = -50\n"
               "skillProjectileSpeedModifier = 30;35;40\n"));
    SkillAttributeAccumulator accumulator;
    accumulator.SetSeed(77);
    pak.GetSkillAttributes(accumulator, 2);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), 11.2f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ManaCostReduction), 5.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ProjectileSpeedModifier), 35.0f);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), StateAfter(77, 15));
}

} // namespace

} // namespace GAME::Test
