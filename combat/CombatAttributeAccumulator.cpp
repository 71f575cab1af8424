#include "combat/CombatAttributeAccumulator.h"

namespace GAME {

CombatAttributeAccumulator::~CombatAttributeAccumulator()
{
    Clear();
}

CombatAttributeAccumulator::CombatAttributeAccumulator(const CombatAttributeAccumulator& other)
    : damage(other.damage), damageModifiers(other.damageModifiers), defenses(other.defenses),
      defenseModifiers(other.defenseModifiers), region(other.region)
{
    SetSeed(other.seed);
}

CombatAttributeAccumulator&
CombatAttributeAccumulator::operator=(const CombatAttributeAccumulator& other)
{
    if (this == &other)
        return *this;
    damage = other.damage;
    damageModifiers = other.damageModifiers;
    defenses = other.defenses;
    defenseModifiers = other.defenseModifiers;
    SetSeed(other.seed);
    region = other.region;
    return *this;
}

void CombatAttributeAccumulator::SetSeed(uint32_t value)
{
    seed = value;
    generator.Seed(value);
}

bool CombatAttributeAccumulator::EvaluateChance(float chance)
{
    if (chance == 0.0f)
        return true;
    return static_cast<float>(generator.IGenerate(0, 100)) <= chance;
}

float CombatAttributeAccumulator::GetChanceMultiplier(float /*value*/)
{
    return 1.0f;
}

void CombatAttributeAccumulator::AddDamage(std::unique_ptr<CombatAttribute> attribute)
{
    damage.Add(std::move(attribute));
}

void CombatAttributeAccumulator::AddDamageModifier(std::unique_ptr<CombatAttribute> attribute)
{
    damageModifiers.Add(std::move(attribute));
}

void CombatAttributeAccumulator::AddDefense(std::unique_ptr<CombatAttribute> attribute)
{
    if (attribute && !MergeDefense(*attribute))
        AddNewDefense(std::move(attribute));
}

void CombatAttributeAccumulator::AddNewDefense(std::unique_ptr<CombatAttribute> attribute)
{
    // A defender's items, skills and own resistances bring a score of types; room for them at
    // once spares the list growing step by step on every hit.
    constexpr size_t kDefensesOfAHit = 24;
    if (defenses.empty())
        defenses.Reserve(kDefensesOfAHit);
    defenses.Add(std::move(attribute));
}

bool CombatAttributeAccumulator::MergeDefense(CombatAttribute& candidate)
{
    for (const auto& existing : defenses) {
        if (existing->MergeDefense(&candidate))
            return true;
    }
    return false;
}

void CombatAttributeAccumulator::AddDefenseModifier(std::unique_ptr<CombatAttribute> attribute)
{
    defenseModifiers.Add(std::move(attribute));
}

// Modifiers act once, before processing, and are spent by it.
void CombatAttributeAccumulator::Process(AttributeList& modifiers, AttributeList& attributes,
                                         CombatAttributeRegion region, const Character& who,
                                         float scalePercent, float flat, float percentReduction,
                                         float absoluteReduction)
{
    for (const auto& modifier : modifiers) {
        for (const auto& attribute : attributes)
            modifier->Execute(attribute.get(), region);
    }
    modifiers.Clear();
    for (const auto& attribute : attributes)
        attribute->Process(who, scalePercent, flat, percentReduction, absoluteReduction);
}

void CombatAttributeAccumulator::ProcessDamage(const Character& who, float scalePercent, float flat,
                                               float percentReduction, float absoluteReduction)
{
    Process(damageModifiers, damage, region, who, scalePercent, flat, percentReduction,
            absoluteReduction);
}

void CombatAttributeAccumulator::ProcessDefense(const Character& who, float scalePercent,
                                                float flat, float percentReduction,
                                                float absoluteReduction)
{
    Process(defenseModifiers, defenses, region, who, scalePercent, flat, percentReduction,
            absoluteReduction);
}

float CombatAttributeAccumulator::ProcessBluntDamageModifier(float factor)
{
    float total = 0.0f;
    for (const auto& attribute : damage)
        total += attribute->ProcessBluntDamageModifier(factor);
    return total;
}

void CombatAttributeAccumulator::ReduceDamage(float percent)
{
    for (const auto& attribute : damage)
        attribute->ReduceAbsoluteDamage(attribute->GetType(), percent);
}

void CombatAttributeAccumulator::DamageReductionByShield(const Character& defender,
                                                         float shieldDefense,
                                                         float shieldAbsorption)
{
    for (const auto& attribute : damage)
        attribute->DamageReductionByShield(defender, shieldDefense, shieldAbsorption);
}

void CombatAttributeAccumulator::ExecuteDefense()
{
    for (const auto& defense : defenses) {
        for (const auto& attribute : damage)
            defense->Execute(attribute.get(), region);
    }
    defenses.Clear();
}

void CombatAttributeAccumulator::ExecuteDamage(Character& defender)
{
    for (const auto& attribute : damage)
        attribute->Execute(defender);
}

void CombatAttributeAccumulator::GetTotalDamage(float& absolute, float& overTime)
{
    for (const auto& attribute : damage)
        attribute->GetTotalDamage(absolute, overTime);
}

void CombatAttributeAccumulator::GetTotalDamageType(float& absolute, float& overTime,
                                                    CombatAttributeType type)
{
    for (const auto& attribute : damage) {
        if (attribute->GetType() == type)
            attribute->GetTotalDamage(absolute, overTime);
    }
}

float CombatAttributeAccumulator::GetTotalDefenseType(CombatAttributeType type) const
{
    float total = 0.0f;
    for (const auto& defense : defenses) {
        if (defense->GetType() != type)
            continue;
        float absolute = 0.0f;
        float overTime = 0.0f;
        defense->GetTotalDefense(absolute, overTime);
        total += absolute;
    }
    return total;
}

void CombatAttributeAccumulator::ScaleDamage(float percent)
{
    if (percent <= 0.0f)
        return;
    for (const auto& attribute : damage)
        attribute->ScaleDamage(percent);
}

void CombatAttributeAccumulator::FilterReflectDamage()
{
    damage.RemoveIf([](const std::unique_ptr<CombatAttribute>& attribute) {
        return attribute->GetFilterForReflectDamage();
    });
}

void CombatAttributeAccumulator::Clear()
{
    ClearDamage();
    ClearDamageModifiers();
    ClearDefense();
    ClearDefenseModifiers();
}

} // namespace GAME
