#include "world/FixedItem.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItem, Actor);

FixedItem::~FixedItem() = default;

WorldVec3 FixedItem::GetMoveToPoint(uint32_t /*user*/)
{
    return GetCoords().GetPosition();
}

} // namespace GAME
