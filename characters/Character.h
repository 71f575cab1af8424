#pragma once

#include "core/Team.h"
#include "engine/Actor.h"
#include "engine/WorldCoords.h"

#include <cstdint>

namespace GAME {

enum Character_LifeState : int32_t {
    LifeState_Unknown = 0,
    LifeState_Initializing = 1,
    LifeState_Alive = 2,
    LifeState_Dying = 3,
    LifeState_Dead = 4,
    LifeState_Respawning = 5
};

// The base of every creature. Grown by the characters subsystem; for now what teams, filters
// and the game engine ask of it. Levels, points and the experience reward are plain values with
// setters until the experience control and the bio exist; teleporting only moves the coordinates.
class Character : public Actor {
    GAME_DECLARE_CLASS(Character)

public:
    Character() = default;
    ~Character() override;

    bool ShouldServerSpawn() const override { return true; }

    Team GetTeam() const { return team; }
    virtual void SetTeam(const Team& newTeam) { team = newTeam; }

    virtual void SetLifeState(Character_LifeState state) { lifeState = state; }
    virtual Character_LifeState GetLifeState() const { return lifeState; }
    // Unknown counts as alive: a character not yet set up is not a corpse.
    virtual bool IsAlive() const;

    bool IsTeleporting() const { return teleporting; }
    void SetTeleporting(bool value) { teleporting = value; }
    virtual void TeleportToLocation(const WorldCoords& coords);

    uint32_t GetCharLevel() const { return charLevel; }
    void SetCharLevel(uint32_t level) { charLevel = level; }
    uint32_t GetExperiencePoints() const { return experiencePoints; }
    void SetExperiencePoints(uint32_t points) { experiencePoints = points; }
    uint32_t GetModifierPoints() const { return modifierPoints; }
    void SetModifierPoints(uint32_t points) { modifierPoints = points; }
    uint32_t GetSkillPoints() const { return skillPoints; }
    void SetSkillPoints(uint32_t points) { skillPoints = points; }
    // What killing this character is worth.
    uint32_t GetExperienceReward() const { return experienceReward; }
    void SetExperienceReward(uint32_t points) { experienceReward = points; }

private:
    Team team;
    Character_LifeState lifeState = LifeState_Alive;
    bool teleporting = false;
    uint32_t charLevel = 0;
    uint32_t experiencePoints = 0;
    uint32_t modifierPoints = 0;
    uint32_t skillPoints = 0;
    uint32_t experienceReward = 0;
};

} // namespace GAME
