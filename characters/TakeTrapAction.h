#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class TakeTrapPacket;

// The owner is caught and can no longer move.
class TakeTrapAction : public CharacterActionBase {
public:
    explicit TakeTrapAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit TakeTrapAction(const TakeTrapPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;
};

} // namespace GAME
