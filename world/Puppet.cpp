#include "world/Puppet.h"

#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <algorithm>
#include <string>

namespace GAME {

GAME_IMPLEMENT_CLASS(Puppet, Actor);

namespace {
void LoadEntry(AnimationEntry& entry, const LoadTable& table, const std::string& key)
{
    const std::string name = table.GetString(key.c_str(), "");
    const float speed = table.GetFloat((key + "Speed").c_str(), 0.0f);
    if (!name.empty())
        entry.AddAnimation(name, speed, 0.0f, std::string());
}
} // namespace

Puppet::Puppet()
{
    SetPhysicsType(0);
}

Puppet::~Puppet() = default;

void Puppet::Load(const LoadTable& table)
{
    Actor::Load(table);
    LoadEntry(startAnimation, table, "startAnimation");
    LoadEntry(idleAnimation, table, "idleAnimation");
    LoadEntry(endAnimation, table, "endAnimation");
    fadeInTime = static_cast<int32_t>(table.GetFloat("fadeInTime", 0.0f) * 1000.0f);
    fadeOutTime = static_cast<int32_t>(table.GetFloat("fadeOutTime", 0.0f) * 1000.0f);
}

void Puppet::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    startAnimation.PreLoad(flag);
    idleAnimation.PreLoad(flag);
    endAnimation.PreLoad(flag);
}

bool Puppet::Play(AnimationEntry& entry, bool loop)
{
    return !entry.IsEmpty() && entry.PlayAnimation(*this, Name(), 1.0f, loop, 0);
}

void Puppet::PlayIdle()
{
    Play(idleAnimation, true);
    state = State_Ready;
}

void Puppet::StartAnimating()
{
    FadeIn();
    if (Play(startAnimation, false))
        state = State_Starting;
    else
        PlayIdle();
}

void Puppet::FadeIn()
{
    fadingIn = true;
    fadeTimer = fadeInTime;
}

void Puppet::FadeOut()
{
    fadingIn = false;
    fadeTimer = fadeOutTime;
}

void Puppet::ReleaseToWorld()
{
    if (Play(endAnimation, false)) {
        state = State_Ending;
        return;
    }
    FadeOut();
    state = State_FadingOut;
}

void Puppet::AnimationCallback(int32_t kind, const Name& name)
{
    Actor::AnimationCallback(kind, name);
    static const Name end = Name::Create("End");
    if (kind != 0 || name != end)
        return;
    if (state == State_Starting) {
        PlayIdle();
    } else if (state == State_Ending) {
        FadeOut();
        state = State_FadingOut;
    }
}

void Puppet::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    if (fadeTimer > 0) {
        fadeTimer -= elapsedMs;
        const int32_t total = fadingIn ? fadeInTime : fadeOutTime;
        const float left = static_cast<float>(fadeTimer) / static_cast<float>(total);
        fade = std::clamp(fadingIn ? 1.0f - left : left, 0.0f, 1.0f);
    }
    if (state != State_FadingOut || fadeTimer > 0)
        return;
    state = State_Idle;
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/Puppet", __LINE__);
}

} // namespace GAME
