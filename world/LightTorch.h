#pragma once

#include "engine/Light.h"

#include <cstdint>

namespace GAME {

// A light whose warm colour flickers by gradient noise; each torch starts at its own phase so
// that neighbours do not flicker together.
class LightTorch : public Light {
    GAME_DECLARE_CLASS(LightTorch)

public:
    LightTorch() = default;
    ~LightTorch() override;

    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;

    float GetPhase() const { return phase; }

private:
    float phase = 0.0f;
};

} // namespace GAME
