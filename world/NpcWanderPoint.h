#pragma once

#include "engine/Actor.h"

namespace GAME {

struct Intersection;
struct Ray;

// The centre and reach of a wandering non-player character's walks.
class NpcWanderPoint : public Actor {
    GAME_DECLARE_CLASS(NpcWanderPoint)

public:
    NpcWanderPoint();
    ~NpcWanderPoint() override;

    // "radius" (1.0).
    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    float GetRadius() const { return radius; }
    void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const override;

private:
    float radius = 1.0f;
};

} // namespace GAME
