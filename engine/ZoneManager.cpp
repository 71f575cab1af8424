#include "engine/ZoneManager.h"

namespace GAME {

ZoneManager& ZoneManager::Instance()
{
    static ZoneManager instance;
    return instance;
}

int32_t ZoneManager::GetActFromRegion(uint32_t regionId) const
{
    const auto found = acts.find(regionId);
    return found == acts.end() ? 0 : found->second;
}

} // namespace GAME
