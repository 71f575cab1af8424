#pragma once

#include "engine/Coords.h"
#include "engine/Name.h"
#include "engine/PhysicsObject.h"
#include "engine/SkeletalPose.h"
#include "engine/Vec3.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace GAME {

class Actor;

// An actor's body handed to the physics as a chain of rigid bodies. Nothing is simulated here:
// the bodies keep the starting velocities they are given, and the simulation is only a span of
// time that starts the bodies off and then ends.
class PhysicsRagDoll : public PhysicsObject {
public:
    // Each body hangs between two bones of the skeleton.
    struct RigidBody {
        Name firstBone;
        Name secondBone;
        Vec3 linearVelocity;
        bool velocitySet = false;
    };

    // Takes the rigid bodies of the actor's mesh.
    explicit PhysicsRagDoll(Actor* actor);
    ~PhysicsRagDoll() override = default;

    Actor* GetActor() const { return actor; }

    // The mesh's rigid-body records, as the mesh loader (or a test) gives them.
    void AddRigidBody(const Name& firstBone, const Name& secondBone);
    const std::vector<RigidBody>& GetRigidBodies() const { return rigidBodies; }

    // One body; an index outside the list is ignored.
    void SetLinearVelocity(size_t index, const Vec3& velocity);
    // Every body.
    virtual void SetLinearVelocity(const Vec3& velocity);

    // A body's frame from its two bones: halfway between them, turned as the first.
    static Coords GetRigidBodyCoords(const Coords& first, const Coords& second);

    // The mesh's bones at each frame of the animation it plays, relative to the actor, as the
    // mesh loader (or a test) gives them. Without any the actor has no posable mesh.
    void SetFrameBones(int32_t frame, const SkeletalPose& bones) { frameBones[frame] = bones; }
    bool HasMesh() const { return !frameBones.empty(); }
    // The bone's coordinates in the pose's frame; false for a frame or bone the mesh lacks.
    bool GetAbsCoords(const SkeletalPose& pose, const Name& bone, Coords& out) const;

    // How long a simulation lasts before the body comes to rest.
    void SetSimulationTimeMs(int32_t ms) { simulationTimeMs = ms; }
    // Starts the bodies off; a running simulation is not restarted.
    void StartSimulation();
    void Start() override { StartSimulation(); }
    // Ends the simulation once its time has passed.
    void Update(int32_t elapsedMs) override;
    bool IsEnabled() const { return enabled; }

protected:
    virtual void OnDisabled() {}
    virtual void SetInitialState() {}

private:
    Actor* actor;
    std::vector<RigidBody> rigidBodies;
    std::map<int32_t, SkeletalPose> frameBones;
    int32_t simulationTimeMs = 0;
    int32_t elapsedTimeMs = 0;
    bool enabled = false;
};

} // namespace GAME
