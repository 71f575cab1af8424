#pragma once

#include "engine/Entity.h"

namespace GAME {

// A drawn line between two points (lightning and the like).
class LineEffect : public Entity {
    GAME_DECLARE_CLASS(LineEffect)

public:
    LineEffect() = default;
    ~LineEffect() override;
};

} // namespace GAME
