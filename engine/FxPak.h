#pragma once

#include "engine/Entity.h"

namespace GAME {

// A record-made bundle of effects and sounds that plays where it is placed. Nothing is shown
// here; the pack is an entity that can be made from its record and put in the world.
class FxPak : public Entity {
    GAME_DECLARE_CLASS(FxPak)

public:
    FxPak() = default;
    ~FxPak() override;
};

} // namespace GAME
