#include "combat/CombatManager.h"

#include "characters/CharAttributeAccumulator.h"
#include "characters/Player.h"
#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatFilter.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/GameEvents.h"
#include "core/GameLog.h"
#include "engine/EventHandler.h"
#include "items/Item.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

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

struct FloatingTexts {
    void On(const GameEvent_FloatingText& event) { seen.push_back(event); }
    std::vector<GameEvent_FloatingText> seen;
    EventHandler<FloatingTexts, GameEvent_FloatingText> listener{"GameEvent_FloatingText",
                                                                 &FloatingTexts::On, this};
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
        gLogCombat = 1;
        gEngine->SetLogCategories(1);
    }
    void TearDown() override
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
        DeathFixture::TearDown();
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
        gEngine->GetWorld()->AddEntity(character, kPlace, false);
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
        return character;
    }

    // A hit as a skill sends it: randoms from a fixed seed, damage of each type at once.
    static std::unique_ptr<ParametersCombat>
    Attack(Character& attacker, int32_t style,
           std::initializer_list<std::pair<CombatAttributeType, float>> damage, uint32_t seed = 11)
    {
        RandomUniform generator;
        generator.Seed(seed);
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
        EXPECT_EQ(log.Count(0, "    Miss occured\n"), 1u);
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

TEST_F(CombatManagerAttackTest, CriticalTextNeedsACriticalWeaponHitAndTheOption)
{
    FloatingTexts texts;
    WriteCombatRecord("Records/Game/Critical.dbr", {"pthDamageModifier1 = 1.5"});
    Player* attacker = Make<Player>("Hero", {{CharAttribute_OffensiveAbility, 160.0f}});
    Monster* defender = Make("Defender", {}, "Records/Game/Critical.dbr");
    Game().GetPlayerManagerClient()->SetMainPlayer(attacker->GetObjectId());
    const auto hit = [&](bool weapon) {
        auto attack = Attack(*attacker, 1, {{CombatAttributeType_Fire, 10.0f}});
        if (weapon)
            Weapon(*attack, *attacker, 0.0f);
        defender->TakeAttack(*attack);
    };
    hit(true); // the option is off
    gEngine->GetOptions().SetBool(2, true);
    hit(false); // no weapon damage
    hit(true);
    gEngine->GetOptions().SetBool(2, false);
    ASSERT_EQ(texts.seen.size(), 1u);
    EXPECT_EQ(texts.seen[0].objectId, defender->GetObjectId());
    EXPECT_EQ(texts.seen[0].styleName, "TextCritical");
    EXPECT_EQ(texts.seen[0].text.substr(0, 17), L"CriticalHitFormat");
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

} // namespace
} // namespace GAME::Test
