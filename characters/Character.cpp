#include "characters/Character.h"

#include "engine/Engine.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Character, Actor);

Character::~Character() = default;

bool Character::IsAlive() const
{
    return lifeState == LifeState_Alive || lifeState == LifeState_Unknown;
}

void Character::TeleportToLocation(const WorldCoords& coords)
{
    if (World* world = gEngine->GetWorld())
        world->SetCoords(this, coords);
}

} // namespace GAME
