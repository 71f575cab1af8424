#include "engine/World.h"

#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/PhysicsObject.h"

namespace GAME {

void World::UpdateEntities(int32_t elapsedMs)
{
    // A nested call (an entity driving the world from its own update) would see the list mid-way.
    if (updatingEntities)
        return;
    CompactSparseUpdateOrder();
    updatingEntities = true;
    const size_t count = updateOrder.size();
    // Any step may remove entities (or delete them); the slot turns null, so it is looked at
    // again before each step.
    for (size_t i = 0; i < count; ++i) {
        Entity* entity = updateOrder[i];
        if (entity == nullptr)
            continue;
        entity->PreAnimationUpdate(elapsedMs);
        if (updateOrder[i] != entity)
            continue;
        entity->UpdateAnimations(elapsedMs);
        if (updateOrder[i] != entity)
            continue;
        entity->UpdateSelf(elapsedMs);
        if (updateOrder[i] != entity)
            continue;
        if (PhysicsObject* physics = entity->GetPhysicsObject())
            physics->Update(elapsedMs);
    }
    const uint32_t frame = gEngine->GetFrameCount();
    for (size_t i = 0; i < count; ++i) {
        Entity* entity = updateOrder[i];
        if (entity == nullptr || !entity->InRenderPreLoadFrustum())
            continue;
        if (Actor* actor = DynamicCast<Actor>(entity))
            actor->SetLastFrameRendered(frame);
    }
    updatingEntities = false;
}

// Compacting walks the whole list and finds each entity's placement, so it waits until the holes
// are half of it: in a big fight someone dies nearly every frame, and compacting on each death
// costs a walk of every entity per frame on top of the frame's own.
void World::CompactSparseUpdateOrder()
{
    if (!updatingEntities && updateOrderHoles > 64 && updateOrderHoles * 2 > updateOrder.size())
        CompactUpdateOrder();
}

void World::CompactUpdateOrder()
{
    if (updateOrderHoles == 0)
        return;
    size_t kept = 0;
    for (Entity* entity : updateOrder) {
        if (entity == nullptr)
            continue;
        placements.find(entity)->second.order = kept;
        updateOrder[kept++] = entity;
    }
    updateOrder.resize(kept);
    updateOrderHoles = 0;
}

void World::CreateDisturbance(const WorldVec3& position, float radius, float strength,
                              int32_t splashType)
{
    disturbances.Add(Disturbance{position, radius, strength, splashType});
}

} // namespace GAME
