#include "combat/DamageAttribute_BasePhysical.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/DamageAttributeStore.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

namespace {
// The weapon's physical damage is read by its own keys; these stand in the kind getters.
const DamageAttributeKeys kBasePhysicalKeys{
    .type = CombatAttributeType_Unknown,
    .chance = "Not Used",
    .xorKey = "Not Used",
    .global = "Not Used",
    .display = "Not Used",
};
} // namespace

DamageAttribute_BasePhysical::DamageAttribute_BasePhysical() : DamageAttribute(kBasePhysicalKeys) {}

void DamageAttribute_BasePhysical::Create_BasePhysical(DamageAttributeStore& store,
                                                       const LoadTable& table)
{
    LoadInto(std::make_unique<DamageAttribute_BasePhysical>(), store, table);
}

float DamageAttribute_BasePhysical::GetChance(uint32_t /*level*/) const
{
    return 0.0f;
}

bool DamageAttribute_BasePhysical::LoadFromTable(const LoadTable& table)
{
    minimum = table.GetFloat("offensivePhysicalMin", 0.0f);
    spread = Max(table.GetFloat("offensivePhysicalMax", 0.0f) - minimum, 0.0f);
    pierceRatio = table.GetFloat("offensivePierceRatioMin", 0.0f);
    // A weapon always strikes, even for nothing.
    return true;
}

// Never in a global group.
DamageAttribute::LoadGroup
DamageAttribute_BasePhysical::GetLoadGroup(const LoadTable& /*table*/) const
{
    return LoadGroup_Plain;
}

CombatAttributeType DamageAttribute_BasePhysical::GetType() const
{
    return CombatAttributeType_Unknown;
}

void DamageAttribute_BasePhysical::CreateText(Lines& lines1, Lines& /*lines2*/, Lines& /*lines3*/,
                                              uint32_t /*level*/) const
{
    if (!(minimum > 0.0f) && !(spread > 0.0f))
        return;
    const LocalizationManager& text = LocalizationManager::Instance();
    const std::wstring amount =
        spread > 0.0f ? text.Format("DamageRangeFormat", static_cast<double>(minimum),
                                    static_cast<double>(minimum + spread))
                      : text.Format("DamageSingleFormat", static_cast<double>(minimum));
    lines1.push_back(amount + text.Format("DamageBasePhysical"));
    if (pierceRatio > 0.0f)
        lines1.push_back(text.Format("DamageBasePierceRatio", static_cast<double>(pierceRatio)));
}

void DamageAttribute_BasePhysical::CreateNextText(Lines& /*lines1*/, Lines& /*lines2*/,
                                                  Lines& /*lines3*/, uint32_t /*level*/,
                                                  uint32_t /*nextLevel*/) const
{}

void DamageAttribute_BasePhysical::AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                                          uint32_t /*level*/, RandomUniform& random,
                                                          bool /*force*/) const
{
    const float value = random.FGenerate(minimum, minimum + spread);
    accumulator.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
        CombatAttributeType_Unknown, value, pierceRatio, true));
}

void DamageAttribute_BasePhysical::AddModifierToAccumulator(
    CombatAttributeAccumulator& /*accumulator*/, uint32_t /*level*/, RandomUniform& /*random*/,
    bool /*force*/) const
{}

void DamageAttribute_BasePhysical::ScaleAttribute(float percent)
{
    if (percent != 0.0f)
        minimum = ScaleValue(minimum, percent);
}

void DamageAttribute_BasePhysical::AddJitter(float /*jitterPercent*/, RandomUniform* /*random*/) {}

void DamageAttribute_BasePhysical::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float average = (2.0f * minimum + spread) * 0.5f;
    if (average > 0.0f || pierceRatio > 0.0f) {
        info.avgBase += average;
        info.avgPierceRatio += pierceRatio;
        ++info.count;
    }
}

std::unique_ptr<DamageAttribute> DamageAttribute_BasePhysical::Clone() const
{
    return std::make_unique<DamageAttribute_BasePhysical>(*this);
}

float DamageAttribute_BasePhysical::Jitter(float /*value*/, float /*jitterPercent*/,
                                           RandomUniform& /*random*/) const
{
    return 0.0f;
}

float DamageAttribute_BasePhysical::Scale(float /*value*/, float /*percent*/) const
{
    return 0.0f;
}

} // namespace GAME
