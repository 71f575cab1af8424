#pragma once

#include "engine/Light.h"

namespace GAME {

// A bluish point light that levels place to light a spot.
class LightAnchor : public Light {
    GAME_DECLARE_CLASS(LightAnchor)

public:
    LightAnchor();
    ~LightAnchor() override;
};

} // namespace GAME
