#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class UseItemPacket;

// Asks a world object to be used by the owner; over as soon as it has asked.
class UseAction : public CharacterActionBase {
public:
    UseAction(uint32_t ownerId, uint32_t targetId);
    // Rebuilt from what another machine sent.
    explicit UseAction(const UseItemPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    uint32_t targetId = 0;
};

} // namespace GAME
