#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class IdleActionPacket;

// Stands ready to fight; never ends by itself.
class IdleAction : public CharacterActionBase {
public:
    explicit IdleAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit IdleAction(const IdleActionPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;
};

} // namespace GAME
