#pragma once

#include "characters/AnimationEntry.h"
#include "engine/Actor.h"

#include <cstdint>

namespace GAME {

// A scripted figure: plays a start animation, loops an idle one until released, then plays an
// end animation, fades out and leaves the world.
class Puppet : public Actor {
    GAME_DECLARE_CLASS(Puppet)

public:
    enum State : uint32_t {
        State_Idle = 0,
        State_Starting = 1,
        State_Ready = 2,
        State_Ending = 3,
        State_FadingOut = 4
    };

    Puppet();
    ~Puppet() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;

    // ---- slots added after the actor's, in order ----
    virtual bool IsReady() const { return state == State_Ready; }
    virtual void StartAnimating();
    virtual void FadeIn();
    virtual void FadeOut();
    virtual void ReleaseToWorld();

    uint32_t GetState() const { return state; }
    // How far the current fade has come, 0 to 1.
    float GetFade() const { return fade; }

private:
    bool Play(AnimationEntry& entry, bool loop);
    void PlayIdle();

    uint32_t state = State_Idle;
    AnimationEntry startAnimation;
    AnimationEntry idleAnimation;
    AnimationEntry endAnimation;
    int32_t fadeTimer = 0;
    int32_t fadeInTime = 0;
    int32_t fadeOutTime = 0;
    bool fadingIn = false;
    float fade = 1.0f;
};

} // namespace GAME
