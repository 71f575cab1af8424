#pragma once

#include "characters/CharacterActionBase.h"
#include "engine/GameTimer.h"

namespace GAME {

class LongIdleActionPacket;

// Idles for a long time: a transition into the long idle loop, then now and again a fidget
// once a random time has passed.
class LongIdleAction : public CharacterActionBase {
public:
    // 0 finished or failed, 1 transition playing, 2 long idle looping, 3 fidget playing.
    enum Phase : int32_t {
        Phase_None = 0,
        Phase_Transition = 1,
        Phase_Looping = 2,
        Phase_Fidget = 3
    };

    explicit LongIdleAction(uint32_t ownerId);
    // Rebuilt from what another machine sent.
    explicit LongIdleAction(const LongIdleActionPacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

    int32_t GetPhase() const { return phase; }
    int32_t GetTransitionTime() const { return transitionTime; }

private:
    void ResetTransitionTimer();
    // Into the long idle loop; failing that, the action ends.
    void StartLooping(Character* owner);

    GameTimer transitionTimer;
    int32_t transitionTime = 0;
    int32_t minimumTime = 3000;
    int32_t maximumTime = 20000;
    int32_t phase = Phase_None;
};

} // namespace GAME
