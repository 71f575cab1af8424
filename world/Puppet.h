#pragma once

#include "characters/AnimationEntry.h"
#include "engine/Actor.h"
#include "engine/GraphicsMeshInstance.h"

#include <cstdint>

namespace GAME {

// A scripted actor: a start animation, an idle loop until released, an end animation, then a
// fade out and gone. It fades in when started.
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

    virtual bool IsReady() const { return state == State_Ready; }
    virtual void StartAnimating();
    virtual void FadeIn();
    virtual void FadeOut();
    virtual void ReleaseToWorld();

    uint32_t GetState() const { return state; }
    int32_t GetFadeTimer() const { return fadeTimer; }
    const Color& GetDiffuseColor() const { return meshInstance.GetDiffuseColor(); }

private:
    uint32_t state = State_Idle;
    AnimationEntry startAnimation;
    AnimationEntry idleAnimation;
    AnimationEntry endAnimation;
    int32_t fadeTimer = 0;   // ms
    int32_t fadeInTime = 0;  // ms
    int32_t fadeOutTime = 0; // ms
    bool fadingIn = false;
    GraphicsMeshInstance meshInstance;
};

} // namespace GAME
