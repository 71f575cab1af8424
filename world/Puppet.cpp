#include "world/Puppet.h"

#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <string>

namespace GAME {

GAME_IMPLEMENT_CLASS(Puppet, Actor);

namespace {

constexpr const char* kPuppetSource = "Project/Game/Puppet";

void LoadEntry(AnimationEntry& entry, const LoadTable& table, const std::string& stem)
{
    const std::string name = table.GetString(stem.c_str(), "");
    if (!name.empty())
        entry.AddAnimation(name, table.GetFloat((stem + "Speed").c_str(), 0.0f), 0.0f, "");
}

// Seconds in the record; huge ones stop at the longest fade a timer holds.
int32_t LoadFadeTime(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

bool PlayEntry(AnimationEntry& entry, Actor& actor, bool loop)
{
    return entry.PlayAnimation(actor, Name::noName, 1.0f, loop, 0);
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
    fadeInTime = LoadFadeTime(table, "fadeInTime");
    fadeOutTime = LoadFadeTime(table, "fadeOutTime");
}

void Puppet::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    startAnimation.PreLoad(flag);
    idleAnimation.PreLoad(flag);
    endAnimation.PreLoad(flag);
}

void Puppet::StartAnimating()
{
    FadeIn();
    if (PlayEntry(startAnimation, *this, false)) {
        state = State_Starting;
        return;
    }
    PlayEntry(idleAnimation, *this, true);
    state = State_Ready;
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
    if (PlayEntry(endAnimation, *this, false)) {
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
    if (kind != 0 || !(name == end))
        return;
    if (state == State_Starting) {
        PlayEntry(idleAnimation, *this, true);
        state = State_Ready;
    } else if (state == State_Ending) {
        FadeOut();
        state = State_FadingOut;
    }
}

void Puppet::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    if (fadeTimer > 0) {
        fadeTimer = AddSaturating(fadeTimer, -elapsedMs);
        const float time = static_cast<float>(fadingIn ? fadeInTime : fadeOutTime);
        const float share = static_cast<float>(fadeTimer) / time;
        const float v = Clamp(fadingIn ? 1.0f - share : share, 0.0f, 1.0f);
        meshInstance.SetDiffuseColor(Color(v, v, v, 1.0f));
    }
    if (state != State_FadingOut || fadeTimer > 0)
        return;
    state = State_Idle;
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kPuppetSource, __LINE__);
}

} // namespace GAME
