#include "world/Proxy.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Proxy, Actor);

Proxy::~Proxy() = default;

} // namespace GAME
