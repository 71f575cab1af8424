#include "engine/PhysicsRagDoll.h"

#include "engine/Actor.h"

namespace GAME {

PhysicsRagDoll::PhysicsRagDoll(Actor* actor) : actor(actor)
{
    if (actor == nullptr)
        return;
    for (const auto& [first, second] : actor->GetRigidBodyBones())
        AddRigidBody(first, second);
}

void PhysicsRagDoll::AddRigidBody(const Name& firstBone, const Name& secondBone)
{
    RigidBody body;
    body.firstBone = firstBone;
    body.secondBone = secondBone;
    rigidBodies.push_back(body);
}

void PhysicsRagDoll::SetLinearVelocity(size_t index, const Vec3& velocity)
{
    if (index >= rigidBodies.size())
        return;
    rigidBodies[index].linearVelocity = velocity;
    rigidBodies[index].velocitySet = true;
}

void PhysicsRagDoll::SetLinearVelocity(const Vec3& velocity)
{
    for (size_t i = 0; i < rigidBodies.size(); ++i)
        SetLinearVelocity(i, velocity);
}

Coords PhysicsRagDoll::GetRigidBodyCoords(const Coords& first, const Coords& second)
{
    Coords body = first;
    body.origin = (first.origin + second.origin) * 0.5f;
    return body;
}

bool PhysicsRagDoll::GetAbsCoords(const SkeletalPose& pose, const Name& bone, Coords& out) const
{
    const auto found = frameBones.find(pose.frame);
    return found != frameBones.end() && found->second.GetBoneCoords(bone, out);
}

void PhysicsRagDoll::StartSimulation()
{
    if (enabled)
        return;
    enabled = true;
    elapsedTimeMs = 0;
    SetInitialState();
}

void PhysicsRagDoll::Update(int32_t elapsedMs)
{
    if (!enabled)
        return;
    if (elapsedMs > 0)
        elapsedTimeMs += elapsedMs;
    if (elapsedTimeMs < simulationTimeMs)
        return;
    enabled = false;
    OnDisabled();
}

} // namespace GAME
