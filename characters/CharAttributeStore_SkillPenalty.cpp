#include "characters/CharAttributeStore_SkillPenalty.h"

#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeVal.h"

namespace GAME {

void CharAttributeStore_SkillPenalty::Load(const LoadTable& record)
{
    Clear();
    LoadAttributes<CharAttributeVal_ManaLimitReserve, CharAttributeMod_ManaLimitReserve>(
        Source(record), 0.0f, false);
    EndLoad();
}

} // namespace GAME
