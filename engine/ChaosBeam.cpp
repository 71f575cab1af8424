#include "engine/ChaosBeam.h"

#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ChaosBeam, LineEffect);

ChaosBeam::~ChaosBeam() = default;

void ChaosBeam::Liberate()
{
    World* world = gEngine->GetWorld();
    if (IsInWorld() && world != nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Engine/ChaosBeam", __LINE__);
}

} // namespace GAME
