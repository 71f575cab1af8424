#include "engine/FxPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FxPak, Entity);

FxPak::~FxPak() = default;

} // namespace GAME
