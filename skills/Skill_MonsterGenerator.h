#pragma once

#include "skills/Skill.h"

#include <cstdint>
#include <vector>

namespace GAME {

class SkillServicesBase;

// A monster's skill that keeps two companions beside it, one on each hand. The controlling
// machine asks for a missing one and waits until its spawn message has come back.
class Skill_MonsterGenerator : public Skill {
    GAME_DECLARE_CLASS(Skill_MonsterGenerator)

public:
    Skill_MonsterGenerator();
    ~Skill_MonsterGenerator() override;

    // In place of the base update: no cooldown or availability to keep.
    void Update(Character& owner, int32_t elapsedMs) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t index,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;

    uint32_t GetFirstPetId() const { return firstPetId; }
    uint32_t GetSecondPetId() const { return secondPetId; }
    bool IsSpawnPending() const { return spawnPending; }

protected:
    void SendSpawnPet(Character& owner, SkillServicesBase& services, uint32_t& petId, bool second);

private:
    uint32_t firstPetId = 0;
    uint32_t secondPetId = 0;
    bool spawnPending = false;
};

} // namespace GAME
