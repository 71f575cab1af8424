#include "world/FixedItemTeleport.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemTeleport, FixedItem);

FixedItemTeleport::~FixedItemTeleport() = default;

} // namespace GAME
