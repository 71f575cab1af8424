#include "world/FixedItem.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItem, Actor);

FixedItem::~FixedItem() = default;

} // namespace GAME
