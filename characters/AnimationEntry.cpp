#include "characters/AnimationEntry.h"

#include "engine/GraphicsEngine.h"

namespace GAME {

AnimationEntry::AnimationEntry(GraphicsAnim* animation)
{
    handle.animation = animation;
}

AnimationEntry::~AnimationEntry()
{
    GraphicsEngine::Instance().UnloadAnimation(handle.animation);
}

bool AnimationEntry::PlayAnimation(Actor& actor, const Name&, float speed, bool loop,
                                   int32_t repeatCount)
{
    return handle.Play(actor, speed, loop, repeatCount);
}

void AnimationEntry::AddAnimation(const std::string& animationName, float speedScale, float weight,
                                  const std::string&)
{
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    GraphicsAnim* animation = graphics.LoadAnimation(animationName);
    if (animation == nullptr)
        return;
    graphics.UnloadAnimation(handle.animation);
    handle.animation = animation;
    handle.speedScale = speedScale;
    handle.weight = weight;
}

void AnimationEntry::PreLoad(bool flag)
{
    handle.PreLoad(flag);
}

void AnimationEntry::SetAnimationBlendTime(float time)
{
    handle.blendTime = time;
}

bool AnimationEntry::IsEmpty() const
{
    return handle.IsEmpty();
}

} // namespace GAME
