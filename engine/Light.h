#pragma once

#include "engine/Entity.h"

namespace GAME {

// A light source placed in the world.
class Light : public Entity {
    GAME_DECLARE_CLASS(Light)

public:
    Light() = default;
    ~Light() override;
};

} // namespace GAME
