#include "world/SpecialFX.h"

#include "engine/Actor.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"

namespace GAME {

namespace {
constexpr const char* kSpecialFXSource = "Project/Game/SpecialFX";
} // namespace

SpecialFX::~SpecialFX() = default;

EffectEntity* SpecialFX::GetEffect() const
{
    return ObjectManager::Instance().GetObject<EffectEntity>(effectId);
}

void SpecialFX::LoadFX(const std::string& name, Actor* newOwner)
{
    owner = newOwner;
    if (name.empty())
        return;
    EffectEntity* effect =
        ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name, 0, true);
    if (effect == nullptr)
        return;
    effectId = effect->GetObjectId();
    effect->StopEmitting();
    if (owner != nullptr)
        owner->Attach(effect, Coords::Identity(), "");
}

void SpecialFX::StartFx()
{
    if (EffectEntity* effect = GetEffect())
        effect->StartEmitting();
    started = true;
}

void SpecialFX::StopFx()
{
    if (EffectEntity* effect = GetEffect())
        effect->StopEmitting();
}

void SpecialFX::DetachFromOwner(EffectEntity& effect)
{
    if (owner != nullptr)
        owner->Detach(&effect);
}

void SpecialFX::ReleaseFx(const WorldCoords& coords)
{
    EffectEntity* effect = GetEffect();
    if (effect == nullptr)
        return;
    DetachFromOwner(*effect);
    if (!started) {
        DeleteFx();
        return;
    }
    // It finishes on its own in the world; one the world refuses would be nobody's.
    if (!effect->AddToWorld(coords, true))
        ObjectManager::Instance().DestroyObjectEx(effect, kSpecialFXSource, __LINE__);
    effectId = 0;
}

void SpecialFX::DeleteFx()
{
    EffectEntity* effect = GetEffect();
    if (effect == nullptr)
        return;
    effect->StopEmitting();
    DetachFromOwner(*effect);
    ObjectManager::Instance().DestroyObjectEx(effect, kSpecialFXSource, __LINE__);
    effectId = 0;
}

void SpecialFX::PreLoad(bool flag)
{
    if (EffectEntity* effect = GetEffect())
        effect->PreLoad(flag);
}

} // namespace GAME
