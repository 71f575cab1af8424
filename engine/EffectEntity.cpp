#include "engine/EffectEntity.h"

#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(EffectEntity, Entity);

EffectEntity::~EffectEntity() = default;

void EffectEntity::PreLoad(bool)
{
    ++preLoadCount;
}

void EffectEntity::Reset()
{
    ++resetCount;
    emitting = false;
    activeParticles = false;
}

void EffectEntity::StartEmitting()
{
    ++startEmittingCount;
    emitting = true;
    activeParticles = true;
}

// The particles already made live on for their lifetime; a second stop does not prolong them.
void EffectEntity::StopEmitting()
{
    ++stopEmittingCount;
    if (emitting)
        particlesDieAt = gEngine->GetGameTime() + kParticleLifetimeMs;
    emitting = false;
}

bool EffectEntity::HasActiveParticles() const
{
    return activeParticles && (emitting || gEngine->GetGameTime() < particlesDieAt);
}

bool EffectEntity::AddToWorld(const WorldCoords& coords, bool flag)
{
    addToWorld.push_back({coords, flag});
    World* world = gEngine->GetWorld();
    return world != nullptr && world->AddEntity(this, coords, flag);
}

EffectEntity* LoadEffectEntityFromTable(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    if (name.empty())
        return nullptr;
    return ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
}

} // namespace GAME
