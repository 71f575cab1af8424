#include "characters/CharAttributeMod.h"

#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeCostSums.h"

namespace GAME {

void CharAttributeMod::AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const
{
    accumulator.AddModifier(GetType(), GetValue(level));
}

void CharAttributeMod::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.bonusMod, info.bonusModCount);
}

void CharAttributePriMod::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.primaryMod, info.primaryModCount);
}

void CharAttributeSecMod::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.secondaryMod, info.secondaryModCount);
}

void CharAttributeAttackSpeedMod::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.attackSpeedMod, info.attackSpeedModCount);
}

void CharAttributeOtherSpeedMod::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.otherSpeedMod, info.otherSpeedModCount);
}

CharAttributeMod_TotalSpeed::CharAttributeMod_TotalSpeed()
    : CharAttributeMod(CharAttribute_TotalSpeed, "characterTotalSpeedModifier",
                       "CharacterTotalSpeedModifier")
{}

void CharAttributeMod_TotalSpeed::AddToAccumulator(CharAttributeAccumulator& accumulator,
                                                   uint32_t level) const
{
    const float value = GetValue(level);
    accumulator.AddModifier(CharAttribute_RunSpeed, value);
    accumulator.AddModifier(CharAttribute_AttackSpeed, value);
    accumulator.AddModifier(CharAttribute_BaseAttackSpeed, value);
    accumulator.AddModifier(CharAttribute_SpellCastSpeed, value);
}

void CharAttributeMod_TotalSpeed::GetCostInfo(CharAttributeCostSums& info) const
{
    const float value = GetValue(1);
    if (value == 0.0f)
        return;
    info.attackSpeedMod += value;
    info.otherSpeedMod += value;
    info.attackSpeedModCount += 2;
    info.otherSpeedModCount += 1;
}

std::unique_ptr<CharAttribute> CharAttributeMod_TotalSpeed::Clone() const
{
    return std::make_unique<CharAttributeMod_TotalSpeed>(*this);
}

CharAttributeMod_AttackSpeed::CharAttributeMod_AttackSpeed()
    : CharAttributeAttackSpeedMod(CharAttribute_AttackSpeed, "characterAttackSpeedModifier",
                                  "CharacterAttackSpeedModifier")
{}

void CharAttributeMod_AttackSpeed::AddToAccumulator(CharAttributeAccumulator& accumulator,
                                                    uint32_t level) const
{
    const float value = GetValue(level);
    accumulator.AddModifier(CharAttribute_AttackSpeed, value);
    accumulator.AddModifier(CharAttribute_BaseAttackSpeed, value);
}

std::unique_ptr<CharAttribute> CharAttributeMod_AttackSpeed::Clone() const
{
    return std::make_unique<CharAttributeMod_AttackSpeed>(*this);
}

} // namespace GAME
