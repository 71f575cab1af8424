#include "world/Decoration.h"

#include "core/RandomHelpers.h"
#include "engine/Coords.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/ResourceLoader.h"
#include "world/BoundingVolume.h"

#include <algorithm>
#include <string>

namespace GAME {

GAME_IMPLEMENT_CLASS(Decoration, Actor);

namespace {

constexpr int kAlternatives = 5;
constexpr int kSounds = 4;
constexpr int kAttachSlots = 4;

GraphicsAnim* LoadAnimation(const LoadTable& table, const std::string& key)
{
    const std::string name = table.GetString(key.c_str(), "");
    return name.empty() ? nullptr : GraphicsEngine::Instance().LoadAnimation(name);
}

std::string Numbered(const char* stem, int number, const char* suffix = "")
{
    return stem + std::to_string(number) + suffix;
}

} // namespace

Decoration::Decoration()
{
    SetPhysicsType(0);
}

Decoration::~Decoration()
{
    for (const auto& [animation, chance] : alternatives)
        GraphicsEngine::Instance().UnloadAnimation(animation);
}

void Decoration::Load(const LoadTable& table)
{
    Actor::Load(table);
    defaultAnimation = LoadAnimation(table, "animation");
    allowPathing = table.GetBool("allowPathing", false);
    for (int n = 1; n <= kAlternatives; ++n) {
        const float chance = table.GetFloat(Numbered("animation", n, "Chance").c_str(), 0.0f);
        if (!(chance > 0.0f))
            continue;
        if (GraphicsAnim* animation = LoadAnimation(table, Numbered("animation", n)))
            alternatives.emplace_back(animation, chance);
    }
    ambientSound.Load(table);
    periodicSound.Load(table);
    for (int n = 1; n <= kSounds; ++n) {
        const std::string key = Numbered("decorationSound", n);
        const std::string sound = table.GetString(key.c_str(), "");
        if (!sound.empty())
            animationSounds.AddSound(
                Name::Create(key), sound,
                table.GetFloat(Numbered("decorationSound", n, "Chance").c_str(), 0.0f));
    }
    LoadAttachment(table);
    LoadBoundingVolume(table);
}

// One of the filled slots up to the highest is drawn for variety; an empty one draws nothing.
void Decoration::LoadAttachment(const LoadTable& table)
{
    int highest = 0;
    for (int n = kAttachSlots; n >= 1 && highest == 0; --n) {
        if (!table.GetString(Numbered("attachObjectName", n).c_str(), "").empty())
            highest = n;
    }
    if (highest == 0)
        return;
    const int slot = RandomInt(1, highest);
    const std::string name = table.GetString(Numbered("attachObjectName", slot).c_str(), "");
    if (name.empty())
        return;
    if (Entity* object = ObjectManager::Instance().CreateObjectFromFile<Entity>(name, 0, true)) {
        const std::string point = table.GetString(Numbered("attachPoint", slot).c_str(), "");
        Attach(object, Coords::Identity(), point.c_str());
    }
}

void Decoration::LoadBoundingVolume(const LoadTable& table)
{
    const std::string name = table.GetString("boundingVolume", "");
    if (name.empty())
        return;
    if (auto* volume =
            ObjectManager::Instance().CreateObjectFromFile<BoundingVolume>(name, 0, true))
        Attach(volume, Coords::Identity(), "");
}

void Decoration::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    ResourceLoader& loader = ResourceLoader::Instance();
    if (defaultAnimation != nullptr)
        loader.EnqueueResource(defaultAnimation->GetName(), flag);
    for (const auto& [animation, chance] : alternatives)
        loader.EnqueueResource(animation->GetName(), flag);
    animationSounds.PreLoad();
    ambientSound.PreLoad();
    periodicSound.PreLoad();
}

void Decoration::InitialUpdate()
{
    Actor::InitialUpdate();
    ambientSound.StartSound(false);
    periodicSound.StartSound();
    currentAnimation = defaultAnimation;
    Play(defaultAnimation);
}

void Decoration::Play(GraphicsAnim* animation)
{
    if (animation != nullptr)
        PlayAnimation(0, animation, false, 1.0f, kBlendMs);
}

GraphicsAnim* Decoration::GetRandomAnimation() const
{
    if (defaultAnimation == nullptr)
        return nullptr;
    return PickAnimation(RandomFloat(0.0f, 100.0f));
}

GraphicsAnim* Decoration::PickAnimation(float r) const
{
    if (defaultAnimation == nullptr)
        return nullptr;
    float cumulative = 0.0f;
    for (const auto& [animation, chance] : alternatives) {
        if (r - cumulative <= chance)
            return animation;
        cumulative += chance;
    }
    return defaultAnimation;
}

void Decoration::AnimationCallback(int32_t kind, const Name& name)
{
    const WorldCoords coords = GetCoords();
    animationSounds.PlaySound(*this, name, &coords);
    static const Name end = Name::Create("End");
    if (kind == 0 && name == end) {
        currentAnimation = GetRandomAnimation();
        Play(currentAnimation);
    }
    Actor::AnimationCallback(kind, name);
}

void Decoration::UpdateSelf(int32_t elapsedMs)
{
    ambientSound.Update(GetCoords(), elapsedMs);
    periodicSound.Update(GetCoords(), elapsedMs);
    const float step = static_cast<float>(elapsedMs) * 0.001f;
    fadeAmount = std::clamp(faded ? fadeAmount + step : fadeAmount - step, 0.0f, kMaxFade);
    Actor::UpdateSelf(elapsedMs);
}

} // namespace GAME
