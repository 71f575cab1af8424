#include "engine/Light.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Light, Entity);

Light::~Light() = default;

} // namespace GAME
