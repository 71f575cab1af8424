#include "world/NpcWanderPoint.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcWanderPoint, Actor);

NpcWanderPoint::~NpcWanderPoint() = default;

} // namespace GAME
