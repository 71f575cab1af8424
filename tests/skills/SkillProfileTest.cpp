#include "skills/SkillProfile.h"

#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

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

TEST_F(SkillProfileTest, ANewProfileAnswersItsDefaults)
{
    Start();
    const SkillProfile profile;
    EXPECT_EQ(profile.GetDisplayNameTag(), "Invalid Skill Profile");
    EXPECT_EQ(profile.GetBaseDescriptionTag(), "Invalid Skill Profile");
    EXPECT_EQ(profile.GetSpecialAnimationName(), Name::noName);
    EXPECT_EQ(profile.GetContagionInterval(1), 1000);
    EXPECT_FLOAT_EQ(profile.GetContagionRadius(1), 2.0f);
    EXPECT_EQ(profile.GetContagionLimit(1), 1);
    EXPECT_EQ(profile.GetContagionMaxSpread(1), 1);
    EXPECT_FLOAT_EQ(profile.GetSpellAuraDuration(1), 1.0f);
    EXPECT_TRUE(profile.IsQualifyingDamage(CombatAttributeType_Poison));
}

TEST_F(SkillProfileTest, LevelsAndPerLevelLookup)
{
    Start({"skillMasteryTierLevel = 1;10;20"});
    const SkillProfile tenLevels =
        Loaded("skillMaxLevel = 10\nskillTier = 2\nskillManaCost = 1;2;3;4;5;6;7;8;9;10;11");
    EXPECT_EQ(tenLevels.GetMaxLevel(), 10u);
    EXPECT_EQ(tenLevels.GetUltimateLevel(), 10u);
    EXPECT_EQ(tenLevels.GetMasteryLevelRequirement(), 10u);
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(1).GetManaCost(), 1.0f);
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(10).GetManaCost(), 10.0f);
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(11).GetManaCost(), 10.0f)
        << "ten records: the eleventh entry is never read";
    EXPECT_FLOAT_EQ(tenLevels.GetSkillModifierData(0).GetManaCost(), 0.0f);

    const SkillProfile none = Loaded("skillMaxLevel = 0\nskillUltimateLevel = 0");
    for (const uint32_t level : {0u, 1u, 5u, 300u}) {
        EXPECT_EQ(none.GetChanceWeight(level), 0u);
        EXPECT_EQ(none.GetProjectileName(level), "");
        EXPECT_EQ(none.GetContagionInterval(level), 1000);
        EXPECT_EQ(&none.GetSkillModifierData(level), &none.GetSkillModifierData(0));
        EXPECT_FLOAT_EQ(none.GetSkillModifierData(level).GetCooldownTime(), 0.0f);
        EXPECT_EQ(none.GetSkillProjectileModifierData(level).GetFragmentsName(), "");
    }

    const SkillProfile three = Loaded("skillLifeBonus = 1;2;3\nspawnObjects = a;b;c");
    EXPECT_FLOAT_EQ(three.GetLifeBonus(1), 1.0f);
    EXPECT_FLOAT_EQ(three.GetLifeBonus(3), 3.0f);
    EXPECT_FLOAT_EQ(three.GetLifeBonus(7), 3.0f);
    EXPECT_FLOAT_EQ(three.GetLifeBonus(0), 0.0f);
    EXPECT_EQ(three.GetSpawnObject(7), "c");
    EXPECT_EQ(three.GetNumberOfSpawnObjects(), 3u);
}

TEST_F(SkillProfileTest, SecondsBecomeMilliseconds)
{
    Start();
    const SkillProfile profile =
        Loaded("expansionTime = 1.5\nskillProjectileHitTimeToLive = 2.5\nactorScaleTime = 0.25\n"
               "contagionInterval = 3\nskillChargeDuration = 0.5\n"
               "spawnObjectsTimeToLive = 1e30");
    EXPECT_FLOAT_EQ(profile.GetRadiusTime(1), 1500.0f);
    EXPECT_EQ(profile.GetProjectileHitTimeToLive(1), 2500);
    EXPECT_EQ(profile.GetActorScaleTime(), 250);
    EXPECT_EQ(profile.GetContagionInterval(2), 3000);
    EXPECT_FLOAT_EQ(profile.GetChargeDuration(1), 500.0f);
    EXPECT_EQ(profile.GetSpawnObjectTimeToLive(1), INT32_MAX) << "saturates";
}

TEST_F(SkillProfileTest, WeaponAndDamageQualifiers)
{
    Start();
    const SkillProfile weapons = Loaded("Shield = 1\nSword = 1\nMagical = 1\nBow = 0");
    EXPECT_EQ(weapons.GetQualifyingWeapons(),
              (std::vector<Weapon_Type>{Weapon_Type_Sword, Weapon_Type(8), Weapon_Type_Shield}));

    const SkillProfile fire = Loaded("fireDamageQualifier = 1");
    EXPECT_TRUE(fire.IsQualifyingDamage(CombatAttributeType_Fire));
    EXPECT_FALSE(fire.IsQualifyingDamage(CombatAttributeType_Cold));

    const SkillProfile both = Loaded("elementalDamageQualifier = 1\nfireDamageQualifier = 1");
    EXPECT_EQ(
        both.GetQualifyingDamageTags(),
        (std::vector<std::string>{"tagQualifyingDamageFire", "tagQualifyingDamageElemental"}));
    EXPECT_TRUE(both.IsQualifyingDamage(CombatAttributeType_Lightning));
    EXPECT_FALSE(both.IsQualifyingDamage(CombatAttributeType_Physical));
}

TEST_F(SkillProfileTest, RecordCountsStayInBounds)
{
    Start();
    LogCapture log;
    const SkillProfile negative =
        Loaded("skillMaxLevel = -4\nskillUltimateLevel = -1\nskillChanceWeight = -5;7\n"
               "petLimit = -2\nskillProjectileNumber = -3\nallSkillEnhancement = -1");
    EXPECT_EQ(negative.GetMaxLevel(), 0u);
    EXPECT_EQ(negative.GetUltimateLevel(), 0u);
    EXPECT_EQ(negative.GetChanceWeight(1), 0u);
    EXPECT_EQ(negative.GetChanceWeight(2), 7u);
    EXPECT_EQ(negative.GetPetLimit(1), 0u);
    EXPECT_EQ(negative.GetNumberOfProjectiles(), 1u);
    EXPECT_FLOAT_EQ(negative.GetSkillEnhancement(1), 0.0f);
    EXPECT_TRUE(log.GetLines().empty());

    const SkillProfile huge =
        Loaded("skillMaxLevel = 300\nskillUltimateLevel = 40\nskillProjectileNumber = 1000");
    EXPECT_EQ(huge.GetMaxLevel(), 255u);
    EXPECT_EQ(huge.GetUltimateLevel(), 255u);
    EXPECT_EQ(huge.GetNumberOfProjectiles(), 256u);
    EXPECT_EQ(log.Count(Engine::LogData,
                        "SkillProfile: 'skillMaxLevel' of record 'test.dbr' is 300, cut to 255"),
              1u);
}

TEST_F(SkillProfileTest, ARecordLoadsOnceAndIsShared)
{
    Start();
    const Name name = Name::Create("Records/Skills/Shared.dbr");
    const SkillProfile* first = Game().LoadSkillResource(name, Record("skillDisplayName = tagA"));
    const SkillProfile* second = Game().LoadSkillResource(name, Record("skillDisplayName = tagB"));
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->GetDisplayNameTag(), "tagA") << "the second table is not read";
    EXPECT_EQ(Game().GetNullSkillResource()->GetDisplayNameTag(), "Invalid Skill Profile");
}

} // namespace
} // namespace GAME::Test
