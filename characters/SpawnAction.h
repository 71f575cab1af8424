#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class SpawnActionPacket;

// Waits for the owner's spawn animation to end.
class SpawnAction : public CharacterActionBase {
public:
    explicit SpawnAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit SpawnAction(const SpawnActionPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;
};

} // namespace GAME
