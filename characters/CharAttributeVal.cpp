#include "characters/CharAttributeVal.h"

#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeCostSums.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

void CharAttributeVal::AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const
{
    accumulator.AddValue(GetType(), GetValue(level));
}

void CharAttributeVal::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.bonus, info.bonusCount);
}

void CharAttributeValPri::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.primaryAtt, info.primaryAttCount);
}

void CharAttributeValSec::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.secondaryAtt, info.secondaryAttCount);
}

void CharAttributeValSpeed::AddJitter(float /*percent*/, RandomUniform* /*random*/) {}

void CharAttributeValSpeed::ScaleAttribute(float /*percent*/) {}

void CharAttributeAttackSpeed::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.attackSpeed, info.attackSpeedCount);
}

void CharAttributeOtherSpeed::GetCostInfo(CharAttributeCostSums& info) const
{
    AddCost(info.otherSpeed, info.otherSpeedCount);
}

CharAttributeVal_ManaLimitReserve::CharAttributeVal_ManaLimitReserve()
    : CharAttributeVal(CharAttribute_ManaLimitReserve, "characterManaLimitReserve",
                       "CharacterManaLimitReserve")
{}

void CharAttributeVal_ManaLimitReserve::GetCostInfo(CharAttributeCostSums& /*info*/) const {}

std::unique_ptr<CharAttribute> CharAttributeVal_ManaLimitReserve::Clone() const
{
    return std::make_unique<CharAttributeVal_ManaLimitReserve>(*this);
}

CharAttributeVal_LevelReqReduction::CharAttributeVal_LevelReqReduction()
    : CharAttributeVal(CharAttribute_LevelReqReduction, "characterLevelReqReduction",
                       "CharacterLevelReqReduction")
{}

void CharAttributeVal_LevelReqReduction::AddJitter(float /*percent*/, RandomUniform* /*random*/) {}

void CharAttributeVal_LevelReqReduction::ScaleAttribute(float /*percent*/) {}

std::unique_ptr<CharAttribute> CharAttributeVal_LevelReqReduction::Clone() const
{
    return std::make_unique<CharAttributeVal_LevelReqReduction>(*this);
}

CharAttributeVal_BaseAttackSpeed::CharAttributeVal_BaseAttackSpeed()
    : CharAttributeAttackSpeed(CharAttribute_BaseAttackSpeed, "characterBaseAttackSpeed",
                               "CharacterBaseAttackSpeed")
{}

void CharAttributeVal_BaseAttackSpeed::LoadBaseTable(const LoadTable& table)
{
    CharAttributeAttackSpeed::LoadBaseTable(table);
    speedTag = table.GetString("characterBaseAttackSpeedTag", "CharacterAttackSpeedNotSet");
}

void CharAttributeVal_BaseAttackSpeed::LoadPrefixTable(const LoadTable& /*table*/,
                                                       RandomUniform* /*random*/)
{}

void CharAttributeVal_BaseAttackSpeed::LoadSuffixTable(const LoadTable& /*table*/,
                                                       RandomUniform* /*random*/)
{}

void CharAttributeVal_BaseAttackSpeed::CreateText(uint32_t /*level*/,
                                                  std::vector<std::wstring>& headerLines,
                                                  std::vector<std::wstring>& /*lines*/) const
{
    headerLines.push_back(LocalizationManager::Instance().Format(speedTag));
}

void CharAttributeVal_BaseAttackSpeed::CreateNextText(uint32_t /*level*/, uint32_t /*nextLevel*/,
                                                      std::vector<std::wstring>& /*headerLines*/,
                                                      std::vector<std::wstring>& /*lines*/) const
{}

std::unique_ptr<CharAttribute> CharAttributeVal_BaseAttackSpeed::Clone() const
{
    return std::make_unique<CharAttributeVal_BaseAttackSpeed>(*this);
}

} // namespace GAME
