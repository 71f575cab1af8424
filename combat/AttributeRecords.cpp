#include "combat/AttributeRecords.h"

#include "engine/LoadTable.h"

namespace GAME {

namespace {

float AffixJitter(const LoadTable* affix)
{
    return affix != nullptr ? affix->GetFloat("lootRandomizerJitter", 0.0f) : 0.0f;
}

} // namespace

AttributeRecords::AttributeRecords(const LoadTable& ownRecord, const LoadTable* prefixRecord,
                                   const LoadTable* suffixRecord, float ownJitterPercent)
    : record(ownRecord), prefix(prefixRecord), suffix(suffixRecord),
      jitterPercent(ownJitterPercent), prefixJitterPercent(AffixJitter(prefixRecord)),
      suffixJitterPercent(AffixJitter(suffixRecord))
{}

} // namespace GAME
