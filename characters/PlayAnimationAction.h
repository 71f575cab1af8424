#pragma once

#include "characters/CharacterActionBase.h"
#include "engine/Name.h"

namespace GAME {

class PlayAnimationActionPacket;

// Plays one given animation of the owner's current set.
class PlayAnimationAction : public CharacterActionBase {
public:
    PlayAnimationAction(uint32_t ownerId, AnimationSet_Type animationType, const Name& name,
                        float speed, bool loop, uint32_t lastValue);
    // Rebuilt from what another machine sent.
    explicit PlayAnimationAction(const PlayAnimationActionPacket& packet);

    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    AnimationSet_Type animationType = AnimationSet_None;
    Name name;
    float speed = 1.0f;
    bool loop = false;
    uint32_t lastValue = 0;
};

} // namespace GAME
