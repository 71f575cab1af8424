#pragma once

#include "engine/Actor.h"

namespace GAME {

// A spot the level designer marks for the light boss's skill; seen only in the level editor.
class LightOfRaMarker : public Actor {
    GAME_DECLARE_CLASS(LightOfRaMarker)

public:
    LightOfRaMarker();
    ~LightOfRaMarker() override;
};

} // namespace GAME
