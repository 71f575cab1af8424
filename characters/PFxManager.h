#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace GAME {

class Actor;

// The particle and mesh effects hung on one character's actor, keyed by the effect's object
// id. A stopped particle effect stays on the actor until its last particle has died, so that
// it fades instead of vanishing; a removed one is destroyed by `Update` once it is off the
// actor. Mesh effects hang on the actor only while they run.
class PFxManager {
public:
    PFxManager() = default;
    virtual ~PFxManager();
    PFxManager(const PFxManager&) = delete;
    PFxManager& operator=(const PFxManager&) = delete;

    // The actor is not owned; without one, effects run but hang on nothing.
    void AttachActor(Actor* actor);

    // The new effect's object id: 0 for an empty name or a record that makes no
    // `EffectEntity`. Nothing is attached yet.
    uint32_t AddParticleEffect(const std::string& record, const std::string& attachPoint);
    // Ignored for an unknown or removed effect.
    void StartParticleEffect(uint32_t id);
    void StopParticleEffect(uint32_t id);
    // Stops the effect and leaves its destruction to `Update`; `id` becomes 0 in every case.
    void RemoveParticleEffect(uint32_t& id);

    // As `AddParticleEffect`, with an `FxMesh` at the attach point its record names.
    uint32_t AddMeshEffect(const std::string& record);
    void StartMeshEffect(uint32_t id);
    void StopMeshEffect(uint32_t id);
    // Destroys the effect at once; `id` becomes 0 in every case.
    void RemoveMeshEffect(uint32_t& id);

    // A particle effect that plays out on the actor by itself; the manager does not keep it.
    void OneShotParticleEffect(const std::string& record, const std::string& attachPoint);

    // Takes stopped particle effects off the actor once their particles are gone, and destroys
    // removed ones that are off it: one step per effect and call.
    void Update(int32_t ms);

    size_t GetNumParticleEffects() const { return particleEffects.size(); }
    size_t GetNumMeshEffects() const { return meshEffects.size(); }

private:
    struct Entry {
        std::string attachPoint;
        bool attached = false;
        bool active = false;
        bool removed = false;
    };

    bool AttachToActor(uint32_t effectId, const std::string& attachPoint) const;
    void DetachFromActor(uint32_t effectId) const;

    Actor* actor = nullptr;
    std::map<uint32_t, Entry> particleEffects;
    std::map<uint32_t, Entry> meshEffects;
    // The particle effects `Update` has work for: stopped ones still on the actor and removed
    // ones. A character carries a dozen idle effect packs; walking them all every frame was a
    // fifth of a crowded fight's frame.
    std::set<uint32_t> settling;
};

} // namespace GAME
