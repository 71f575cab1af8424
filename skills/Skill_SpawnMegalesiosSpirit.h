#pragma once

#include "engine/WorldVec3.h"
#include "skills/Skill_FauxAttack.h"

#include <string>
#include <vector>

namespace GAME {

// Sends a glowing burst from the boss to every dormant spirit host around it; a host wakes
// when its burst arrives.
class Skill_SpawnMegalesiosSpirit : public Skill_FauxAttack {
    GAME_DECLARE_CLASS(Skill_SpawnMegalesiosSpirit)

public:
    struct Burst {
        uint32_t hostId = 0;
        uint32_t effectId = 0; // 0 when the record makes none
        WorldVec3 position;
    };

    Skill_SpawnMegalesiosSpirit();
    ~Skill_SpawnMegalesiosSpirit() override;

    void Load(const LoadTable& table) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    const std::vector<Burst>& GetBursts() const { return bursts; }

private:
    float burstVelocity = 1.0f;
    std::string burstName;
    std::vector<Burst> bursts;
};

} // namespace GAME
