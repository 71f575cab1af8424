#include "combat/CombatManager.h"

#include "characters/Character.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatFilter.h"
#include "core/GameLog.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// The fourteen formula keys in the order the record is read.
const std::vector<std::string> kFormulaKeys = {
    "physicalDamageEquation",
    "pierceDamageEquation",
    "elementalDamageEquation",
    "elementalDurationDamageEquation",
    "physicalDamageDefenseEquationDGP",
    "physcialDamageDefenseEquationDLEP",
    "offensiveAbilityEquation",
    "defensiveAbilityEquation",
    "probabilityToHitEquation",
    "meleeBlockEquation",
    "projectileBlockEquation",
    "shieldDamageReductionEquationDGB",
    "shieldDamageReductionEquationDLEB",
    "normalPTHEquation",
};

using Lines = std::vector<LogCapture::Line>;

class CombatManagerTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        ASSERT_NE(character, nullptr);
    }

    void TearDown() override
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
        GameEngineFixture::TearDown();
    }

    CombatManager& Combat() { return character->GetCombatManager(); }

    // Combat trace lines are written only while the host lets the category through.
    void LogCombat()
    {
        gLogCombat = 1;
        gEngine->SetLogCategories(1);
    }

    // The character's own numbers come from its record, read with the game running, and reach
    // its totals when it enters the world.
    void LoadCharacter(const std::string& record)
    {
        Start();
        character->Load(Record(record));
        character->InitialUpdate();
        log.Clear();
    }

    // Writes a record and loads it as the character's combat record. Each gets a path of its
    // own, since the database reads a record once.
    void LoadCombatRecord(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Game/Combat" + std::to_string(++records) + ".dbr";
        database.WriteRecord(path, lines);
        Combat().LoadRecord(path);
    }

    Character* character = nullptr;
    int records = 0;
};

TEST_F(CombatManagerTest, RegionTableKeepsEachWeightAndCountsNegativeOnesAsZero)
{
    LoadCombatRecord({"combatRegionFullyProtectedChance = 5", "combatRegionUnprotectedChance = 10",
                      "combatRegionHeadChance = 15", "combatRegionTorsoChance = 40",
                      "combatRegionArmsChance = -20"});
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_FullyProtected), 5.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Unprotected), 10.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Head), 15.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Torso), 40.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Arms), 0.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Legs), 0.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(static_cast<CombatAttributeRegion>(9)), 0.0f);

    // A second record replaces the table rather than queueing behind the first.
    LoadCombatRecord({"combatRegionHeadChance = 7"});
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Head), 7.0f);
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Torso), 0.0f);
}

TEST_F(CombatManagerTest, WithoutARecordEveryValuePassesUnchangedAndNothingIsLogged)
{
    Combat().LoadRecord("");
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_FLOAT_EQ(Combat().GetRegionChance(CombatAttributeRegion_Torso), 0.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamage(12.5f), 12.5f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePierceDamage(3.0f), 3.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateElementalDamage(4.0f), 4.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateElementalDurationDamage(5.0f), 5.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.2f),
                    100.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f),
                    80.0f);
}

TEST_F(CombatManagerTest, EachFormulaThatFailsToParseLogsItsKeyAndIsDropped)
{
    const std::string path = "Records/Game/Broken.dbr";
    std::string text;
    for (const std::string& key : kFormulaKeys)
        text += key + " = (a*5)+\n";
    database.WriteRecord(path, {text});
    Combat().LoadRecord(path);

    // Each failure line is followed by one naming the record and the text.
    std::vector<LogCapture::Line> failures;
    for (size_t i = 0; i < log.GetLines().size(); i += 2)
        failures.push_back(log.GetLines()[i]);
    std::vector<LogCapture::Line> expected;
    for (const std::string& key : kFormulaKeys)
        expected.push_back({1, "-=- Combat Manager Equation load failure : " + key});
    EXPECT_EQ(failures, expected);
    EXPECT_EQ(log.CountContaining("does not parse: (a*5)+"), kFormulaKeys.size());
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamage(10.0f), 10.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.0f),
                    100.0f);
}

TEST_F(CombatManagerTest, DamageFormulasReadTheirInputAndTheCharactersNumbers)
{
    LoadCharacter("characterStrength = 11\ncharLevel = 7");
    LoadCombatRecord({"physicalDamageEquation = physicalDamageDV+strengthDV",
                      "pierceDamageEquation = pierceDamageDV*characterLevelDV",
                      "elementalDamageEquation = elementalDamageDV*3",
                      "elementalDurationDamageEquation = elementalDamageDV*4"});
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamage(10.0f), 21.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePierceDamage(2.0f), 14.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateElementalDamage(2.0f), 6.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateElementalDurationDamage(2.0f), 8.0f);

    // The character reaches them through its own forwards.
    EXPECT_FLOAT_EQ(character->DesignerCalculatePhysicalDamage(1.0f), 12.0f);

    // A record without them lets damage through again.
    LoadCombatRecord({"combatRegionHeadChance = 1"});
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamage(10.0f), 10.0f);
}

TEST_F(CombatManagerTest, PhysicalDefenseChoosesItsFormulaByModifiedProtection)
{
    LoadCombatRecord({"physicalDamageDefenseEquationDGP = physicalDamageDV-sumProtectionDV",
                      "physcialDamageDefenseEquationDLEP = physicalDamageDV*sumAbsorptionDV"});
    // Protection 50 with bonus 0.2 is 60; absorption 25 / 50 with bonus is 0.6.
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.2f),
                    40.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(60.0f, 50.0f, 25.0f, 0.2f),
                    36.0f);
    // No protection: no formula at all.
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 0.0f, 25.0f, 0.2f),
                    100.0f);
}

TEST_F(CombatManagerTest, ShieldReductionChoosesByDefenseHoldsAtZeroAndLogsOnlyWithAFormula)
{
    LogCombat();
    LoadCombatRecord({"shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV",
                      "shieldDamageReductionEquationDLEB = shieldAbsorptionDV-damageDV"});

    EXPECT_FLOAT_EQ(Combat().DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f),
                    30.0f);
    // Equal damage takes the other formula, whose negative result holds at 0.
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateShieldBlockDamageReduction(50.0f, 50.0f, 0.5f), 0.0f);
    const std::vector<LogCapture::Line> expected = {
        {0, "    Shield Block Reduction (Damage > Block)\n"},
        {0, "           Damage (80.000000) Result (30.000000)\n"},
        {0, "    Shield Block Reduction (Damage <= Block)\n"},
        {0, "           Damage (50.000000) Result (0.000000)\n"},
    };
    EXPECT_EQ(log.GetLines(), expected);

    log.Clear();
    LoadCombatRecord({"shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV"});
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateShieldBlockDamageReduction(20.0f, 50.0f, 0.5f),
                    20.0f);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(CombatManagerTest, DesignerVariablesAnswerEveryNameExactly)
{
    LoadCharacter("characterStrength = 11\ncharacterDexterity = 12\ncharacterIntelligence = 13\n"
                  "charLevel = 7");
    Combat().DesignerCalculatePierceDamage(3.0f);
    Combat().DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f);
    Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.2f);

    const struct {
        const char* name;
        float value;
    } known[] = {
        {"physicalDamageDV", 100.0f},    {"pierceDamageDV", 3.0f},
        {"elementalDamageDV", 0.0f},     {"sumProtectionDV", 60.0f},
        {"sumAbsorptionDV", 0.6f},       {"bonusDV", 0.0f},
        {"offensiveAbilityDV", 0.0f},    {"offensiveAbilityModifierDV", 0.0f},
        {"defensiveAbilityDV", 0.0f},    {"defensiveAbilityModifierDV", 0.0f},
        {"strengthDV", 11.0f},           {"dexterityDV", 12.0f},
        {"intelligenceDV", 13.0f},       {"characterLevelDV", 7.0f},
        {"probabilityToHitDV", 0.0f},    {"blockChanceDV", 0.0f},
        {"blockChanceModifierDV", 0.0f}, {"damageDV", 80.0f},
        {"shieldDefenseDV", 50.0f},      {"shieldAbsorptionDV", 0.5f},
    };
    for (const auto& variable : known) {
        float value = -1.0f;
        EXPECT_TRUE(Combat().GetDesignerVariable(variable.name, value)) << variable.name;
        EXPECT_FLOAT_EQ(value, variable.value) << variable.name;
    }
    // Names compare whole and case-sensitively; a refused name leaves the value alone.
    for (const char* name : {"StrengthDV", "strengthDV ", "strength", "damage", ""}) {
        float value = 42.0f;
        EXPECT_FALSE(Combat().GetDesignerVariable(name, value)) << name;
        EXPECT_FLOAT_EQ(value, 42.0f) << name;
    }
    float value = 42.0f;
    EXPECT_FALSE(Combat().GetDesignerVariable(nullptr, value));
}

TEST_F(CombatManagerTest, LoadReadsTheHandHitFromTheCharactersRecord)
{
    Combat().Load(Record("handHitDamageMin = 2.5\nhandHitDamageMax = 6\nfootHitDamageMin = 9"));
    float minimum = -1.0f, maximum = -1.0f;
    Combat().GetHandHitDamage(minimum, maximum);
    EXPECT_FLOAT_EQ(minimum, 2.5f);
    EXPECT_FLOAT_EQ(maximum, 6.0f);

    Combat().Load(Record(""));
    Combat().GetHandHitDamage(minimum, maximum);
    EXPECT_FLOAT_EQ(minimum, 0.0f);
    EXPECT_FLOAT_EQ(maximum, 0.0f);
}

TEST_F(CombatManagerTest, EquipmentCallsReachTheCharactersEquipManager)
{
    auto* sword = ObjectManager::Instance().CreateObject("WeaponMelee_Sword");
    ASSERT_NE(sword, nullptr);
    const uint32_t id = sword->GetObjectId();

    Combat().AttachItemAction(id, EquipLocations_RightHand);
    EXPECT_EQ(Combat().GetHandState(), EquipManager_HandState_SingleHanded);
    EXPECT_EQ(Combat().GetEquipManager().GetRightHandWeapon(), id);
    ASSERT_EQ(Combat().GetAttachedItems().size(), 1u);
    EXPECT_EQ(Combat().GetAttachedItems()[0].itemId, id);
    EXPECT_EQ(Combat().GetAttachedItems()[0].location, EquipLocations_RightHand);

    // Without a mesh point the character's own place answers.
    EXPECT_EQ(Combat().GetAttachCoords(EquipLocations_RightHand), character->GetCoords());

    Combat().DetachItemAction(id);
    EXPECT_EQ(Combat().GetHandState(), EquipManager_HandState_Unarmed);
    EXPECT_TRUE(Combat().GetAttachedItems().empty());
}

TEST_F(CombatManagerTest, RegionWalkTakesTheFirstRunningSumThatReachesTheRoll)
{
    LoadCombatRecord({"combatRegionFullyProtectedChance = 5", "combatRegionUnprotectedChance = 10",
                      "combatRegionLegsChance = 15"});
    ScriptedRandom random;
    random.ints = {5, 6, 16};
    EXPECT_EQ(Combat().PickRegion(random), CombatAttributeRegion_FullyProtected);
    EXPECT_EQ(Combat().PickRegion(random), CombatAttributeRegion_Unprotected);
    EXPECT_EQ(Combat().PickRegion(random), CombatAttributeRegion_Legs);
    // Without weights one number is still drawn.
    Combat().LoadRecord("");
    EXPECT_EQ(Combat().PickRegion(random), CombatAttributeRegion_FullyProtected);
    EXPECT_EQ(random.intCalls,
              (std::vector<std::pair<int, int>>{{1, 30}, {1, 30}, {1, 30}, {1, 0}}));
}

TEST_F(CombatManagerTest, AnEmptyRecordNeverBlocksAndMissesUnlessTheRollIsZero)
{
    Combat().LoadRecord("");
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateOffensiveAbility(20.0f), 0.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateProbabilityToHit(50.0f, 10.0f), 0.0f);
    ScriptedRandom random;
    random.floats = {1.0f};
    EXPECT_FALSE(Combat().DesignerCalculateMeleeBlockChance(100.0f, 0.0f, 0.0f, random));
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(0.0f, 0.01f), 0.0f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(0.0f, 0.0f), 0.75f);
    // Every band modifier is 0, which reads as a miss.
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(50.0f, 0.5f), 0.0f);
}

TEST_F(CombatManagerTest, DamageModifierMissesBandsAndFallsBackAsRecorded)
{
    LogCombat();
    const std::string bands = "pthThreshold1 = 100\npthDamageModifier1 = 1.0\n"
                              "pthThreshold2 = 110\npthDamageModifier2 = 1.1\n"
                              "pthThreshold3 = 120\npthDamageModifier3 = 1.2\n"
                              "pthThreshold4 = 130\npthDamageModifier4 = 1.3\n"
                              "pthThreshold5 = 140\npthDamageModifier5 = 1.4\n"
                              "pthThreshold6 = 150\npthDamageModifier6 = 1.5";
    LoadCombatRecord({bands});

    // 160 x 0.75 is 120, which only exceeds the second threshold: equal is not enough.
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(160.0f, 0.75f), 1.1f);
    EXPECT_EQ(log.GetLines(), (Lines{{0, "    PTH 160.000000, Rand Seed 0.750000\n"},
                                     {0, "    PTH Random Number 120.000000\n"},
                                     {0, "    PTH Uber Hit\n"},
                                     {0, "    PTH Modifier value 1.100000\n"}}));
    log.Clear();
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.75f), 0.0f);
    EXPECT_EQ(log.GetLines(), (Lines{{0, "    PTH 60.000000, Rand Seed 0.750000\n"},
                                     {0, "    PTH Random Number 74.250000\n"},
                                     {0, "    PTH Missed Hit\n"}}));
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.5f), 0.75f);
    // Just below the low threshold the highest roll still misses; at it nothing does.
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(98.9f, 0.9999f), 0.0f);

    LoadCombatRecord({bands, "normalPTHEquation = probabilityToHitDV/200"});
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.5f), 0.3f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(99.0f, 0.9999f), 0.495f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(100.0f, 0.9999f), 0.5f);
}

TEST_F(CombatManagerTest, AbilitiesReadTheCharacterAndSlowsCutThemButNotBelowZero)
{
    LogCombat();
    LoadCharacter("characterOffensiveAbility = 50\ncharacterDefensiveAbility = 35");
    LoadCombatRecord(
        {"offensiveAbilityEquation = (offensiveAbilityDV+offensiveAbilityModifierDV)+bonusDV",
         "defensiveAbilityEquation = (defensiveAbilityDV-defensiveAbilityModifierDV)+bonusDV",
         "probabilityToHitEquation = offensiveAbilityDV-defensiveAbilityDV"});
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateOffensiveAbility(15.0f), 65.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateDefensiveAbility(0.0f), 35.0f);
    log.Clear();
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateProbabilityToHit(65.0f, 35.0f), 30.0f);
    EXPECT_EQ(log.GetLines(), (Lines{{0, "    PTH Offensive Ability 65.000000\n"},
                                     {0, "    PTH Defensive Ability 35.000000\n"},
                                     {0, "    PTH 30.000000\n"}}));

    DurationDamageManager& overTime = Combat().GetDurationDamageMgr();
    overTime.AddFixedDamage(CombatAttributeType_OffensiveAbility, 50.0f, 2.0f);
    overTime.AddFixedDamage(CombatAttributeType_DefensiveAbility, 150.0f, 2.0f);
    overTime.AddFixedDamage(CombatAttributeType_RunSpeed, 150.0f, 2.0f);
    overTime.AddFixedDamage(CombatAttributeType_Fumble, 7.0f, 2.0f);
    overTime.EndAttack();
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateOffensiveAbility(15.0f), 32.5f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateDefensiveAbility(0.0f), 0.0f);
    // Speeds have no floor, and each reads only its own slow.
    EXPECT_FLOAT_EQ(Combat().GetRunSpeed(10.0f), -5.0f);
    EXPECT_FLOAT_EQ(Combat().GetAttackSpeed(10.0f), 10.0f);
    EXPECT_FLOAT_EQ(Combat().ContributeFumbleDamage(), 7.0f);
}

TEST_F(CombatManagerTest, BlockDrawsOnceAndSucceedsUpToTheChance)
{
    LogCombat();
    LoadCombatRecord(
        {"meleeBlockEquation = (blockChanceDV+blockChanceModifierDV)-probabilityToHitDV"});
    ScriptedRandom random;
    random.floats = {30.0f, 30.5f, 99.0f};
    EXPECT_TRUE(Combat().DesignerCalculateMeleeBlockChance(25.0f, 15.0f, 10.0f, random));
    EXPECT_EQ(log.GetLines(), (Lines{{0, "    Melee Block Chance 25.000000\n"},
                                     {0, "    Melee Block Chance Modifiers 15.000000\n"},
                                     {0, "    Melee Block PTH 10.000000\n"},
                                     {0, "    Melee Block Chance 30.000000, Random Chance "
                                         "(30.000000)\n"},
                                     {0, "    Melee Block True\n"}}));
    EXPECT_FALSE(Combat().DesignerCalculateMeleeBlockChance(25.0f, 15.0f, 10.0f, random));
    // No projectile formula: a chance of 0, the draw still made.
    EXPECT_FALSE(Combat().DesignerCalculateProjectileBlockChance(25.0f, 15.0f, 10.0f, random));
    EXPECT_EQ(log.GetLines().back(), (LogCapture::Line{0, "    Projectile Block False\n"}));
    EXPECT_EQ(random.floatCalls, (std::vector<std::pair<float, float>>(3, {1.0f, 100.0f})));
}

TEST_F(CombatManagerTest, CombatTimeStopsAtZero)
{
    CharacterBio& bio = character->GetCharacterBio();
    Combat().Update(std::numeric_limits<int32_t>::max(), bio);
    Combat().Update(std::numeric_limits<int32_t>::max(), bio);
    EXPECT_EQ(Combat().GetRemainingCombatTime(), 0);
    EXPECT_EQ(Combat().GetCombatState(), CombatManager_State_Idle);
}

TEST_F(CombatManagerTest, HandHitAddsBarePhysicalDamageOnlyWhenTheRollIsPositive)
{
    Combat().Load(Record("handHitDamageMin = 2\nhandHitDamageMax = 6"));
    ScriptedAccumulator attack;
    attack.random.floats = {4.5f, 0.0f};
    Combat().GetHandHitDamage(attack);
    Combat().GetHandHitDamage(attack);
    ASSERT_EQ(attack.GetDamage().size(), 1u);
    EXPECT_FLOAT_EQ(static_cast<const CombatAttributeDamage_BasePhysical&>(*attack.GetDamage()[0])
                        .GetPhysical(),
                    4.5f);
    EXPECT_EQ(attack.random.floatCalls, (std::vector<std::pair<float, float>>(2, {2.0f, 6.0f})));
}

class NullFilter : public CombatFilter {
public:
    float ModifyDamage(float damage, CombatAttributeType) override { return damage; }
    bool ProvidesInvulnerability(const std::vector<std::string>&) const override { return false; }
};

TEST_F(CombatManagerTest, FiltersAreKeptOnceInOrderAndRemovedWhole)
{
    NullFilter first, second;
    Combat().AddCombatFilter(&first);
    Combat().AddCombatFilter(&second);
    Combat().AddCombatFilter(&first);
    EXPECT_EQ(Combat().GetCombatFilters(), (std::vector<CombatFilter*>{&first, &second}));
    Combat().RemoveCombatFilter(&first);
    Combat().RemoveCombatFilter(&first);
    EXPECT_EQ(Combat().GetCombatFilters(), (std::vector<CombatFilter*>{&second}));
}

} // namespace
} // namespace GAME::Test
