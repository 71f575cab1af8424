#pragma once

#include "engine/RecordKeyIndex.h"

namespace GAME {

class LoadTable;

// The records a store loads one source's attributes from: the source's own record and, for an
// item, the prefix and suffix records of its affixes. Each affix rolls by the spread its own
// loot table allows; that is read once here rather than once for every attribute kind.
struct AttributeRecords {
    AttributeRecords(const LoadTable& ownRecord, const LoadTable* prefixRecord,
                     const LoadTable* suffixRecord, float ownJitterPercent);

    const LoadTable& record;
    const LoadTable* prefix;
    const LoadTable* suffix;
    float jitterPercent;
    // 0 for an affix that is absent or names no spread.
    float prefixJitterPercent;
    float suffixJitterPercent;
    // The kinds each record may hold (none for an absent affix).
    RecordKeyIndex::Loaders recordKinds;
    RecordKeyIndex::Loaders prefixKinds;
    RecordKeyIndex::Loaders suffixKinds;
};

} // namespace GAME
