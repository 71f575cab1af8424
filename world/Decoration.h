#pragma once

#include "engine/Actor.h"

namespace GAME {

// Level scenery that animates but takes no part in the game. It can be faded out when it stands
// between the camera and the player; the renderer reads the fade amount.
class Decoration : public Actor {
    GAME_DECLARE_CLASS(Decoration)

public:
    static constexpr float kMaxFade = 0.5f;

    Decoration();
    ~Decoration() override;

    virtual void SetInvisible() { faded = true; }
    virtual void SetVisible() { faded = false; }

    // The fade follows the faded flag at one unit a second, within [0, kMaxFade].
    void UpdateSelf(int32_t elapsedMs) override;

    bool IsFaded() const { return faded; }
    float GetFadeAmount() const { return fadeAmount; }

private:
    bool faded = false;
    float fadeAmount = 0.0f;
};

} // namespace GAME
