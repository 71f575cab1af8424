#pragma once

#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// What a state is given on entry: whom it works against, for whom (or on what), with which
// skill, and where. Copied whole on every transition.
class ControllerAIStateData {
public:
    ControllerAIStateData() = default;
    ControllerAIStateData(uint32_t enemyId, uint32_t allyId, uint32_t skillId,
                          const WorldVec3& pointOfInterest)
        : enemyId(enemyId), allyId(allyId), skillId(skillId), pointOfInterest(pointOfInterest)
    {}

    uint32_t GetEnemyID() const { return enemyId; }
    uint32_t GetAllyID() const { return allyId; }
    uint32_t GetSkillID() const { return skillId; }
    const WorldVec3& GetPointOfInterest() const { return pointOfInterest; }

private:
    uint32_t enemyId = 0;
    uint32_t allyId = 0;
    uint32_t skillId = 0;
    WorldVec3 pointOfInterest;
};

} // namespace GAME
