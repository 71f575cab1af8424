#include "items/CostInfo_CharacterAttributes.h"

#include "engine/Engine.h"

namespace GAME {

namespace {

struct PairLine {
    float CharAttributeCostSums::*value;
    int32_t CharAttributeCostSums::*count;
    const char* format;
};

constexpr PairLine pairLines[] = {
    {&CharAttributeCostSums::primaryAtt, &CharAttributeCostSums::primaryAttCount,
     "   primaryAtt     (%f)   primaryAttCount       (%d)"},
    {&CharAttributeCostSums::secondaryAtt, &CharAttributeCostSums::secondaryAttCount,
     "   secondaryAtt   (%f)   secondaryAttCount     (%d)"},
    {&CharAttributeCostSums::bonus, &CharAttributeCostSums::bonusCount,
     "   bonus          (%f)   bonusCount            (%d)"},
    {&CharAttributeCostSums::primaryMod, &CharAttributeCostSums::primaryModCount,
     "   primaryMod     (%f)   primaryModCount       (%d)"},
    {&CharAttributeCostSums::secondaryMod, &CharAttributeCostSums::secondaryModCount,
     "   secondaryMod   (%f)   secondaryModCount     (%d)"},
    {&CharAttributeCostSums::bonusMod, &CharAttributeCostSums::bonusModCount,
     "   bonusMod       (%f)   bonusModCount         (%d)"},
    {&CharAttributeCostSums::attackSpeed, &CharAttributeCostSums::attackSpeedCount,
     "   attackSpeed    (%f)   attackSpeedCount      (%d)"},
    {&CharAttributeCostSums::otherSpeed, &CharAttributeCostSums::otherSpeedCount,
     "   otherSpeed     (%f)   otherSpeedCount       (%d)"},
    {&CharAttributeCostSums::attackSpeedMod, &CharAttributeCostSums::attackSpeedModCount,
     "   attackSpeedMod (%f)   attackSpeedModCount   (%d)"},
    {&CharAttributeCostSums::otherSpeedMod, &CharAttributeCostSums::otherSpeedModCount,
     "   otherSpeedMod  (%f)   otherSpeedModCount    (%d)"},
};

void LogNonZero(const char* format, float value)
{
    if (value != 0.0f)
        gEngine->Log(Engine::LogInfo, format, static_cast<double>(value));
}

} // namespace

int32_t CostInfo_CharacterAttributes::GetTotalCount() const
{
    int32_t total = 0;
    for (const PairLine& pair : pairLines)
        total += this->*pair.count;
    return total;
}

void CostInfo_CharacterAttributes::Dump() const
{
    gEngine->Log(Engine::LogInfo, "Character Cost Attributes");
    for (const PairLine& pair : pairLines) {
        const float value = this->*pair.value;
        const int32_t count = this->*pair.count;
        if (value != 0.0f || count != 0)
            gEngine->Log(Engine::LogInfo, pair.format, static_cast<double>(value), count);
    }
}

void CostInfo_AugmentAttributes::Dump() const
{
    gEngine->Log(Engine::LogInfo, "Augments Cost Attributes");
    if (augmentLevel != 0)
        gEngine->Log(Engine::LogInfo, "   augmentLevel    = %d", augmentLevel);
    if (augmentCount != 0)
        gEngine->Log(Engine::LogInfo, "   augmentCount    = %d", augmentCount);
}

void CostInfo_ShieldAttributes::Dump() const
{
    gEngine->Log(Engine::LogInfo, "Shield Cost Attributes");
    LogNonZero("   blockChance         = %f", blockChance);
    LogNonZero("   blockDefense        = %f", blockDefense);
    LogNonZero("   blockAbsorption     = %f", blockAbsorption);
    LogNonZero("   blockRecoveryTime   = %f", blockRecoveryTime);
}

} // namespace GAME
