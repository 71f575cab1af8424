#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class PickUpItemPacket;

// Bends down for an item, or touches a corpse worth a look.
class PickUpAction : public CharacterActionBase {
public:
    PickUpAction(uint32_t ownerId, uint32_t targetId);
    // Rebuilt from what another machine sent.
    explicit PickUpAction(const PickUpItemPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    uint32_t targetId = 0;
};

} // namespace GAME
