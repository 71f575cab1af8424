#include "combat/DeathHandler.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/Light.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kDeathHandlerSource = "Project/Game/DeathHandler";
constexpr int32_t kPhysicsRagDoll = 3;
constexpr float kDissolveLightRadius = 10.0f;
constexpr float kDissolveLightFadePerSecond = 5.0f;

// The names the animations and the rag doll send, the attach point and the sound, made once.
struct DeathNames {
    Name end = Name::Create("End");
    Name ragDoll = Name::Create("ragDoll");
    Name physicsComplete = Name::Create("PhysicsComplete");
    Name dissolve = Name::Create("dissolve");
    Name spawnDeathActor = Name::Create("spawnDeathActor");
    Name target = Name::Create("Target");
    Name deathSound = Name::Create("deathSound1");
};

const DeathNames& Names()
{
    static const DeathNames names;
    return names;
}

// Nothing for an empty record name: a character without the key asks for nothing.
template <typename T> T* CreateFromRecord(const std::string& record, uint32_t id = 0)
{
    if (record.empty())
        return nullptr;
    return ObjectManager::Instance().CreateObjectFromFile<T>(record, id, true);
}

void DestroyMade(Object* object, int line)
{
    ObjectManager::Instance().DestroyObjectEx(object, kDeathHandlerSource, line);
}

// The body goes at the end of the frame: this runs inside the body's own update.
void RemoveBody(Character& body)
{
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(&body);
    DestroyMade(&body, __LINE__);
}

void AddToWorld(Entity& entity, const WorldCoords& coords)
{
    if (World* world = gEngine->GetWorld())
        world->AddEntity(&entity, coords, false);
}

} // namespace

DeathHandler::~DeathHandler() = default;

void DeathHandler::Execute()
{
    finished = false;
}

void DeathHandler::Finish()
{
    finished = true;
}

void DeathHandler::Reset()
{
    finished = false;
}

// ---------------------------------------------------------------------------------------------

void DefaultDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (owner == nullptr)
        return;
    if (owner->ShouldDoRagDoll() && !owner->ShouldDoLateCrumple()) {
        owner->SetPhysicsType(kPhysicsRagDoll);
        owner->PlayAnimationSound(*owner, Names().deathSound);
    } else {
        AnimationSet* set = owner->GetAnimationSet();
        if (set == nullptr ||
            !set->PlayAnimation(*owner, AnimationSet_Die, Name::noName, 1.0f, false, 0))
            Finish();
    }
    if (!owner->InRenderPreLoadFrustum() && DynamicCast<Player>(owner) == nullptr)
        owner->SetVisibility(false);
}

void DefaultDeathHandler::AnimationCallback(const Name& name)
{
    if (owner == nullptr)
        return;
    if (name == Names().end) {
        Finish();
    } else if (name == Names().ragDoll && owner->ShouldDoRagDoll() &&
               owner->ShouldDoLateCrumple()) {
        CharacterRagDoll::EffectData data;
        data.effect = CharacterRagDoll::Crumple;
        data.amplification = 0.0f;
        owner->SetRagdollData(data, true);
        owner->SetPhysicsType(kPhysicsRagDoll);
    }
}

void DefaultDeathHandler::ExternalEvent(const Name& name)
{
    if (owner != nullptr && name == Names().physicsComplete)
        Finish();
}

void DefaultDeathHandler::Finish()
{
    DeathHandler::Finish();
    if (owner == nullptr)
        return;
    for (Entity* child : owner->GetAttachedChildren()) {
        if (auto* effect = DynamicCast<EffectEntity>(child)) {
            effect->StopEmitting();
            effect->FadeLight();
        }
    }
}

// ---------------------------------------------------------------------------------------------

DissolveActorDeathHandler::~DissolveActorDeathHandler()
{
    ObjectManager& objects = ObjectManager::Instance();
    DestroyMade(objects.GetObject<Light>(lightId), __LINE__);
    DestroyMade(objects.GetObject<EffectEntity>(effectId), __LINE__);
}

void DissolveActorDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (owner != nullptr && owner->GetDeleteBehavior() == "Dissolve")
        StartDissolve();
}

void DissolveActorDeathHandler::StartDissolve()
{
    if (owner == nullptr)
        return;
    owner->BeginDissolve(owner->GetDissolveColorRed(), owner->GetDissolveColorGreen(),
                         owner->GetDissolveColorBlue(), owner->GetDissolveTime(),
                         owner->GetDissolveTexture());
    EffectEntity* effect = CreateFromRecord<EffectEntity>(owner->GetDissolveEffect());
    lightRadius = kDissolveLightRadius;
    if (Light* light = CreateFromRecord<Light>(owner->GetDissolveLight())) {
        lightId = light->GetObjectId();
        owner->Attach(light, Coords::Identity(), Names().target);
        light->SetColor(Color(1.0f, 0.0f, 0.0f, 1.0f));
        light->SetRadius(kDissolveLightRadius);
    }
    if (effect != nullptr) {
        effectId = effect->GetObjectId();
        owner->Attach(effect, Coords::Identity(), "");
    }
}

void DissolveActorDeathHandler::Update(int32_t elapsedMs)
{
    if (owner == nullptr)
        return;
    if (owner->GetIsDissolved()) {
        Finish();
        return;
    }
    if (Light* light = ObjectManager::Instance().GetObject<Light>(lightId)) {
        lightRadius =
            Max(lightRadius - static_cast<float>(elapsedMs) * 0.001f * kDissolveLightFadePerSecond,
                0.0f);
        light->SetRadius(lightRadius);
    }
}

void DissolveActorDeathHandler::AnimationCallback(const Name& name)
{
    if (owner == nullptr)
        return;
    if (owner->GetDeleteBehavior() == "DissolveOnCallback" && name == Names().dissolve) {
        StartDissolve();
        return;
    }
    if (name == Names().end) {
        ReleaseEffects();
        Finish();
    }
}

void DissolveActorDeathHandler::ExternalEvent(const Name& name)
{
    if (owner != nullptr && name == Names().physicsComplete)
        Finish();
}

void DissolveActorDeathHandler::ReleaseEffects()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Light* light = objects.GetObject<Light>(lightId)) {
        owner->Detach(light);
        DestroyMade(light, __LINE__);
    }
    lightId = 0;
    if (EffectEntity* effect = objects.GetObject<EffectEntity>(effectId)) {
        owner->Detach(effect);
        effect->StopEmitting();
        // Its last particles die out where the body lay; refused, it would be nobody's.
        if (!effect->AddToWorld(owner->GetCoords(), true))
            DestroyMade(effect, __LINE__);
    }
    effectId = 0;
}

// A death that ended without "End" (dissolved, or a rag doll at rest) still holds the light and
// the effect; the body they hang on is about to go.
void DissolveActorDeathHandler::PostProcess()
{
    if (owner == nullptr)
        return;
    ReleaseEffects();
    RemoveBody(*owner);
}

// ---------------------------------------------------------------------------------------------

void FadeActorDeathHandler::Execute()
{
    DeathHandler::Execute();
    elapsed = 0;
    if (owner == nullptr)
        return;
    startTint = owner->GetTintColor();
    fadeTime = owner->GetDissolveTime() * 1000.0f;
}

void FadeActorDeathHandler::Update(int32_t elapsedMs)
{
    if (owner == nullptr)
        return;
    elapsed = AddSaturating(elapsed, elapsedMs);
    if (fadeTime > 0.0f) {
        const float f = Clamp(1.0f - static_cast<float>(elapsed) / fadeTime, 0.0f, 1.0f);
        owner->SetTintColor(
            Color(startTint.red * f, startTint.green * f, startTint.blue * f, 1.0f));
    } else {
        Finish();
    }
    if (static_cast<float>(elapsed) >= fadeTime)
        Finish();
}

void FadeActorDeathHandler::PostProcess()
{
    if (owner != nullptr)
        RemoveBody(*owner);
}

void FadeActorDeathHandler::Reset()
{
    DeathHandler::Reset();
    elapsed = 0;
}

// ---------------------------------------------------------------------------------------------

void PlaySoundDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (owner != nullptr)
        owner->PlayDeathSound();
    Finish();
}

// ---------------------------------------------------------------------------------------------

void SpawnActorDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (owner != nullptr && !owner->ShouldWaitForCallbackToSpawn())
        SpawnActor();
}

void SpawnActorDeathHandler::AnimationCallback(const Name& name)
{
    if (owner == nullptr)
        return;
    if (owner->ShouldWaitForCallbackToSpawn() && name == Names().spawnDeathActor)
        SpawnActor();
    if (name == Names().end)
        Finish();
}

void SpawnActorDeathHandler::ExternalEvent(const Name& name)
{
    if (owner != nullptr && name == Names().physicsComplete)
        Finish();
}

void SpawnActorDeathHandler::SpawnActor()
{
    if (owner == nullptr || objectId == 0)
        return;
    spawnedActor = CreateFromRecord<Character>(owner->GetActorToSpawnOnDeath(), objectId);
    if (spawnedActor == nullptr)
        return;
    spawnedActor->SetSpawnPoint(owner->GetCoords());
    AddToWorld(*spawnedActor, spawnedActor->GetSpawnPoint());
    spawnedActor = nullptr;
}

void SpawnActorDeathHandler::PreLoad()
{
    if (spawnedActor != nullptr)
        spawnedActor->PreLoad(true);
}

// ---------------------------------------------------------------------------------------------

SpawnMyBonesDeathHandler::~SpawnMyBonesDeathHandler()
{
    Monster* bones = ObjectManager::Instance().GetObject<Monster>(bonesId);
    if (bones == nullptr)
        return;
    if (Entity* parent = bones->GetAttachParent())
        parent->Detach(bones);
    DestroyMade(bones, __LINE__);
}

void SpawnMyBonesDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (objectId == 0)
        return;
    Monster* bones = owner != nullptr
                         ? CreateFromRecord<Monster>(owner->GetActorToSpawnForMyBones(), objectId)
                         : nullptr;
    if (bones == nullptr)
        return;
    bonesId = bones->GetObjectId();
    owner->Attach(bones, Coords::Identity(), "");
}

void SpawnMyBonesDeathHandler::AnimationCallback(const Name& name)
{
    if (owner != nullptr && name == Names().end)
        RaiseBones();
}

void SpawnMyBonesDeathHandler::ExternalEvent(const Name& name)
{
    if (owner != nullptr && name == Names().physicsComplete)
        RaiseBones();
}

void SpawnMyBonesDeathHandler::RaiseBones()
{
    if (Monster* bones = ObjectManager::Instance().GetObject<Monster>(bonesId)) {
        owner->Detach(bones);
        bones->SetScale(owner->GetCurrentScale());
        AddToWorld(*bones, owner->GetCoords());
    }
    bonesId = 0;
    brainId = 0;
    Finish();
}

void SpawnMyBonesDeathHandler::PreLoad()
{
    if (Monster* bones = ObjectManager::Instance().GetObject<Monster>(bonesId))
        bones->PreLoad(true);
}

// ---------------------------------------------------------------------------------------------

PlayEffectDeathHandler::~PlayEffectDeathHandler()
{
    DestroyMade(ObjectManager::Instance().GetObject<EffectEntity>(effectId), __LINE__);
}

void PlayEffectDeathHandler::Execute()
{
    DeathHandler::Execute();
    if (owner != nullptr) {
        if (auto* effect = CreateFromRecord<EffectEntity>(owner->GetDeathEffect())) {
            effectId = effect->GetObjectId();
            owner->Attach(effect, Coords::Identity(), Names().target);
            effect->StartEmitting();
        }
    }
    Finish();
}

} // namespace GAME
