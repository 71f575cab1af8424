#pragma once

#include "engine/Actor.h"

namespace GAME {

class LoadTable;

// A marker the telekinesis drop picks its launch points around; it never blocks anything.
class OrmenosDropZone : public Actor {
    GAME_DECLARE_CLASS(OrmenosDropZone)

public:
    OrmenosDropZone() = default;
    ~OrmenosDropZone() override;

    void Load(const LoadTable& table) override;
    bool OccludesPathing() const override { return false; }
    bool CanCollide(const Entity* /*other*/) const { return false; }
    float GetRadius() const { return radius; }

private:
    float radius = 1.0f;
};

} // namespace GAME
