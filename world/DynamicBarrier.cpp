#include "world/DynamicBarrier.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(DynamicBarrier, AmbientCharacter);

DynamicBarrier::~DynamicBarrier() = default;

} // namespace GAME
