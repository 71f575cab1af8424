#include "items/Item.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Item, Actor);

Item::~Item() = default;

} // namespace GAME
