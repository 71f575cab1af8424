#pragma once

#include "skills/SkillServicesBase.h"

namespace GAME {

class Character;

// Sends each skill result as one actor command on the parent character, which the engine runs
// here and replicates to the other machines.
class SkillServices_Character : public SkillServicesBase {
public:
    // Keeps the actor only when it is a character.
    void SetParent(Actor* actor) override;
    Character* GetParent() const { return parent; }

    void SendTargetResult(uint32_t skillId, const std::vector<uint32_t>& targets,
                          const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                          bool melee) override;
    void SendSkillStateUpdate(uint32_t skillId, const SkillState& state) override;
    void SendSkillActiveUpdate(uint32_t skillId, const SkillActiveState& state) override;
    void SendCreateProjectile(uint32_t skillId, const WorldCoords& origin, uint32_t targetId,
                              const WorldVec3& point, uint32_t seed, uint32_t weaponId) override;
    void SendSpawnObject(uint32_t skillId, const WorldCoords& origin, uint32_t value,
                         const std::vector<WorldCoords>& spawnCoordinates,
                         const std::vector<uint32_t>& objectIds, uint32_t seed) override;
    void RemoveSkillBuff(const std::string& buffName) override;

private:
    Character* parent = nullptr;
};

} // namespace GAME
