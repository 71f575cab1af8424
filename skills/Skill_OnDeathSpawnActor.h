#pragma once

#include "skills/SkillOnDeath.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Leaves an actor where its owner fell.
class Skill_OnDeathSpawnActor : public SkillOnDeath {
    GAME_DECLARE_CLASS(Skill_OnDeathSpawnActor)

public:
    Skill_OnDeathSpawnActor();
    ~Skill_OnDeathSpawnActor() override;

    void ActivateOnDeathNow(Character& owner) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t index,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    virtual void SpawnActor(Character& owner, const WorldCoords& where, uint32_t id, uint32_t seed);
};

} // namespace GAME
