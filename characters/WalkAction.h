#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class WalkPacket;

// Walks from one point to another; stays until the controller replaces it.
class WalkAction : public CharacterActionBase {
public:
    WalkAction(uint32_t ownerId, const WorldVec3& from, const WorldVec3& to, uint32_t targetId);
    // Rebuilt from what another machine sent.
    explicit WalkAction(const WalkPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    WorldVec3 from;
    WorldVec3 to;
    uint32_t targetId = 0;
};

} // namespace GAME
