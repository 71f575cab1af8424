#include "engine/Actor.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Actor, Entity);

Actor::~Actor() = default;

} // namespace GAME
