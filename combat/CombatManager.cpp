#include "combat/CombatManager.h"

#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "core/DesignerEquationLoader.h"
#include "core/GameLog.h"
#include "core/Helpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstring>
#include <limits>

namespace GAME {

namespace {

constexpr const char* kFormulaLoadFailure = "-=- Combat Manager Equation load failure : %s";

struct RegionKey {
    const char* key;
    CombatAttributeRegion region;
};

constexpr RegionKey kRegionKeys[] = {
    {"combatRegionFullyProtectedChance", CombatAttributeRegion_FullyProtected},
    {"combatRegionUnprotectedChance", CombatAttributeRegion_Unprotected},
    {"combatRegionHeadChance", CombatAttributeRegion_Head},
    {"combatRegionTorsoChance", CombatAttributeRegion_Torso},
    {"combatRegionArmsChance", CombatAttributeRegion_Arms},
    {"combatRegionLegsChance", CombatAttributeRegion_Legs},
};

} // namespace

void CombatManager::AssignParent(Character* character)
{
    parent = character;
    equipment.AttachParent(character);
    durationDamage.AssignParents(character, this);
}

void CombatManager::Load(const LoadTable& table)
{
    equipment.Load(table);
    handHitDamageMin = table.GetFloat("handHitDamageMin", 0.0f);
    handHitDamageMax = table.GetFloat("handHitDamageMax", 0.0f);
    footHitDamageMin = table.GetFloat("footHitDamageMin", 0.0f);
    footHitDamageMax = table.GetFloat("footHitDamageMax", 0.0f);
}

void CombatManager::LoadRecord(const std::string& recordName)
{
    // The key names of the two defense formulas differ in spelling; records use them as they are.
    static constexpr struct {
        const char* key;
        Formula formula;
    } kFormulaKeys[] = {
        {"physicalDamageEquation", Formula_PhysicalDamage},
        {"pierceDamageEquation", Formula_PierceDamage},
        {"elementalDamageEquation", Formula_ElementalDamage},
        {"elementalDurationDamageEquation", Formula_ElementalDurationDamage},
        {"physicalDamageDefenseEquationDGP", Formula_PhysicalDefenseDamageGreater},
        {"physcialDamageDefenseEquationDLEP", Formula_PhysicalDefenseDamageLessOrEqual},
        {"offensiveAbilityEquation", Formula_OffensiveAbility},
        {"defensiveAbilityEquation", Formula_DefensiveAbility},
        {"probabilityToHitEquation", Formula_ProbabilityToHit},
        {"meleeBlockEquation", Formula_MeleeBlock},
        {"projectileBlockEquation", Formula_ProjectileBlock},
        {"shieldDamageReductionEquationDGB", Formula_ShieldReductionDamageGreater},
        {"shieldDamageReductionEquationDLEB", Formula_ShieldReductionDamageLessOrEqual},
        {"normalPTHEquation", Formula_NormalProbabilityToHit},
    };

    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(recordName);
    const LoadTable& table = objects.GetLoadTable(recordName);

    // A negative weight would wrap to billions and swallow every other region; the total stays
    // within what a roll can reach.
    regionTable.clear();
    uint64_t total = 0;
    for (const RegionKey& entry : kRegionKeys) {
        const uint32_t chance = static_cast<uint32_t>(Max(table.GetInt(entry.key, 0), 0));
        total += chance;
        regionTable.push_back({entry.region, chance});
    }
    regionTotal = static_cast<uint32_t>(
        Min<uint64_t>(total, static_cast<uint64_t>(std::numeric_limits<int32_t>::max())));

    for (const auto& entry : kFormulaKeys) {
        formulas[entry.formula] = LoadDesignerEquation(table, entry.key, this, kFormulaLoadFailure);
    }

    for (size_t band = 0; band < kNumDamageBands; ++band) {
        const std::string number = std::to_string(band + 1);
        damageBands[band].threshold = table.GetFloat(("pthThreshold" + number).c_str(), 0.0f);
        damageBands[band].damageModifier =
            table.GetFloat(("pthDamageModifier" + number).c_str(), 0.0f);
    }
}

bool CombatManager::GetDesignerVariable(const char* name, float& value)
{
    if (name == nullptr)
        return false;
    // Asked for every variable of every evaluation: the first letter leaves at most five
    // names, each compared whole. A refused name leaves the value alone.
    const auto input = [this, &value](Input which) {
        value = inputs[which];
        return true;
    };
    // The character's own numbers; a manager without one reads them as 0.
    const auto attribute = [this, &value](CharAttributeType type) {
        value = parent != nullptr ? parent->GetTotalCharAttribute(type) : 0.0f;
        return true;
    };
    switch (name[0]) {
    case 'b':
        if (IsDesignerName(name, "bonusDV"))
            return input(Input_Bonus);
        if (IsDesignerName(name, "blockChanceDV"))
            return input(Input_BlockChance);
        if (IsDesignerName(name, "blockChanceModifierDV"))
            return input(Input_BlockChanceModifier);
        break;
    case 'c':
        if (IsDesignerName(name, "characterLevelDV")) {
            value = parent != nullptr ? static_cast<float>(parent->GetCharLevel()) : 0.0f;
            return true;
        }
        break;
    case 'd':
        if (IsDesignerName(name, "damageDV"))
            return input(Input_Damage);
        if (IsDesignerName(name, "defensiveAbilityDV"))
            return input(Input_DefensiveAbility);
        if (IsDesignerName(name, "defensiveAbilityModifierDV"))
            return input(Input_DefensiveAbilityModifier);
        if (IsDesignerName(name, "dexterityDV"))
            return attribute(CharAttribute_Dexterity);
        break;
    case 'e':
        if (IsDesignerName(name, "elementalDamageDV"))
            return input(Input_ElementalDamage);
        break;
    case 'i':
        if (IsDesignerName(name, "intelligenceDV"))
            return attribute(CharAttribute_Intelligence);
        break;
    case 'o':
        if (IsDesignerName(name, "offensiveAbilityDV"))
            return input(Input_OffensiveAbility);
        if (IsDesignerName(name, "offensiveAbilityModifierDV"))
            return input(Input_OffensiveAbilityModifier);
        break;
    case 'p':
        if (IsDesignerName(name, "physicalDamageDV"))
            return input(Input_PhysicalDamage);
        if (IsDesignerName(name, "pierceDamageDV"))
            return input(Input_PierceDamage);
        if (IsDesignerName(name, "probabilityToHitDV"))
            return input(Input_ProbabilityToHit);
        break;
    case 's':
        if (IsDesignerName(name, "strengthDV"))
            return attribute(CharAttribute_Strength);
        if (IsDesignerName(name, "sumProtectionDV"))
            return input(Input_SumProtection);
        if (IsDesignerName(name, "sumAbsorptionDV"))
            return input(Input_SumAbsorption);
        if (IsDesignerName(name, "shieldDefenseDV"))
            return input(Input_ShieldDefense);
        if (IsDesignerName(name, "shieldAbsorptionDV"))
            return input(Input_ShieldAbsorption);
        break;
    default:
        break;
    }
    return false;
}

void CombatManager::SetAttacker(uint32_t id)
{
    attackerId = id;
    durationDamage.SetAttacker(id);
}

bool CombatManager::ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                                CombatAttributeType damageType)
{
    if (damage <= 0.0f || !parent)
        return true;
    parent->FireAbsEffect(damageType);
    if (racialBonusDefenseAbsolute > 0.0f) {
        const float filtered = Min(racialBonusDefenseAbsolute, damage);
        gEngine->LogCategory(gLogCombat, 0, "^y  Racial Bonus Defense (%f) filtered (%f) damage\n",
                             racialBonusDefenseAbsolute, filtered);
        racialBonusDefenseAbsolute -= filtered;
        damage -= filtered;
        if (damage <= 0.0f)
            return false;
    }
    parent->SubtractLife(damage, statsType);
    gEngine->LogCategory(gLogCombat, 0, "^y    Damage %f to Defender 0x%x\n", damage,
                         parent->GetObjectId());
    GameEngine::Get().RegisterDamage(parent->GetObjectId(), attackerId, damage);
    return true;
}

void CombatManager::GetHandHitDamage(float& minimum, float& maximum) const
{
    minimum = handHitDamageMin;
    maximum = handHitDamageMax;
}

float CombatManager::GetRegionChance(CombatAttributeRegion region) const
{
    for (const RegionChance& entry : regionTable) {
        if (entry.region == region)
            return static_cast<float>(entry.chance);
    }
    return 0.0f;
}

float CombatManager::Evaluate(Formula formula, float fallback) const
{
    return formulas[formula] ? (*formulas[formula])() : fallback;
}

float CombatManager::DesignerCalculatePhysicalDamage(float damage)
{
    inputs[Input_PhysicalDamage] = damage;
    return Evaluate(Formula_PhysicalDamage, damage);
}

float CombatManager::DesignerCalculatePierceDamage(float damage)
{
    inputs[Input_PierceDamage] = damage;
    return Evaluate(Formula_PierceDamage, damage);
}

float CombatManager::DesignerCalculateElementalDamage(float damage)
{
    inputs[Input_ElementalDamage] = damage;
    return Evaluate(Formula_ElementalDamage, damage);
}

// The duration formula reads the same variable as the instant one.
float CombatManager::DesignerCalculateElementalDurationDamage(float damage)
{
    inputs[Input_ElementalDamage] = damage;
    return Evaluate(Formula_ElementalDurationDamage, damage);
}

float CombatManager::DesignerCalculatePhysicalDamageDefense(float damage, float protection,
                                                            float absorbed, float bonus)
{
    if (protection <= 0.0f)
        return damage;
    const float absorption = absorbed / protection;
    inputs[Input_PhysicalDamage] = damage;
    inputs[Input_SumProtection] = protection * bonus + protection;
    inputs[Input_SumAbsorption] = absorption * bonus + absorption;
    gEngine->LogCategory(gLogCombat, 0, "    protection = %f\n", protection);
    gEngine->LogCategory(gLogCombat, 0, "    protectionAbsorption = %f\n", absorbed);
    gEngine->LogCategory(gLogCombat, 0, "    absorption = %f\n", absorption);
    gEngine->LogCategory(gLogCombat, 0, "    bonus = %f\n", bonus);
    gEngine->LogCategory(gLogCombat, 0, "    modified protection = %f\n",
                         inputs[Input_SumProtection]);
    gEngine->LogCategory(gLogCombat, 0, "    modified absorption = %f\n",
                         inputs[Input_SumAbsorption]);
    const Formula formula = damage > inputs[Input_SumProtection]
                                ? Formula_PhysicalDefenseDamageGreater
                                : Formula_PhysicalDefenseDamageLessOrEqual;
    return Max(Evaluate(formula, damage), 0.0f);
}

float CombatManager::DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                                 float shieldAbsorption)
{
    inputs[Input_Damage] = damage;
    inputs[Input_ShieldDefense] = shieldDefense;
    inputs[Input_ShieldAbsorption] = shieldAbsorption;
    const bool exceeds = damage > shieldDefense;
    const Formula formula =
        exceeds ? Formula_ShieldReductionDamageGreater : Formula_ShieldReductionDamageLessOrEqual;
    if (!formulas[formula])
        return damage;
    gEngine->LogCategory(gLogCombat, 0,
                         exceeds ? "    Shield Block Reduction (Damage > Block)\n"
                                 : "    Shield Block Reduction (Damage <= Block)\n");
    const float result = Max(Evaluate(formula, damage), 0.0f);
    gEngine->LogCategory(gLogCombat, 0, "           Damage (%f) Result (%f)\n", damage, result);
    return result;
}

} // namespace GAME
