#pragma once

#include "characters/AnimationSound.h"
#include "engine/Actor.h"
#include "world/SoundObject.h"

#include <utility>
#include <vector>

namespace GAME {

class GraphicsAnim;

// Level scenery that animates, sounds and carries one attachment, but takes no part in the game.
// It can be faded out when it stands between the camera and the player; the renderer reads the
// fade amount.
class Decoration : public Actor {
    GAME_DECLARE_CLASS(Decoration)

public:
    static constexpr float kMaxFade = 0.5f;
    static constexpr int32_t kBlendMs = 250;

    Decoration();
    ~Decoration() override;

    virtual void SetInvisible() { faded = true; }
    virtual void SetVisible() { faded = false; }

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    // The fade follows the faded flag at one unit a second, within [0, kMaxFade].
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    bool IsStatic() const override { return !allowPathing; }
    bool IncludeInMinimap() const { return true; }
    bool ShouldServerSpawn() const override { return false; }
    bool GetIsPartOfLevel() const { return true; }

    // An alternative by its weight, else the default; null without a default animation.
    GraphicsAnim* GetRandomAnimation() const;
    // The same for a draw r in [0, 100]: the first alternative whose share r falls within.
    GraphicsAnim* PickAnimation(float r) const;

    bool IsFaded() const { return faded; }
    float GetFadeAmount() const { return fadeAmount; }
    GraphicsAnim* GetDefaultAnimation() const { return defaultAnimation; }
    GraphicsAnim* GetCurrentAnimation() const { return currentAnimation; }
    size_t GetAlternativeCount() const { return alternatives.size(); }
    bool AllowsPathing() const { return allowPathing; }
    const SoundAmbient& GetAmbientSound() const { return ambientSound; }
    const SoundPeriodic& GetPeriodicSound() const { return periodicSound; }

private:
    void LoadAttachment(const LoadTable& table);
    void LoadBoundingVolume(const LoadTable& table);
    void Play(GraphicsAnim* animation);

    bool faded = false;
    float fadeAmount = 0.0f;
    GraphicsAnim* defaultAnimation = nullptr;
    GraphicsAnim* currentAnimation = nullptr;
    // Each with its chance in percent.
    std::vector<std::pair<GraphicsAnim*, float>> alternatives;
    AnimationSound animationSounds;
    SoundAmbient ambientSound;
    SoundPeriodic periodicSound;
    bool allowPathing = false;
};

} // namespace GAME
