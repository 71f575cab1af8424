#include "world/PatrolPoint.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(PatrolPoint, Actor);

PatrolPoint::~PatrolPoint() = default;

} // namespace GAME
