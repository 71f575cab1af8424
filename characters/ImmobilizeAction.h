#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class ImmobilizePacket;

// The owner freezes in place.
class ImmobilizeAction : public CharacterActionBase {
public:
    explicit ImmobilizeAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit ImmobilizeAction(const ImmobilizePacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;
};

} // namespace GAME
