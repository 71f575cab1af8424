#include "characters/PFxManager.h"

#include "engine/Actor.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/ObjectManager.h"
#include "world/FxMesh.h"

#include <iterator>

namespace GAME {

namespace {
constexpr const char* kPFxManagerSource = "Project/Game/PFxManager";

// A record of another class is destroyed again by the typed creation; a missing record or an
// unknown class is logged by the object manager.
template <typename T> T* CreateEffect(const std::string& record)
{
    if (record.empty())
        return nullptr;
    T* effect = ObjectManager::Instance().CreateObjectFromFile<T>(record);
    if (effect != nullptr)
        effect->PreLoad(true);
    return effect;
}

void Destroy(uint32_t effectId, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject(effectId), kPFxManagerSource, line);
}
} // namespace

// Attached effects go too: the actor does not take what hangs on it along when it goes, and no
// one else knows these ids.
PFxManager::~PFxManager()
{
    for (const auto& [id, entry] : particleEffects)
        Destroy(id, __LINE__);
    for (const auto& [id, entry] : meshEffects)
        Destroy(id, __LINE__);
}

void PFxManager::AttachActor(Actor* newActor)
{
    actor = newActor;
}

bool PFxManager::AttachToActor(uint32_t effectId, const std::string& attachPoint) const
{
    Entity* effect = ObjectManager::Instance().GetObject<Entity>(effectId);
    if (actor == nullptr || effect == nullptr)
        return false;
    actor->Attach(effect, Coords::Identity(), attachPoint.c_str());
    return true;
}

void PFxManager::DetachFromActor(uint32_t effectId) const
{
    Entity* effect = ObjectManager::Instance().GetObject<Entity>(effectId);
    if (actor != nullptr && effect != nullptr)
        actor->Detach(effect);
}

uint32_t PFxManager::AddParticleEffect(const std::string& record, const std::string& attachPoint)
{
    EffectEntity* effect = CreateEffect<EffectEntity>(record);
    if (effect == nullptr)
        return 0;
    const uint32_t id = effect->GetObjectId();
    particleEffects[id] = Entry{attachPoint};
    return id;
}

void PFxManager::StartParticleEffect(uint32_t id)
{
    const auto found = particleEffects.find(id);
    if (found == particleEffects.end() || found->second.removed)
        return;
    EffectEntity* effect = ObjectManager::Instance().GetObject<EffectEntity>(id);
    if (effect == nullptr)
        return;
    Entry& entry = found->second;
    effect->Reset();
    if (!entry.attached)
        entry.attached = AttachToActor(id, entry.attachPoint);
    effect->StartEmitting();
    entry.active = true;
}

void PFxManager::StopParticleEffect(uint32_t id)
{
    const auto found = particleEffects.find(id);
    if (found == particleEffects.end() || !found->second.active)
        return;
    if (EffectEntity* effect = ObjectManager::Instance().GetObject<EffectEntity>(id))
        effect->StopEmitting();
    found->second.active = false;
    settling.insert(id);
}

void PFxManager::RemoveParticleEffect(uint32_t& id)
{
    const auto found = particleEffects.find(id);
    if (found != particleEffects.end()) {
        StopParticleEffect(id);
        found->second.removed = true;
        settling.insert(id);
    }
    id = 0;
}

uint32_t PFxManager::AddMeshEffect(const std::string& record)
{
    FxMesh* effect = CreateEffect<FxMesh>(record);
    if (effect == nullptr)
        return 0;
    const uint32_t id = effect->GetObjectId();
    meshEffects[id] = Entry{effect->GetAttachPoint()};
    return id;
}

void PFxManager::StartMeshEffect(uint32_t id)
{
    const auto found = meshEffects.find(id);
    if (found == meshEffects.end() || found->second.attached)
        return;
    FxMesh* effect = ObjectManager::Instance().GetObject<FxMesh>(id);
    if (effect == nullptr)
        return;
    found->second.attached = AttachToActor(id, found->second.attachPoint);
    effect->Start();
}

void PFxManager::StopMeshEffect(uint32_t id)
{
    const auto found = meshEffects.find(id);
    if (found == meshEffects.end() || !found->second.attached)
        return;
    DetachFromActor(id);
    if (FxMesh* effect = ObjectManager::Instance().GetObject<FxMesh>(id))
        effect->Stop();
    found->second.attached = false;
}

// An entry whose effect is already gone is forgotten too: the caller's id is cleared, so
// nothing could reach it again.
void PFxManager::RemoveMeshEffect(uint32_t& id)
{
    const auto found = meshEffects.find(id);
    if (found != meshEffects.end()) {
        StopMeshEffect(id);
        Destroy(id, __LINE__);
        meshEffects.erase(found);
    }
    id = 0;
}

void PFxManager::OneShotParticleEffect(const std::string& record, const std::string& attachPoint)
{
    // Without an actor the effect would hang on nothing and never go away.
    if (actor == nullptr || record.empty())
        return;
    EffectEntity* effect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(record);
    if (effect == nullptr)
        return;
    effect->MakeSelfDeletingChild();
    effect->StartEmitting();
    actor->Attach(effect, Coords::Identity(), attachPoint.c_str());
}

void PFxManager::Update(int32_t)
{
    for (auto next = settling.begin(); next != settling.end();) {
        const uint32_t id = *next;
        const auto it = particleEffects.find(id);
        if (it == particleEffects.end() || it->second.active) {
            next = settling.erase(next);
            continue;
        }
        Entry& entry = it->second;
        if (entry.attached) {
            // An effect destroyed elsewhere has no particles left either.
            const EffectEntity* effect = ObjectManager::Instance().GetObject<EffectEntity>(id);
            if (effect == nullptr || !effect->HasActiveParticles()) {
                DetachFromActor(id);
                entry.attached = false;
            }
        } else if (entry.removed) {
            Destroy(id, __LINE__);
            particleEffects.erase(it);
            next = settling.erase(next);
            continue;
        }
        // Stopped and off the actor, it waits for a start or a removal.
        next = !entry.attached && !entry.removed ? settling.erase(next) : std::next(next);
    }
}

} // namespace GAME
