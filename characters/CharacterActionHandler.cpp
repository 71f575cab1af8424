#include "characters/CharacterActionHandler.h"

namespace GAME {

CharacterActionHandler::~CharacterActionHandler() = default;

void CharacterActionHandler::SetActionFilter(
    std::unique_ptr<FilterFunction<CharacterAction>> filter)
{
    actionFilter = std::move(filter);
}

} // namespace GAME
