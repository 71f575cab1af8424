#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class MoveToPacket;

// Runs from one point to another, warming the skill it will use on arrival.
class MoveToAction : public CharacterActionBase {
public:
    MoveToAction(uint32_t ownerId, const WorldVec3& from, const WorldVec3& to, uint32_t targetId,
                 uint32_t skillId, float value);
    // Rebuilt from what another machine sent.
    explicit MoveToAction(const MoveToPacket& packet);

    void Execute() override;
    void Finish() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    WorldVec3 from;
    WorldVec3 to;
    uint32_t targetId = 0;
    uint32_t skillId = 0;
    float value = 0.0f;
};

} // namespace GAME
