#include "characters/AnimationPool.h"

#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"

namespace GAME {

AnimationPool::~AnimationPool()
{
    for (const AnimationHandle& handle : handles)
        GraphicsEngine::Instance().UnloadAnimation(handle.animation);
}

bool AnimationPool::PlayAnimation(Actor& actor, const Name&, float speed, bool loop,
                                  int32_t repeatCount)
{
    playingIndex = PickIndex();
    AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr && handle->Play(actor, speed, loop, repeatCount);
}

void AnimationPool::AddAnimation(const std::string& animationName, float speedScale, float weight,
                                 const std::string&)
{
    if (animationName.empty())
        return;
    GraphicsAnim* animation = GraphicsEngine::Instance().LoadAnimation(animationName);
    if (animation == nullptr) {
        gEngine->Log(Engine::LogData, "AnimationPool:: Unable to load animation (%s)",
                     animationName.c_str());
        return;
    }
    handles.emplace_back(animation, speedScale, weight);
    weightTotal += weight;
}

void AnimationPool::PreLoad(bool flag)
{
    for (const AnimationHandle& handle : handles)
        handle.PreLoad(flag);
}

float AnimationPool::GetAnimSpeed() const
{
    if (handles.empty())
        return 0.0f;
    float total = 0.0f;
    for (const AnimationHandle& handle : handles)
        total += handle.GetAnimSpeed();
    return total / static_cast<float>(handles.size());
}

void AnimationPool::SetAnimationBlendTime(float time)
{
    for (AnimationHandle& handle : handles)
        handle.blendTime = time;
}

bool AnimationPool::IsEmpty() const
{
    for (const AnimationHandle& handle : handles) {
        if (!handle.IsEmpty())
            return false;
    }
    return true;
}

AnimationHandle* AnimationPool::GetPlayingHandle()
{
    if (playingIndex < 0 || static_cast<size_t>(playingIndex) >= handles.size())
        return nullptr;
    return &handles[static_cast<size_t>(playingIndex)];
}

int32_t AnimationPool::PickIndex() const
{
    const float draw = RandomFloat(0.0f, weightTotal);
    float sum = 0.0f;
    for (size_t index = 0; index < handles.size(); ++index) {
        sum += handles[index].weight;
        if (draw <= sum)
            return static_cast<int32_t>(index);
    }
    // Rounding can leave the draw above the last sum.
    return 0;
}

} // namespace GAME
