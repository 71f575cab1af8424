#include "engine/DayNightManager.h"

namespace GAME {

DayNightManager& DayNightManager::Instance()
{
    static DayNightManager instance;
    return instance;
}

} // namespace GAME
