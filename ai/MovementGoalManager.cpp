#include "ai/MovementGoalManager.h"

namespace GAME {

MovementGoalManager& MovementGoalManager::GetCharacterInstance()
{
    static MovementGoalManager instance;
    return instance;
}

} // namespace GAME
