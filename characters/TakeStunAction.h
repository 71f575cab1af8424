#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class TakeStunPacket;

// The owner reels, stunned, until the controller ends the stun.
class TakeStunAction : public CharacterActionBase {
public:
    explicit TakeStunAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit TakeStunAction(const TakeStunPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;
};

} // namespace GAME
