#include "engine/Entity.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Entity, Object);

Entity::~Entity() = default;

} // namespace GAME
