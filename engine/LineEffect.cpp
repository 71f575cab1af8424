#include "engine/LineEffect.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LineEffect, Entity);

LineEffect::~LineEffect() = default;

} // namespace GAME
