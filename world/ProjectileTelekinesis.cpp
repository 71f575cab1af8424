#include "world/ProjectileTelekinesis.h"

#include "engine/Engine.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileTelekinesis, ProjectileBase);

ProjectileTelekinesis::~ProjectileTelekinesis() = default;

void ProjectileTelekinesis::ProjectileFall()
{
    if (World* world = gEngine->GetWorld())
        world->AddEntity(this, GetInfo().launchCoords, false);
    state = State_Falling;
}

void ProjectileTelekinesis::Explode(bool /*withSound*/)
{
    SetVisibility(false);
    state = State_Exploded;
}

} // namespace GAME
