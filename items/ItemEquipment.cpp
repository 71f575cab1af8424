#include "items/ItemEquipment.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ItemEquipment, Item);

ItemEquipment::~ItemEquipment() = default;

} // namespace GAME
