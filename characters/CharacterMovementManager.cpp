#include "characters/CharacterMovementManager.h"

#include "engine/Path.h"

namespace GAME {

CharacterMovementManager::CharacterMovementManager(Character* owner) : owner(owner) {}

CharacterMovementManager::~CharacterMovementManager()
{
    path.reset();
    cachedPath.reset();
    localPath.reset();
}

} // namespace GAME
