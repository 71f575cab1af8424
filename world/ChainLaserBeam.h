#pragma once

#include "engine/ChaosBeam.h"

namespace GAME {

// The three beams of the chain laser: a chaos beam under its own class name.
class ChainLaserBeam : public ChaosBeam {
    GAME_DECLARE_CLASS(ChainLaserBeam)

public:
    ChainLaserBeam() = default;
    ~ChainLaserBeam() override;
};

} // namespace GAME
