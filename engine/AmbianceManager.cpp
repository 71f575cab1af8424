#include "engine/AmbianceManager.h"

namespace GAME {

AmbianceManager& AmbianceManager::Instance()
{
    static AmbianceManager instance;
    return instance;
}

void AmbianceManager::UpdateEnvironmentEffects(const WorldVec3& position)
{
    effectsPosition = position;
    ++positionUpdates;
}

void AmbianceManager::UpdateEnvironmentEffects(const WorldFrustum& view)
{
    effectsView = view;
    ++viewUpdates;
}

void AmbianceManager::Reset()
{
    *this = AmbianceManager();
}

} // namespace GAME
