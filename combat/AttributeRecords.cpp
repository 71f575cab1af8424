#include "combat/AttributeRecords.h"

#include "engine/LoadTable.h"

#include <cmath>

namespace GAME {

namespace {

// A spread that is not a number would neither roll nor stay put in a meaningful way.
float AffixJitter(const LoadTable* affix)
{
    if (affix == nullptr)
        return 0.0f;
    const float jitter = affix->GetFloat("lootRandomizerJitter", 0.0f);
    return std::isfinite(jitter) ? jitter : 0.0f;
}

} // namespace

AttributeRecords::AttributeRecords(const LoadTable& ownRecord, const LoadTable* prefixRecord,
                                   const LoadTable* suffixRecord, float ownJitterPercent)
    : record(ownRecord), prefix(prefixRecord), suffix(suffixRecord),
      jitterPercent(ownJitterPercent), prefixJitterPercent(AffixJitter(prefixRecord)),
      suffixJitterPercent(AffixJitter(suffixRecord))
{}

} // namespace GAME
