#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class AttackPacket;

// Uses a skill on a target or a point; the skill's animation events drive it to its end.
class AttackAction : public CharacterActionBase {
public:
    AttackAction(uint32_t ownerId, uint32_t targetId, const WorldVec3& point, uint32_t skillId,
                 uint32_t lastValue);
    // Rebuilt from what another machine sent.
    explicit AttackAction(const AttackPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    void Finish() override;
    void PendingActionAborted() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    uint32_t targetId = 0;
    WorldVec3 point;
    uint32_t skillId = 0;
    uint32_t lastValue = 0;
};

} // namespace GAME
