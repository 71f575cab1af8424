#pragma once

#include "engine/LineEffect.h"

namespace GAME {

// A beam effect from a caster to its targets.
class ChaosBeam : public LineEffect {
    GAME_DECLARE_CLASS(ChaosBeam)

public:
    ChaosBeam() = default;
    ~ChaosBeam() override;

    void SetEndPoints(const WorldVec3& from, const WorldVec3& to)
    {
        SetSource(from);
        SetDestination(to);
    }
    // Lets the beam go: it leaves the world and is destroyed.
    void Liberate();
};

} // namespace GAME
