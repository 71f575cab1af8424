#pragma once

#include "engine/Entity.h"

namespace GAME {

// A beam effect from a caster to its targets.
class ChaosBeam : public Entity {
    GAME_DECLARE_CLASS(ChaosBeam)

public:
    ChaosBeam() = default;
    ~ChaosBeam() override;
};

} // namespace GAME
