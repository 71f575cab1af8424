#pragma once

#include "engine/Actor.h"

namespace GAME {

struct Intersection;
struct Ray;

// A marker the telekinesis drop picks its launch points around; it never blocks anything and
// only the level editor shows it.
class OrmenosDropZone : public Actor {
    GAME_DECLARE_CLASS(OrmenosDropZone)

public:
    OrmenosDropZone();
    ~OrmenosDropZone() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    bool OccludesPathing() const override { return false; }
    bool CanCollide(const Entity* /*other*/) const { return false; }
    float GetRadius() const { return radius; }
    // The editor picks the zone as a sphere of its radius; a miss lies at the largest float.
    void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const override;

private:
    float radius = 1.0f;
};

} // namespace GAME
