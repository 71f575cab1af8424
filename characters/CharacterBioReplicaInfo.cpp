#include "characters/CharacterBioReplicaInfo.h"

#include "core/Saturate.h"

namespace GAME {

uint32_t CharacterBioReplicaInfo::ToWholeNumber(float value)
{
    return SaturateToUInt(value);
}

} // namespace GAME
