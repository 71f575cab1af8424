#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Actor;
class WorldCoords;
class WorldVec3;
struct SkillActiveState;
struct SkillState;

// How a skill sends its decided results. Only the controlling machine's manager has one, so a
// skill that finds none is mirroring and sends nothing.
class SkillServicesBase {
public:
    virtual ~SkillServicesBase() = default;
    virtual void SetParent(Actor* actor) = 0;
    virtual void SendTargetResult(uint32_t skillId, const std::vector<uint32_t>& targets,
                                  const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                                  bool melee) = 0;
    virtual void SendSkillStateUpdate(uint32_t skillId, const SkillState& state) = 0;
    virtual void SendSkillActiveUpdate(uint32_t skillId, const SkillActiveState& state) = 0;
    virtual void SendCreateProjectile(uint32_t skillId, const WorldCoords& origin,
                                      uint32_t targetId, const WorldVec3& point, uint32_t seed,
                                      uint32_t weaponId) = 0;
    virtual void SendSpawnObject(uint32_t skillId, const WorldCoords& origin, uint32_t value,
                                 const std::vector<WorldCoords>& spawnCoordinates,
                                 const std::vector<uint32_t>& objectIds, uint32_t seed) = 0;
    virtual void RemoveSkillBuff(const std::string& buffName) = 0;

    void ClearHitIteration() { hitIteration = 0; }
    void IncHitIteration() { ++hitIteration; }
    uint32_t GetHitIteration() const { return hitIteration; }

protected:
    uint32_t hitIteration = 0;
};

} // namespace GAME
