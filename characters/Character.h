#pragma once

#include "core/Team.h"
#include "engine/Actor.h"

namespace GAME {

// The base of every creature. Grown by the characters subsystem; for now only what teams and
// filters ask of it.
class Character : public Actor {
    GAME_DECLARE_CLASS(Character)

public:
    Character() = default;
    ~Character() override;

    bool ShouldServerSpawn() const override { return true; }

    Team GetTeam() const { return team; }
    virtual void SetTeam(const Team& newTeam) { team = newTeam; }

private:
    Team team;
};

} // namespace GAME
