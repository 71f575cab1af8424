#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class EngageNpcPacket;

// Starts an exchange with a non-player character.
class EngageNpcAction : public CharacterActionBase {
public:
    EngageNpcAction(uint32_t ownerId, uint32_t npcId, bool firstFlag, bool secondFlag);
    // Rebuilt from what another machine sent.
    explicit EngageNpcAction(const EngageNpcPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    uint32_t npcId = 0;
    bool firstFlag = false;
    bool secondFlag = false;
};

} // namespace GAME
