#include "characters/AnimationSelected.h"

#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"

namespace GAME {

AnimationSelected::~AnimationSelected()
{
    for (const auto& [reference, handle] : handles)
        GraphicsEngine::Instance().UnloadAnimation(handle.animation);
}

bool AnimationSelected::PlayAnimation(Actor& actor, const Name& reference, float speed, bool loop,
                                      int32_t repeatCount)
{
    playingReference = reference;
    AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr && handle->Play(actor, speed, loop, repeatCount);
}

void AnimationSelected::AddAnimation(const std::string& animationName, float speedScale,
                                     float weight, const std::string& reference)
{
    // A record lists every special slot whether it fills it or not: an empty slot is no error.
    if (animationName.empty() && reference.empty())
        return;
    if (reference.empty()) {
        gEngine->Log(Engine::LogData,
                     "AnimationSelected: Invalid reference (%s) name for animation (%s)",
                     reference.c_str(), animationName.c_str());
        return;
    }
    const Name key = Name::Create(reference);
    // Loaded only for a new reference, so a repeat cannot strand a load.
    if (handles.count(key) != 0)
        return;
    GraphicsAnim* animation = GraphicsEngine::Instance().LoadAnimation(animationName);
    if (animation != nullptr)
        handles.emplace(key, AnimationHandle(animation, speedScale, weight));
}

void AnimationSelected::PreLoad(bool flag)
{
    for (const auto& [reference, handle] : handles)
        handle.PreLoad(flag);
}

bool AnimationSelected::IsEmpty() const
{
    for (const auto& [reference, handle] : handles) {
        if (!handle.IsEmpty())
            return false;
    }
    return true;
}

AnimationHandle* AnimationSelected::GetPlayingHandle()
{
    const auto found = handles.find(playingReference);
    return found != handles.end() ? &found->second : nullptr;
}

} // namespace GAME
