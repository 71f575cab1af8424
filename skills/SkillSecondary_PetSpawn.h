#pragma once

#include "skills/SkillSecondary.h"

namespace GAME {

// Summons pets round the caster when the primary starts.
class SkillSecondary_PetSpawn : public SkillSecondary {
    GAME_DECLARE_CLASS(SkillSecondary_PetSpawn)

public:
    SkillSecondary_PetSpawn();
    ~SkillSecondary_PetSpawn() override;

    void PreLoadResources() override;
    void PrimaryActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                            const WorldVec3& point) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    virtual void SpawnPet(Character& caster, const WorldCoords& where, uint32_t id, uint32_t level);

private:
    // The pets of one activation: the level's limit, at least one.
    uint32_t GetPetCount() const;
};

} // namespace GAME
