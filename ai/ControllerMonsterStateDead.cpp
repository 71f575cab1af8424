#include "ai/ControllerMonsterStateDead.h"

#include "engine/Engine.h"
#include "engine/World.h"
#include "world/Proxy.h"

namespace GAME {

void ControllerMonsterStateDead::OnBegin()
{
    Proxy* treasure = GetController()->GetTreasureProxy();
    const Monster* self = GetCharacter();
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (treasure != nullptr && self != nullptr && world != nullptr)
        world->AddEntity(treasure, self->GetCoords(), false);
}

} // namespace GAME
