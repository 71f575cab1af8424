#pragma once

#include "characters/Character.h"
#include "engine/WorldCoords.h"

namespace GAME {

// A player character. Grown by the characters subsystem; for now a class record that filters and
// look-ups can test.
class Player : public Character {
    GAME_DECLARE_CLASS(Player)

public:
    Player() = default;
    ~Player() override;

    // The game settings' "playerDefenseCap" at the current difficulty.
    float GetDefenseAttributeCap() const override;
    // A player switches weapons at will: every style's set is ready.
    bool AllocateAllAnimSets() const override { return true; }

    // Where something made for the player appears. Without a path finder to offer free points
    // around the player, that is the player's own place.
    WorldCoords GetNearSpawnCoords() const;
};

} // namespace GAME
