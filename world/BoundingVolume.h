#pragma once

#include "engine/Actor.h"

namespace GAME {

// A region of the level that notices who enters and leaves it. Grown by the world objects
// subsystem; for now a class record that filters can test.
class BoundingVolume : public Actor {
    GAME_DECLARE_CLASS(BoundingVolume)

public:
    BoundingVolume() = default;
    ~BoundingVolume() override;

    float GetRadius() const { return radius; }
    void SetRadius(float value) { radius = value; }

private:
    float radius = 10.0f;
};

} // namespace GAME
