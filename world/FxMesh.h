#pragma once

#include "characters/AnimationSound.h"
#include "world/Fx.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class GraphicsAnim;
class GraphicsMeshInstance;

// An animated mesh that fades in, holds, fades out and then removes itself once its animation
// has ended; a looping one lives until stopped. Characters hang them at attach points.
class FxMesh : public Fx {
    GAME_DECLARE_CLASS(FxMesh)

public:
    enum FadeState { FadeNone = 0, FadeIn = 1, FadeSustain = 2, FadeOut = 3 };

    FxMesh();
    ~FxMesh() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void LoadResources() override;
    void Start() override;
    void Stop() override;
    void AddToWorld(const WorldCoords& coords) override;
    virtual void EndAnimation();
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;

    const std::string& GetAttachPoint() const { return attachPoint; }
    bool IsActive() const { return active; }
    int32_t GetFadeState() const { return fadeState; }
    bool HasAnimationEnded() const { return animationEnded; }
    // Null until the resources are loaded, or without a mesh.
    const GraphicsMeshInstance* GetMeshInstance() const { return meshInstance.get(); }
    uint32_t GetPreLoadCount() const { return preLoadCount; }
    uint32_t GetStartCount() const { return startCount; }
    uint32_t GetStopCount() const { return stopCount; }

private:
    void Fade(int32_t elapsedMs);
    void SetBrightness(float brightness);

    std::string meshName;
    std::string animationName;
    std::string attachPoint;
    GraphicsAnim* animation = nullptr;
    std::unique_ptr<GraphicsMeshInstance> meshInstance;
    bool animationEnded = true;
    bool loop = false;
    float speed = 1.0f;
    int32_t startArgument = 0;
    int32_t fadeInTime = 0;
    int32_t fadeOutTime = 0;
    int32_t sustainTime = 0;
    int32_t fadeCountdown = 0;
    int32_t fadeState = FadeNone;
    bool active = false;
    AnimationSound sounds;
    uint32_t preLoadCount = 0;
    uint32_t startCount = 0;
    uint32_t stopCount = 0;
};

} // namespace GAME
