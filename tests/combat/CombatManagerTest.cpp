#include "combat/CombatManager.h"

#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatFilter.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/GameLog.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/Light.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/Must.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/SeededRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

// The fourteen formula keys in the order the record is read.
const std::vector<std::string> kFormulaKeys = {"physicalDamageEquation",
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
                                               "normalPTHEquation"};

class CountingFilter : public CombatFilter {
public:
    CountingFilter(float factor, bool invulnerable) : factor(factor), invulnerable(invulnerable) {}
    float ModifyDamage(float damage, CombatAttributeType /*type*/) override
    {
        ++damageAsked;
        return damage * factor;
    }
    bool ProvidesInvulnerability(const std::vector<std::string>& /*races*/) const override
    {
        ++invulnerabilityAsked;
        return invulnerable;
    }
    float factor;
    bool invulnerable;
    int damageAsked = 0;
    mutable int invulnerabilityAsked = 0;
};

// Combat trace lines are written only while the host lets the category through.
struct CombatTrace {
    CombatTrace()
    {
        gLogCombat = 1;
        gEngine->SetLogCategories(1);
    }
    ~CombatTrace()
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
    }
};

class CombatManagerTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        character = New<Character>();
    }

    CombatManager& Combat() { return character->GetCombatManager(); }

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

    // The weight of each region, and of one past them.
    std::vector<float> RegionChances()
    {
        std::vector<float> chances;
        for (const int32_t region : {0, 1, 2, 3, 4, 5, 9})
            chances.push_back(Combat().GetRegionChance(static_cast<CombatAttributeRegion>(region)));
        return chances;
    }

    Character* character = nullptr;
    int records = 0;
};

TEST_F(CombatManagerTest, RegionTableKeepsEachWeightCountsNegativeOnesAsZeroAndWalksRunningSums)
{
    LoadCombatRecord({"combatRegionFullyProtectedChance = 5", "combatRegionUnprotectedChance = 10",
                      "combatRegionHeadChance = 15", "combatRegionTorsoChance = 40",
                      "combatRegionArmsChance = -20"});
    EXPECT_EQ(RegionChances(), (std::vector<float>{5, 10, 15, 40, 0, 0, 0}));
    // A second record replaces the table rather than queueing behind the first.
    LoadCombatRecord({"combatRegionHeadChance = 7"});
    EXPECT_EQ(RegionChances(), (std::vector<float>{0, 0, 7, 0, 0, 0, 0}));

    // The walk takes the first running sum that reaches the roll.
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
}

TEST_F(CombatManagerTest, DamageFormulasReadTheirInputAndTheCharactersNumbers)
{
    // The physical and elemental formulas are read where a formula changes parents.
    LoadCharacter("charLevel = 7");
    LoadCombatRecord({"pierceDamageEquation = pierceDamageDV*characterLevelDV",
                      "elementalDurationDamageEquation = elementalDamageDV*4"});
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePierceDamage(2.0f), 14.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateElementalDurationDamage(2.0f), 8.0f);
}

TEST_F(CombatManagerTest, DefenseAndShieldChooseTheirFormulaByComparingTheDamage)
{
    LoadCombatRecord({"physicalDamageDefenseEquationDGP = physicalDamageDV-sumProtectionDV",
                      "physcialDamageDefenseEquationDLEP = physicalDamageDV*sumAbsorptionDV",
                      "shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV",
                      "shieldDamageReductionEquationDLEB = shieldAbsorptionDV-damageDV"});
    const auto defense = [this](float damage, float protection) {
        return Combat().DesignerCalculatePhysicalDamageDefense(damage, protection, 25.0f, 0.2f);
    };
    const auto shield = [this](float damage) {
        return Combat().DesignerCalculateShieldBlockDamageReduction(damage, 50.0f, 0.5f);
    };
    // Protection 50 with bonus 0.2 is 60; absorption 25 / 50 with bonus is 0.6.
    EXPECT_FLOAT_EQ(defense(100.0f, 50.0f), 40.0f);
    EXPECT_FLOAT_EQ(defense(60.0f, 50.0f), 36.0f);
    EXPECT_FLOAT_EQ(defense(100.0f, 0.0f), 100.0f) << "no protection: no formula at all";

    EXPECT_FLOAT_EQ(shield(80.0f), 30.0f);
    // Equal damage takes the other formula, whose negative result holds at 0.
    EXPECT_FLOAT_EQ(shield(50.0f), 0.0f);
    LoadCombatRecord({"shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV"});
    EXPECT_FLOAT_EQ(shield(20.0f), 20.0f);
}

// A formula keeps the inputs' places in its manager, but reads the character's numbers from
// whichever character is the manager's parent when it runs.
TEST_F(CombatManagerTest, FormulasBuiltForOneParentReadTheNextOne)
{
    const std::string path = "Records/Game/CombatParent.dbr";
    database.WriteRecord(path,
                         {"physicalDamageEquation = (physicalDamageDV*(1+(strengthDV*0.01)))",
                          "elementalDamageEquation = ((elementalDamageDV*(1+(intelligenceDV*0.01)))"
                          "+characterLevelDV)"});
    Start();
    const auto load = [&](const std::string& numbers) {
        auto* made = New<Character>();
        made->Load(Record(numbers + "\ncombatManagerRecord = " + path));
        made->InitialUpdate();
        return made;
    };
    Character* first = load("characterStrength = 50\ncharacterIntelligence = 20\ncharLevel = 3");
    Character* second = load("characterStrength = 80\ncharacterIntelligence = 60\ncharLevel = 9");
    CombatManager& combat = first->GetCombatManager();
    const struct {
        Character* parent;
        float physical, elemental;
    } rows[] = {{first, 150.0f, 123.0f},
                {second, 180.0f, 169.0f},
                {nullptr, 100.0f, 100.0f},
                {first, 150.0f, 123.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.parent ? row.parent->GetObjectId() : 0u);
        combat.AssignParent(row.parent);
        EXPECT_FLOAT_EQ(combat.DesignerCalculatePhysicalDamage(100.0f), row.physical);
        EXPECT_FLOAT_EQ(combat.DesignerCalculateElementalDamage(100.0f), row.elemental);
    }
}

TEST_F(CombatManagerTest, DesignerVariablesAnswerTheirNamesExactly)
{
    // The formulas of the other tests read the rest.
    LoadCharacter("characterDexterity = 12\ncharacterIntelligence = 13");
    for (const auto& [name, expected] :
         {std::pair{"dexterityDV", 12.0f}, {"intelligenceDV", 13.0f}}) {
        float value = -1.0f;
        EXPECT_TRUE(Combat().GetDesignerVariable(name, value)) << name;
        EXPECT_FLOAT_EQ(value, expected) << name;
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

TEST_F(CombatManagerTest, WithoutARecordDamagePassesUnchangedAndOnlyARollOfZeroHits)
{
    Combat().LoadRecord("");
    EXPECT_TRUE(log.GetLines().empty());
    // A missing damage formula passes the damage; the others answer 0.
    EXPECT_FLOAT_EQ(Combat().DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.2f),
                    100.0f);
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
    const std::string bands = "pthThreshold1 = 100\npthDamageModifier1 = 1.0\n"
                              "pthThreshold2 = 110\npthDamageModifier2 = 1.1\n"
                              "pthThreshold3 = 120\npthDamageModifier3 = 1.2\n"
                              "pthThreshold4 = 130\npthDamageModifier4 = 1.3\n"
                              "pthThreshold5 = 140\npthDamageModifier5 = 1.4\n"
                              "pthThreshold6 = 150\npthDamageModifier6 = 1.5";
    LoadCombatRecord({bands});

    // 160 x 0.75 is 120, which only exceeds the second threshold: equal is not enough.
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(160.0f, 0.75f), 1.1f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.75f), 0.0f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.5f), 0.75f);
    // Just below the low threshold the highest roll still misses; at it nothing does.
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(98.9f, 0.9999f), 0.0f);

    LoadCombatRecord({bands, "normalPTHEquation = probabilityToHitDV/200"});
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(60.0f, 0.5f), 0.3f);
    EXPECT_FLOAT_EQ(Combat().CalculateDamageModifier(100.0f, 0.9999f), 0.5f);
}

TEST_F(CombatManagerTest, AbilitiesReadTheCharacterAndSlowsCutThemButNotBelowZero)
{
    LoadCharacter("characterOffensiveAbility = 50\ncharacterDefensiveAbility = 35");
    LoadCombatRecord(
        {"offensiveAbilityEquation = (offensiveAbilityDV+offensiveAbilityModifierDV)+bonusDV",
         "defensiveAbilityEquation = (defensiveAbilityDV-defensiveAbilityModifierDV)+bonusDV",
         "probabilityToHitEquation = offensiveAbilityDV-defensiveAbilityDV"});
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateOffensiveAbility(15.0f), 65.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateDefensiveAbility(0.0f), 35.0f);
    EXPECT_FLOAT_EQ(Combat().DesignerCalculateProbabilityToHit(65.0f, 35.0f), 30.0f);

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
    LoadCombatRecord(
        {"meleeBlockEquation = (blockChanceDV+blockChanceModifierDV)-probabilityToHitDV"});
    ScriptedRandom random;
    random.floats = {30.0f, 99.0f};
    EXPECT_TRUE(Combat().DesignerCalculateMeleeBlockChance(25.0f, 15.0f, 10.0f, random));
    // No projectile formula: a chance of 0, the draw still made.
    EXPECT_FALSE(Combat().DesignerCalculateProjectileBlockChance(25.0f, 15.0f, 10.0f, random));
    EXPECT_EQ(random.floatCalls, (std::vector<std::pair<float, float>>(2, {1.0f, 100.0f})));
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

TEST_F(CombatManagerTest, FiltersAreKeptOnceInOrderAndRemovedWhole)
{
    CountingFilter first(1.0f, false), second(1.0f, false);
    Combat().AddCombatFilter(&first);
    Combat().AddCombatFilter(&second);
    Combat().AddCombatFilter(&first);
    EXPECT_EQ(Combat().GetCombatFilters(), (std::vector<CombatFilter*>{&first, &second}));
    Combat().RemoveCombatFilter(&first);
    Combat().RemoveCombatFilter(&first);
    EXPECT_EQ(Combat().GetCombatFilters(), (std::vector<CombatFilter*>{&second}));
}

constexpr const char* kCombat = "Records/Game/Combat.dbr";
using Attributes = std::vector<std::pair<CharAttributeType, float>>;
using AttributeList = std::vector<std::unique_ptr<CombatAttribute>>;

// Any kind of character whose game balance is what the test gives it.
template <typename Base> class Fighter : public Base {
public:
    void ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const override
    {
        for (const auto& [type, value] : attributes)
            accumulator.AddValue(type, value);
    }
    void ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& to) const override
    {
        for (const auto& defense : defenses)
            to.AddDefense(defense->Clone());
    }
    void ContributeGameBalanceRetaliationAttributes(CombatAttributeAccumulator& to) const override
    {
        for (const auto& damage : retaliation)
            to.AddDamage(damage->Clone());
    }
    Attributes attributes;
    AttributeList defenses;
    AttributeList retaliation;
};

// Racial defense reaches a character only through what it wears.
class RacialCharm : public Item {
public:
    void ContributeRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                      RacialBonus_Defense& defense) const override
    {
        defense.absolute += 30.0f;
    }
};

// Monsters fight under one combat record: every hit lands on the torso, armour lets through
// what exceeds it, and the chance to hit is the attacker's ability less the defender's.
class CombatManagerAttackTest : public DeathFixture {
protected:
    void SetUp() override
    {
        database.WriteRecord(kSettings, {"CriticalHitOnMonsterStyle = TextCritical"});
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        DeathFixture::SetUp();
        WriteCombatRecord(kCombat, {});
        trace.emplace();
    }

    // A record keeps the first line of a key, so `extra` overrides.
    void WriteCombatRecord(const std::string& path, std::initializer_list<std::string> extra)
    {
        std::string text;
        for (const std::string& line : extra)
            text += line + "\n";
        text += "combatRegionTorsoChance = 1\n"
                "offensiveAbilityEquation = offensiveAbilityDV\n"
                "defensiveAbilityEquation = defensiveAbilityDV\n"
                "probabilityToHitEquation = offensiveAbilityDV-defensiveAbilityDV\n"
                "physicalDamageDefenseEquationDGP = physicalDamageDV-sumProtectionDV\n"
                "meleeBlockEquation = blockChanceDV+blockChanceModifierDV\n"
                "projectileBlockEquation = blockChanceDV\n"
                "shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV\n";
        for (int band = 1; band <= 6; ++band)
            text += "pthThreshold" + std::to_string(band) + " = " + std::to_string(90 + 10 * band) +
                    "\npthDamageModifier" + std::to_string(band) + " = 1." +
                    std::to_string(band - 1) + "\n";
        database.WriteFile(path, text);
    }

    // Stands in the world with its life full.
    template <typename T = Monster>
    Fighter<T>* Make(const std::string& name, Attributes attributes = {},
                     const std::string& combat = kCombat)
    {
        const std::string path = "Records/Creatures/" + name + ".dbr";
        database.WriteRecord(path, {"combatManagerRecord = " + combat, "characterLife = 1000",
                                    "characterMana = 100"});
        ObjectManager& objects = ObjectManager::Instance();
        objects.LoadTableFile(path);
        auto* character = new Fighter<T>;
        character->attributes = std::move(attributes);
        objects.RegisterObject(character);
        character->SetObjectName(path);
        character->Load(objects.GetLoadTable(path));
        TheWorld().AddEntity(character, kPlace, false);
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
        return character;
    }

    // A hit as a skill sends it: randoms from a fixed seed, damage of each type at once.
    static std::unique_ptr<ParametersCombat>
    Attack(Character& attacker, int32_t style,
           std::initializer_list<std::pair<CombatAttributeType, float>> damage, uint32_t seed = 11)
    {
        RandomUniform generator = Seeded(seed);
        auto attack = std::make_unique<ParametersCombat>(generator);
        attack->attackerId = attacker.GetObjectId();
        attack->style = static_cast<ParametersCombatStyle>(style);
        attack->offensiveAbility = attacker.DesignerCalculateOffensiveAbility(0.0f);
        for (const auto& [type, value] : damage)
            attack->attributes.AddDamage(std::make_unique<CombatAttributeAbsDamage>(type, value));
        return attack;
    }

    // A weapon blow: physical 40 of which `pierceRatio` % pierces.
    static void Weapon(ParametersCombat& attack, Character& attacker, float pierceRatio)
    {
        attack.attributes.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
            CombatAttributeType_Physical, 40.0f, pierceRatio, true));
        attack.attributes.ProcessDamage(attacker, 0.0f, 0.0f, 0.0f, 0.0f);
    }

    static float Lost(const Character& character)
    {
        return character.GetCharacterBio().GetLifeLimit() - character.GetCurrentLife();
    }

    std::optional<CombatTrace> trace;

    // How often the play statistics' report shows the line.
    size_t Reported(Character& character, const std::string& line)
    {
        log.Clear();
        character.GetPlayStats().Dump();
        return log.Count(0, line);
    }
};

std::string Golden(const std::string& name)
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    std::ifstream file(std::string(source != nullptr ? source : ".") + "/tests/combat/testdata/" +
                       name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(CombatManagerAttackTest, EachStyleWritesItsGoldenTranscript)
{
    database.WriteRecord("Records/Items/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 100",
                          "defensiveBlock = 5", "blockRecoveryTime = 2"});
    const std::pair<int32_t, const char*> cases[] = {
        {1, "attack_probability.txt"}, {2, "attack_projectile.txt"}, {0, "attack_direct.txt"}};
    for (const auto& [style, golden] : cases) {
        Monster* attacker = Make("Attacker", {{CharAttribute_OffensiveAbility, 160.0f}});
        auto* defender = Make("Defender", {{CharAttribute_DodgePercent, 10.0f},
                                           {CharAttribute_DeflectProjectile, 10.0f},
                                           {CharAttribute_DefensiveBlockRecoveryReduction, 25.0f}});
        auto* shield = ObjectManager::Instance().CreateObjectFromFile("Records/Items/Shield.dbr");
        defender->GetCombatManager().AttachItemAction(shield->GetObjectId(),
                                                      EquipLocations_LeftHand);
        defender->defenses.push_back(
            std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Fire, 20.0f));
        defender->defenses.push_back(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
            50.0f, 10.0f, CombatAttributeRegion_Torso));
        auto attack = Attack(*attacker, style, {{CombatAttributeType_Fire, 10.0f}});
        attack->fumbleChance = 5.0f;
        attack->racialBonusDamage = 3.0f;
        Weapon(*attack, *attacker, 25.0f);
        log.Clear();
        EXPECT_TRUE(defender->TakeAttack(*attack));
        std::string transcript;
        for (const LogCapture::Line& line : log.GetLines())
            transcript += line.text;
        EXPECT_EQ(transcript, Golden(golden)) << golden;
        // Only a blocking shield recovers: 2 s, a quarter shorter.
        EXPECT_EQ(defender->GetCombatManager().GetShieldRecoveryTimeLeft(), style == 0 ? 0 : 1500);
    }
}

TEST_F(CombatManagerAttackTest, DodgeAndFumbleMissWithTheirRollsInOrder)
{
    Player* attacker = Make<Player>("Hero", {{CharAttribute_OffensiveAbility, 100.0f}});
    Monster* dodger = Make("Dodger", {{CharAttribute_DodgePercent, 100.0f}});
    CountingFilter immune(1.0f, true);
    dodger->AddCombatFilter(&immune);
    // A dodge of 100 always misses; the fumble is still rolled, the chance to hit is not.
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        auto attack = Attack(*attacker, 1, {{CombatAttributeType_Cold, 20.0f}}, seed);
        attack->fumbleChance = 0.001f;
        log.Clear();
        EXPECT_FALSE(dodger->TakeAttack(*attack));
        EXPECT_EQ(log.CountContaining("^yFumble Chance (0.001000) not met"), 1u);
        EXPECT_EQ(log.CountContaining("PTH"), 0u);
    }
    EXPECT_EQ(immune.invulnerabilityAsked, 0);
    EXPECT_EQ(Lost(*dodger), 0.0f);
    EXPECT_EQ(Reported(*attacker, "   Player misses:  5"), 1u);
    EXPECT_EQ(Reported(*dodger, "   Monster misses: 5"), 1u);
    // A direct hit is asked about, and the filter stops it.
    EXPECT_FALSE(dodger->TakeAttack(*Attack(*attacker, 0, {{CombatAttributeType_Cold, 20.0f}})));
    EXPECT_EQ(immune.invulnerabilityAsked, 1);
    dodger->RemoveCombatFilter(&immune);

    // A fumble needs its chance strictly above the roll.
    Monster* defender = Make("Defender");
    auto attack = Attack(*attacker, 1, {});
    RandomUniform same;
    same.Seed(attack->randoms.r2);
    const float roll = same.FGenerate(0.0f, 100.0f);
    attack->fumbleChance = roll;
    EXPECT_TRUE(defender->TakeAttack(*attack));
    attack = Attack(*attacker, 1, {});
    attack->fumbleChance = std::nextafter(roll, 100.0f);
    EXPECT_FALSE(defender->TakeAttack(*attack));
}

TEST_F(CombatManagerAttackTest, OrdinaryAndNegativeModifiersScaleOnlyTheWeaponTalliedAsOneType)
{
    // A chance to hit of 100 never misses and stays below the first band.
    WriteCombatRecord("Records/Game/Ordinary.dbr", {"pthThreshold1 = 200"});
    WriteCombatRecord("Records/Game/Negative.dbr",
                      {"pthThreshold1 = 200", "normalPTHEquation = 0-1"});
    Player* attacker = Make<Player>("Hero", {{CharAttribute_OffensiveAbility, 100.0f}});
    Monster* ordinary = Make("Ordinary", {}, "Records/Game/Ordinary.dbr");
    Monster* negative = Make("Negative", {}, "Records/Game/Negative.dbr");
    for (Monster* defender : {ordinary, negative}) {
        auto attack = Attack(*attacker, 1, {{CombatAttributeType_Fire, 10.0f}});
        Weapon(*attack, *attacker, 50.0f);
        EXPECT_TRUE(defender->TakeAttack(*attack));
    }
    EXPECT_FLOAT_EQ(Lost(*ordinary), 0.75f * 40.0f + 10.0f);
    EXPECT_FLOAT_EQ(Lost(*negative), 10.0f);
    EXPECT_EQ(Reported(*attacker,
                       "         CombatAttributeType::CombatAttributeType_PhysicalPierce 30.00"),
              1u);
    EXPECT_EQ(Reported(*attacker, "         CombatAttributeType::CombatAttributeType_Fire 20.00"),
              1u);
}

TEST_F(CombatManagerAttackTest, RacialDefenseIsOnePoolAndAFilterAtZeroStopsTheRest)
{
    Monster* attacker = Make("Attacker");
    Monster* defender = Make("Defender");
    auto* charm = new RacialCharm;
    ObjectManager::Instance().RegisterObject(charm);
    defender->GetCombatManager().AttachItemAction(charm->GetObjectId(), EquipLocations_Neck);
    auto attack = Attack(*attacker, 3,
                         {{CombatAttributeType_Fire, 20.0f}, {CombatAttributeType_Cold, 20.0f}});
    EXPECT_TRUE(defender->TakeAttack(*attack));
    EXPECT_FLOAT_EQ(Lost(*defender), 10.0f);

    CountingFilter half(0.5f, false);
    CountingFilter stop(0.0f, false);
    CountingFilter later(1.0f, false);
    for (CombatFilter* filter : std::vector<CombatFilter*>{&half, &stop, &later})
        defender->AddCombatFilter(filter);
    EXPECT_FALSE(defender->ApplyDamage(8.0f, {1, 6}, CombatAttributeType_Fire));
    EXPECT_EQ(half.damageAsked, 1);
    EXPECT_EQ(later.damageAsked, 0);
    EXPECT_FLOAT_EQ(Lost(*defender), 10.0f);
    for (CombatFilter* filter : std::vector<CombatFilter*>{&half, &stop, &later})
        defender->RemoveCombatFilter(filter);
}

TEST_F(CombatManagerAttackTest, RetaliationAndReflectionFollowTheStyleAndAreTalliedAsSent)
{
    Monster* attacker = Make("Attacker");
    auto* defender = Make<Player>("Hero", {{CharAttribute_DodgePercent, 100.0f}});
    defender->defenses.push_back(
        std::make_unique<CombatAttributeDefenseMisc>(CombatAttributeType_Reflect, 50.0f));
    defender->retaliation.push_back(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 8.0f));
    // A dodged melee hit is still struck back at and reflected, a projectile only reflected, a
    // hit of style 3 neither. Influences never bounce.
    const std::pair<int32_t, float> cases[] = {{1, 8.0f + 10.0f}, {2, 10.0f}, {3, 0.0f}};
    for (const auto& [style, struckBack] : cases) {
        const float before = Lost(*attacker);
        auto attack = Attack(*attacker, style, {{CombatAttributeType_Cold, 20.0f}});
        attack->attributes.AddDamage(std::make_unique<CombatAttributeInfluenceDamage_Taunt>(
            CombatAttributeType_Taunt, 5.0f));
        defender->TakeAttack(*attack);
        EXPECT_FLOAT_EQ(Lost(*attacker) - before, struckBack) << style;
    }
    EXPECT_EQ(Reported(*defender, "         Retaliation::Unknown 8.00"), 1u);
    EXPECT_EQ(Reported(*defender, "         Reflection::Unknown 20.00"), 1u);

    auto influence = Attack(*attacker, 2, {});
    influence->attributes.AddDamage(
        std::make_unique<CombatAttributeInfluenceDamage_Taunt>(CombatAttributeType_Taunt, 5.0f));
    log.Clear();
    defender->TakeAttack(*influence);
    EXPECT_EQ(log.Count(0, "combat\n"), 1u);
}

// The reflected share is cut from the damage as sent, and the reflection carries the defenses
// the record arrived with, never the defender's own.
TEST_F(CombatManagerAttackTest, ReflectionCarriesTheRecordAsSent)
{
    struct Row {
        float recordResistance;
        float defenderLost;
        float attackerLost;
    };
    const Row rows[] = {{0.0f, 10.0f, 10.0f}, {50.0f, 0.0f, 5.0f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.recordResistance);
        Monster* attacker = Make("Attacker");
        auto* defender = Make("Defender");
        defender->defenses.push_back(
            std::make_unique<CombatAttributeDefenseMisc>(CombatAttributeType_Reflect, 50.0f));
        defender->defenses.push_back(
            std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Cold, 50.0f));
        auto attack = Attack(*attacker, 2, {{CombatAttributeType_Cold, 20.0f}});
        if (row.recordResistance > 0.0f)
            attack->attributes.AddDefense(std::make_unique<CombatAttributeAbsDefense>(
                CombatAttributeType_Cold, row.recordResistance));
        EXPECT_TRUE(defender->TakeAttack(*attack));
        EXPECT_FLOAT_EQ(Lost(*defender), row.defenderLost);
        EXPECT_FLOAT_EQ(Lost(*attacker), row.attackerLost);
    }
}

TEST_F(CombatManagerAttackTest, ManaReturnLifeLeechAndRagDollOfAStyleThreeHit)
{
    Monster* attacker = Make("Attacker");
    Monster* defender = Make("Defender", {{CharAttribute_EnergyAbsorptionPercent, 20.0f}});
    attacker->SubtractLife(100.0f, {1, 2});
    defender->SetCurrentMana(40.0f);
    auto attack = Attack(*attacker, 3, {{CombatAttributeType_Cold, 20.0f}});
    attack->skillManaCost = 50.0f;
    attack->attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage_LifeLeech>(CombatAttributeType_LifeLeach, 50.0f));
    EXPECT_TRUE(defender->TakeAttack(*attack));
    EXPECT_FLOAT_EQ(defender->GetCharacterBio().GetManaPotential(), 50.0f);
    EXPECT_FLOAT_EQ(Lost(*attacker), 90.0f);
    // The leech counts in the total that pushes the body; no life limit, no push.
    EXPECT_FLOAT_EQ(defender->GetRagdollData().speed, 70.0f * 3.0f / 1000.0f);
    auto push = Attack(*attacker, 3, {{CombatAttributeType_Cold, 20.0f}});
    Make("Lifeless", {{CharAttribute_Life, -1000.0f}})->TakeAttack(*push);
    EXPECT_EQ(push->ragDoll.speed, 0.0f);
}

// Notes what it is asked in a shared journal; finishes when told, or at once if so made.
class JournalHandler : public DeathHandler {
public:
    JournalHandler(std::string name, std::vector<std::string>& journal, bool needsId = false)
        : DeathHandler(nullptr), name(std::move(name)), journal(journal), needsId(needsId)
    {}
    ~JournalHandler() override { journal.push_back("delete " + name); }
    void Execute() override
    {
        DeathHandler::Execute();
        journal.push_back("execute " + name);
    }
    void Update(int32_t elapsedMs) override
    {
        journal.push_back("update " + name + " " + std::to_string(elapsedMs));
    }
    void AnimationCallback(const Name& callback) override
    {
        journal.push_back("callback " + name + " " + callback.GetString());
    }
    void ExternalEvent(const Name& event) override
    {
        journal.push_back("event " + name + " " + event.GetString());
    }
    void PostProcess() override { journal.push_back("post " + name); }
    void Reset() override
    {
        DeathHandler::Reset();
        journal.push_back("reset " + name);
    }
    void PreLoad() override { journal.push_back("preload " + name); }
    bool NeedsObjectId() const override { return needsId; }
    void SetObjectId(uint32_t id) override
    {
        journal.push_back("id " + name + " " + std::to_string(id));
    }

private:
    std::string name;
    std::vector<std::string>& journal;
    bool needsId;
};

using Journal = std::vector<std::string>;

TEST(DeathManagerTest, OwnsItsHandlersAndDeletesThemInOrder)
{
    Journal journal;
    {
        DeathManager manager(nullptr);
        manager.AddHandler(std::make_unique<JournalHandler>("a", journal));
        manager.AddHandler(nullptr);
        manager.AddHandler(std::make_unique<JournalHandler>("b", journal));
        manager.PreLoad();
        EXPECT_EQ(std::exchange(journal, {}), (Journal{"preload a", "preload b"}));
    }
    EXPECT_EQ(journal, (Journal{"delete a", "delete b"}));

    DeathManager empty(nullptr);
    empty.Execute();
    EXPECT_TRUE(empty.IsFinished()) << "with no handlers a death is over as it starts";
}

TEST(DeathManagerTest, UpdatesOnlyWhileRunningAndPostProcessesOncePerDeath)
{
    Journal journal;
    DeathManager manager(nullptr);
    manager.AddHandler(std::make_unique<JournalHandler>("a", journal));
    manager.AddHandler(std::make_unique<JournalHandler>("b", journal));
    const Name end = Name::Create("End");

    manager.GetHandlers()[0]->Finish();
    manager.GetHandlers()[1]->Finish();
    EXPECT_FALSE(manager.IsFinished()) << "not started";
    manager.Update(16);
    manager.AnimationCallback(end);
    EXPECT_EQ(std::exchange(journal, {}), (Journal{"callback a End", "callback b End"}))
        << "callbacks always pass";

    manager.Execute();
    manager.Update(16);
    EXPECT_EQ(std::exchange(journal, {}),
              (Journal{"execute a", "execute b", "update a 16", "update b 16"}));
    manager.GetHandlers()[0]->Finish();
    EXPECT_FALSE(manager.IsFinished());
    manager.GetHandlers()[1]->Finish();
    EXPECT_TRUE(manager.IsFinished());

    manager.PostProcess();
    manager.PostProcess();
    EXPECT_FALSE(manager.IsFinished());
    manager.Update(16);
    manager.ExternalEvent(Name::Create("PhysicsComplete"));
    EXPECT_EQ(std::exchange(journal, {}),
              (Journal{"post a", "post b", "event a PhysicsComplete", "event b PhysicsComplete"}));

    // A respawned character's next death runs every handler again.
    manager.Reset();
    EXPECT_FALSE(manager.IsFinished());
    manager.Execute();
    manager.Update(5);
    for (const auto& handler : manager.GetHandlers())
        handler->Finish();
    manager.PostProcess();
    EXPECT_EQ(journal, (Journal{"reset a", "reset b", "execute a", "execute b", "update a 5",
                                "update b 5", "post a", "post b"}));
}

TEST(DeathManagerTest, IdsGoInOrderToTheHandlersThatNeedThemWhileTheyLast)
{
    Journal journal;
    DeathManager manager(nullptr);
    manager.AddHandler(std::make_unique<JournalHandler>("a", journal, true));
    manager.AddHandler(std::make_unique<JournalHandler>("plain", journal));
    manager.AddHandler(std::make_unique<JournalHandler>("b", journal, true));
    manager.AddHandler(std::make_unique<JournalHandler>("c", journal, true));

    const std::vector<uint32_t> fresh = manager.CreateObjectIds();
    ASSERT_EQ(fresh.size(), 3u);
    EXPECT_NE(fresh[0], fresh[1]);

    manager.SetObjectIds({7, 8, 9, 10});
    EXPECT_EQ(std::exchange(journal, {}), (Journal{"id a 7", "id b 8", "id c 9"}));
    manager.SetObjectIds({7});
    EXPECT_EQ(journal, (Journal{"id a 7", "id b 0", "id c 0"}));
}

class DefaultDeathTest : public DeathFixture {};

TEST_F(DefaultDeathTest, ADeathWithoutKeysPlaysItsAnimationToTheEndOrEndsAtOnceWithoutOne)
{
    Monster* monster = Spawn("Records/Creatures/Plain.dbr", {"unarmedDieAnim1 = Die"});
    ASSERT_EQ(Deaths(*monster).GetHandlers().size(), 1u);

    Deaths(*monster).Execute();
    Frame(*monster, 5000);
    Callback(*monster, "ragDoll");
    EXPECT_EQ(monster->GetPhysicsType(), 1) << "no rag doll to hand over to";
    EXPECT_FALSE(Deaths(*monster).IsFinished());

    Callback(*monster, "End");
    EXPECT_TRUE(Deaths(*monster).IsFinished());
    Frame(*monster, 16);
    EXPECT_TRUE(Exists(monster->GetObjectId())) << "the body stays";

    Monster* stiff = Spawn("Records/Creatures/Stiff.dbr", {});
    Deaths(*stiff).Execute();
    EXPECT_TRUE(Deaths(*stiff).IsFinished()) << "no death animation to play";
}

class DeathHandlerTest : public DeathFixture {
protected:
    // The one entity of the class hanging on the character, or null.
    template <typename T> static T* Attached(const Character& character)
    {
        for (Entity* child : character.GetAttachedChildren()) {
            if (T* typed = DynamicCast<T>(child))
                return typed;
        }
        return nullptr;
    }
};

TEST_F(DeathHandlerTest, AFadeDimsTheTintOverItsTimeAndTheBodyGoesWhenTheDeathEnds)
{
    Monster* monster =
        Spawn("Records/Creatures/Ghost.dbr",
              {"unarmedDieAnim1 = Die", "deleteBehavior = Fade", "dissolveTime = 2.0"});
    const uint32_t id = monster->GetObjectId();
    monster->SetTintColor(Color(0.8f, 0.4f, 0.2f, 0.5f));
    DeathManager& deaths = Deaths(*monster);
    deaths.Execute();
    for (int frame = 0; frame < 4; ++frame)
        Frame(*monster, 250);
    EXPECT_EQ(monster->GetTintColor(), Color(0.4f, 0.2f, 0.1f, 1.0f));

    Frame(*monster, 1000);
    EXPECT_TRUE(deaths.GetHandlers()[1]->IsFinished());
    Frame(*monster, 1000);
    EXPECT_EQ(monster->GetTintColor(), Color(0.0f, 0.0f, 0.0f, 1.0f)) << "never below black";
    EXPECT_TRUE(Exists(id)) << "the death animation is still playing";

    Callback(*monster, "End");
    Frame(*monster, 16);
    // Gone from the world and from look-ups, but deleted only when the frame ends.
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(TheWorld().GetEntityCount(), 0u);
}

TEST_F(DeathHandlerTest, AFadeOfNoTimeEndsOnTheFirstUpdate)
{
    Monster* monster = Spawn("Records/Creatures/Blink.dbr", {"deleteBehavior = Fade"});
    Deaths(*monster).Execute();
    const DeathHandler& fade = *Deaths(*monster).GetHandlers()[1];
    const uint32_t tints = monster->GetTintColorSetCount();
    Deaths(*monster).Update(1);
    EXPECT_TRUE(fade.IsFinished());
    EXPECT_EQ(monster->GetTintColorSetCount(), tints);
}

TEST_F(DeathHandlerTest, ADissolveTakesItsLightAlongAndLeavesItsEffectInTheWorld)
{
    Monster* monster = Spawn("Records/Creatures/Ember.dbr",
                             {"unarmedDieAnim1 = Die", "deleteBehavior = Dissolve",
                              "dissolveTime = 3", std::string("dissolveEffect = ") + kEffect,
                              std::string("dissolveLight = ") + kLight});
    DeathManager& deaths = Deaths(*monster);
    deaths.Execute();
    const uint32_t lightId = Must(Attached<Light>(*monster))->GetObjectId();
    EffectEntity* effect = Must(Attached<EffectEntity>(*monster));
    Frame(*monster, 3000);
    EXPECT_TRUE(deaths.GetHandlers()[1]->IsFinished()) << "dissolved at 3000 ms";

    Callback(*monster, "End");
    EXPECT_FALSE(Exists(lightId));
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    EXPECT_TRUE(effect->IsInWorld());
}

TEST_F(DeathHandlerTest, TheDeathEffectStaysOnTheBodyWhenTheDeathEndsAndGoesWithIt)
{
    Monster* monster = Spawn("Records/Creatures/Dusty.dbr",
                             {"unarmedDieAnim1 = Die", std::string("deathEffect = ") + kEffect});
    Deaths(*monster).Execute();
    EffectEntity* effect = Must(Attached<EffectEntity>(*monster));
    Callback(*monster, "End");
    EXPECT_EQ(effect->GetAttachParent(), monster) << "it stays on the body";

    // ... and goes with it, not left behind among the objects.
    const uint32_t effectId = effect->GetObjectId();
    ObjectManager::Instance().DestroyObjectEx(monster, "Test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FALSE(Exists(effectId));
}

TEST_F(DeathHandlerTest, ADeathActorThatWaitsStandsWhereTheCharacterFellAtTheCallback)
{
    Monster* later =
        Spawn("Records/Creatures/Later.dbr",
              {std::string("actorToSpawnOnDeath = ") + kGore, "waitForCallbackToSpawn = true"});
    Deaths(*later).SetObjectIds({902});
    Deaths(*later).Execute();
    EXPECT_EQ(Find<Character>(902), nullptr);
    Callback(*later, "spawnDeathActor");
    EXPECT_EQ(Must(Find<Character>(902))->GetCoords(), kPlace);
}

TEST_F(DeathHandlerTest, TheDeathActorAndTheBonesTakeTheirIdsAndAnIdInUseSpawnsNothing)
{
    Monster* monster =
        Spawn("Records/Creatures/Lich.dbr", {std::string("actorToSpawnOnDeath = ") + kGore,
                                             std::string("actorToSpawnForMyBones = ") + kBones});
    monster->SetScale(1.5f);
    DeathManager& deaths = Deaths(*monster);
    const std::vector<uint32_t> ids = deaths.CreateObjectIds();
    ASSERT_EQ(ids.size(), 2u);
    deaths.SetObjectIds(ids);
    deaths.Execute();
    const Character& gore = *Must(Find<Character>(ids[0]));
    EXPECT_EQ(std::make_pair(gore.GetObjectName(), gore.GetCoords()),
              std::make_pair(std::string(kGore), kPlace));
    Monster* bones = Find<Monster>(ids[1]);
    EXPECT_FALSE(bones->IsInWorld());

    Callback(*monster, "End");
    EXPECT_EQ(bones->GetCurrentScale(), 1.5f);
    EXPECT_EQ(bones->GetCoords(), kPlace);
    EXPECT_TRUE(bones->IsInWorld());

    // A short list spawns no bones; ids already in use spawn nothing.
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    deaths.Reset();
    deaths.SetObjectIds({777});
    deaths.Execute();
    EXPECT_NE(Find<Character>(777), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects + 1) << "no bones";

    deaths.Reset();
    const uint32_t taken = monster->GetObjectId();
    deaths.SetObjectIds({777, taken});
    deaths.Execute();
    EXPECT_EQ(Find<Character>(taken), monster);
    EXPECT_EQ(log.CountContaining("is already in use"), 2u);
}

TEST_F(DeathHandlerTest, BonesThatNeverRoseGoWithTheBody)
{
    Monster* monster =
        Spawn("Records/Creatures/Cut.dbr", {std::string("actorToSpawnForMyBones = ") + kBones});
    ObjectManager& objects = ObjectManager::Instance();
    const size_t before = objects.GetObjectCount();
    Deaths(*monster).SetObjectIds({556});
    Deaths(*monster).Execute();
    objects.DestroyObjectEx(monster, "test", 1);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObjectCount(), before - 1);
}

} // namespace
} // namespace GAME::Test
