#pragma once

#include "engine/Entity.h"
#include "engine/Name.h"

#include <cstdint>

namespace GAME {

struct Intersection;
struct Ray;

// The common ground of placed effects: an entity to follow, the stir it makes in the grass, and
// whether it has played out.
class Fx : public Entity {
    GAME_DECLARE_CLASS(Fx)

public:
    Fx() = default;
    ~Fx() override;

    // "disturbanceRadius".
    void Load(const LoadTable& table) override;

    virtual void SetParent(Entity* entity) { parent = entity; }
    virtual void LoadResources() {}
    virtual void Start() {}
    virtual void Stop() {}
    virtual void AddToWorld(const WorldCoords& /*coords*/) {}
    // The followed entity's place when there is one, else the effect's own.
    virtual WorldCoords GetMyRegionCoords() const;
    virtual WorldCoords GetMyWorldCoords() const;
    virtual bool IsComplete() const { return complete; }

    // "DisplaceGrass" stirs the ground cover around the effect.
    virtual void AnimationCallback(int32_t kind, const Name& name);
    // Only the editor picks effects, as a small sphere; elsewhere every ray misses.
    void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const override;

    float GetDisturbanceRadius() const { return disturbanceRadius; }

protected:
    void SetComplete(bool value) { complete = value; }

private:
    Entity* parent = nullptr;
    bool complete = false;
    float disturbanceRadius = 0.0f;
};

} // namespace GAME
