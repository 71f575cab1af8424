#include "world/FxPak.h"

#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "world/FxMesh.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FxPak, Entity);

namespace {
constexpr const char* kFxPakSource = "Project/Game/FxPak";
} // namespace

FxPak::~FxPak()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* sound = objects.GetObject<SoundPak>(activateSoundId))
        objects.DestroyObjectEx(sound, kFxPakSource, __LINE__);
}

void FxPak::Load(const LoadTable& table)
{
    Entity::Load(table);
    table.GetStringList("particleEffectNames", particleEffectNames);
    table.GetStringList("meshEffectNames", meshEffectNames);
    const std::string sound = table.GetString("activateSound", "");
    if (sound.empty() || activateSoundId != 0)
        return;
    if (SoundPak* pak = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(sound, 0, true))
        activateSoundId = pak->GetObjectId();
}

void FxPak::InitialUpdate()
{
    Entity::InitialUpdate();
    LoadResources();
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(activateSoundId))
        sound->Play(GetCoords(), false, false);
}

void FxPak::LoadResources()
{
    for (const std::string& name : meshEffectNames)
        SpawnMeshEffect(name);
    for (const std::string& name : particleEffectNames)
        SpawnParticleEffect(name);
    meshEffectNames.clear();
    particleEffectNames.clear();
}

// A member the world will not take would belong to nobody, so it goes at once.
void FxPak::SpawnMeshEffect(const std::string& name)
{
    ObjectManager& objects = ObjectManager::Instance();
    FxMesh* effect = objects.CreateObjectFromFile<FxMesh>(name, 0, true);
    if (effect == nullptr)
        return;
    effect->AddToWorld(GetCoords());
    if (!effect->IsInWorld()) {
        objects.DestroyObjectEx(effect, kFxPakSource, __LINE__);
        return;
    }
    effect->Start();
}

void FxPak::SpawnParticleEffect(const std::string& name)
{
    ObjectManager& objects = ObjectManager::Instance();
    EffectEntity* effect = objects.CreateObjectFromFile<EffectEntity>(name, 0, true);
    if (effect == nullptr)
        return;
    effect->StartEmitting();
    if (!effect->AddToWorld(GetCoords(), true))
        objects.DestroyObjectEx(effect, kFxPakSource, __LINE__);
}

void FxPak::UpdateSelf(int32_t elapsedMs)
{
    Entity::UpdateSelf(elapsedMs);
    if (!IsInWorld() || elapsedMs <= 0)
        return;
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kFxPakSource, __LINE__);
}

void PlaceFxPak(const std::string& record, const WorldCoords& coords)
{
    if (record.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    auto* pak = objects.CreateObjectFromFile<FxPak>(record);
    World* world = gEngine->GetWorld();
    if (pak != nullptr && (world == nullptr || !world->AddEntity(pak, coords, false)))
        objects.DestroyObjectEx(pak, "Project/Game/FxPak", __LINE__);
}

} // namespace GAME
