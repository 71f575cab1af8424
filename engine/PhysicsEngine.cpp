#include "engine/PhysicsEngine.h"

#include "engine/Actor.h"
#include "engine/CollisionData.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/World.h"

#include <cmath>
#include <vector>

namespace GAME {

namespace {

constexpr float kGravity = 9.8f;
// What a bounce keeps of the speed into and along the surface struck.
constexpr float kBounceKeep = 0.4f;
constexpr float kSlideKeep = 0.6f;
// Slower than this after a bounce, a body lies still.
constexpr float kRestSpeed = 1.0f;
// How close an entity must come to touch a body.
constexpr float kContactRadius = 0.5f;

Entity* FirstContact(const World& world, const Actor& body, const WorldVec3& at,
                     const std::function<bool(const Entity*)>& canCollide)
{
    std::vector<Entity*> near;
    world.GetEntitiesInSphere(near, at.GetRegion(), at.GetRegionPosition(), kContactRadius);
    for (Entity* entity : near) {
        if (entity != &body && canCollide(entity))
            return entity;
    }
    return nullptr;
}

} // namespace

void PhysicsEngine::RemoveEntityFromSimulation(Entity* entity)
{
    if (entity == nullptr)
        return;
    entity->SetSimulationEnabled(false);
    removedEntities.Add(entity->GetObjectId());
}

void PhysicsEngine::SetEntityLinearVelocity(Entity* entity, const Vec3& velocity)
{
    if (entity != nullptr)
        linearVelocities.Add({entity->GetObjectId(), velocity});
}

void PhysicsEngine::SetEntityAngularVelocity(Entity* entity, const Vec3& velocity)
{
    if (entity != nullptr)
        angularVelocities.Add({entity->GetObjectId(), velocity});
}

void PhysicsEngine::StepBody(Actor& body, Vec3& velocity, bool gravity, int32_t elapsedMs,
                             const std::function<bool(const Entity*)>& canCollide)
{
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr || elapsedMs <= 0 || !body.IsSimulationEnabled())
        return;
    const float ms = static_cast<float>(elapsedMs);
    if (gravity)
        velocity.y -= kGravity * ms / 1000.0f;
    // Multiplied before dividing, so whole speeds over whole frames land exactly.
    const Vec3 step(velocity.x * ms / 1000.0f, velocity.y * ms / 1000.0f,
                    velocity.z * ms / 1000.0f);
    WorldCoords coords = body.GetCoords();
    WorldVec3 position = coords.GetPosition();
    position.Translate(step);

    CollisionData contact;
    bool touched = false;
    Vec3 here = position.GetRegionPosition();
    const float floor = world->GetNearestFloorHeight(position);
    if (std::isfinite(floor) && here.y < floor) {
        here.y = floor;
        position = WorldVec3(position.GetRegionId(), here);
        velocity =
            Vec3(velocity.x * kSlideKeep, -velocity.y * kBounceKeep, velocity.z * kSlideKeep);
        touched = true;
    } else if (FirstContact(*world, body, position, canCollide) != nullptr) {
        contact.surface = CollisionData::kSurfaceEntity;
        velocity = velocity * -kBounceKeep;
        touched = true;
    }
    coords.SetPosition(position);
    world->SetCoords(&body, coords);
    if (!touched)
        return;
    contact.impact = true;
    if (velocity.Length() < kRestSpeed) {
        velocity = Vec3();
        body.SetSimulationEnabled(false);
    }
    contacts.Add({body.GetObjectId(), contact.surface});
    body.CollisionCallback(contact);
}

} // namespace GAME
