#include "combat/AttributeRecords.h"

#include "engine/LoadTable.h"

namespace GAME {

namespace {

float AffixJitter(const LoadTable* affix)
{
    return affix != nullptr ? affix->GetFloat("lootRandomizerJitter", 0.0f) : 0.0f;
}

RecordKeyIndex::Loaders KindsOf(const LoadTable* affix)
{
    return affix != nullptr ? RecordKeyIndex::Instance().Find(*affix) : RecordKeyIndex::Loaders();
}

} // namespace

AttributeRecords::AttributeRecords(const LoadTable& ownRecord, const LoadTable* prefixRecord,
                                   const LoadTable* suffixRecord, float ownJitterPercent)
    : record(ownRecord), prefix(prefixRecord), suffix(suffixRecord),
      jitterPercent(ownJitterPercent), prefixJitterPercent(AffixJitter(prefixRecord)),
      suffixJitterPercent(AffixJitter(suffixRecord)),
      recordKinds(RecordKeyIndex::Instance().Find(ownRecord)), prefixKinds(KindsOf(prefixRecord)),
      suffixKinds(KindsOf(suffixRecord))
{}

} // namespace GAME
