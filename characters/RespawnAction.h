#pragma once

#include "characters/CharacterActionBase.h"
#include "engine/WorldCoords.h"

namespace GAME {

class RespawnPacket;

// Brings a dead owner back at a place; over when the respawn animation ends.
class RespawnAction : public CharacterActionBase {
public:
    RespawnAction(uint32_t ownerId, const WorldCoords& where);
    // Rebuilt from what another machine sent.
    explicit RespawnAction(const RespawnPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    void Finish() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    WorldCoords where;
};

} // namespace GAME
