#include "engine/EffectEntity.h"

#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(EffectEntity, Entity);

namespace {
constexpr const char* kEffectEntitySource = "Engine/EffectEntity";
} // namespace

// A stale id would stay in the forced updates for ever.
EffectEntity::~EffectEntity()
{
    if (selfDeletingChild && gEngine != nullptr)
        gEngine->UnregisterForForcedUpdates(GetObjectId());
}

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
    if (!emitting)
        emittingSince = gEngine->GetGameTime();
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
    if (world == nullptr || !world->AddEntity(this, coords, flag))
        return false;
    playingOut = true;
    return true;
}

void EffectEntity::MakeSelfDeletingChild()
{
    if (selfDeletingChild)
        return;
    selfDeletingChild = true;
    playingOut = true;
    gEngine->RegisterForForcedUpdates(GetObjectId());
}

void EffectEntity::UpdateSelf(int32_t elapsedMs)
{
    Entity::UpdateSelf(elapsedMs);
    PlayOut();
}

void EffectEntity::ForcedUpdate(int32_t elapsedMs)
{
    Entity::ForcedUpdate(elapsedMs);
    PlayOut();
}

// The play ends at its due time, not at the frame that notices it, so the particles die out
// when they would have with a renderer.
void EffectEntity::PlayOut()
{
    if (!playingOut)
        return;
    const uint64_t playEnds = emittingSince + kEmissionMs;
    if (emitting && gEngine->GetGameTime() >= playEnds) {
        emitting = false;
        particlesDieAt = playEnds + kParticleLifetimeMs;
    }
    if (!HasActiveParticles())
        End();
}

void EffectEntity::End()
{
    playingOut = false;
    if (Entity* parent = GetAttachParent())
        parent->Detach(this);
    if (World* world = gEngine->GetWorld(); world != nullptr && IsInWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kEffectEntitySource, __LINE__);
}

EffectEntity* LoadEffectEntityFromTable(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    if (name.empty())
        return nullptr;
    return ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
}

} // namespace GAME
