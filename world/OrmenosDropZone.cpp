#include "world/OrmenosDropZone.h"

#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OrmenosDropZone, Actor);

OrmenosDropZone::~OrmenosDropZone() = default;

void OrmenosDropZone::Load(const LoadTable& table)
{
    Actor::Load(table);
    radius = table.GetFloat("radius", 1.0f);
}

} // namespace GAME
