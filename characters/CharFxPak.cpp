#include "characters/CharFxPak.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

namespace GAME {

namespace {
constexpr const char* kCharFxPakSource = "Project/Game/CharFxPak";

SoundPak* GetSound(uint32_t id)
{
    return ObjectManager::Instance().GetObject<SoundPak>(id);
}

uint32_t CreateSound(const LoadTable& table, const char* key)
{
    const std::string record = table.GetString(key, "");
    if (record.empty())
        return 0;
    SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record);
    return sound != nullptr ? sound->GetObjectId() : 0;
}
} // namespace

CharFxPak::~CharFxPak()
{
    DestroySounds();
}

void CharFxPak::DestroySounds()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t* id : {&startSoundId, &stopSoundId, &activeSoundId}) {
        objects.DestroyObjectEx(GetSound(*id), kCharFxPakSource, __LINE__);
        *id = 0;
    }
}

Character* CharFxPak::FindParent() const
{
    return ObjectManager::Instance().GetObject<Character>(parent);
}

void CharFxPak::LoadFromDatabase(const std::string& record)
{
    if (record.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record))
        gEngine->Log(Engine::LogData, "CharFxPak: record '%s' could not be loaded", record.c_str());
    const LoadTable& table = objects.GetLoadTable(record);
    table.GetStringList("particleEffectNames", particleEffectNames);
    table.GetStringList("particleEffectAttachPoints", particleAttachPoints);
    table.GetStringList("meshEffectNames", meshEffectNames);
    useTint = table.GetBool("useTintColor", false);
    tintColor = Color(table.GetFloat("colorRed", 0.0f), table.GetFloat("colorGreen", 0.0f),
                      table.GetFloat("colorBlue", 0.0f), 1.0f);
    // A second load must not strand the first load's sounds.
    DestroySounds();
    startSoundId = CreateSound(table, "startSound");
    stopSoundId = CreateSound(table, "stopSound");
    activeSoundId = CreateSound(table, "activeSound");
}

void CharFxPak::InitializeFxPak()
{
    Character* character = FindParent();
    if (character == nullptr)
        return;
    UnLoad();
    for (const std::string& name : meshEffectNames)
        meshEffectIds.push_back(character->AddMeshEffect(name));
    meshEffectNames.clear();
    for (size_t i = 0; i < particleEffectNames.size(); ++i) {
        const std::string& attachPoint =
            i < particleAttachPoints.size() ? particleAttachPoints[i] : std::string();
        particleEffectIds.push_back(
            character->AddParticleEffect(particleEffectNames[i], attachPoint));
    }
    particleEffectNames.clear();
}

// Without a parent its effects went with it; the ids are forgotten all the same.
void CharFxPak::UnLoad()
{
    Stop();
    if (Character* character = FindParent()) {
        for (uint32_t& id : particleEffectIds)
            character->RemoveParticleEffect(id);
        for (uint32_t& id : meshEffectIds)
            character->RemoveMeshEffect(id);
    }
    particleEffectIds.clear();
    meshEffectIds.clear();
    if (SoundPak* sound = GetSound(activeSoundId)) {
        sound->StopTracking();
        sound->Stop();
    }
}

void CharFxPak::PreLoad()
{
    for (uint32_t id : {startSoundId, stopSoundId, activeSoundId})
        if (SoundPak* sound = GetSound(id))
            sound->PreLoad(false);
}

void CharFxPak::Enable(bool on)
{
    if (on)
        Start();
    else
        Stop();
}

void CharFxPak::Start()
{
    Character* character = FindParent();
    if (character == nullptr || active)
        return;
    active = true;
    for (uint32_t id : meshEffectIds)
        character->StartMeshEffect(id);
    for (uint32_t id : particleEffectIds)
        character->StartParticleEffect(id);
    if (useTint) {
        savedTintColor = character->GetTintColor();
        character->SetTintColor(tintColor);
    }
    const WorldCoords& coords = character->GetCoords();
    if (SoundPak* sound = GetSound(startSoundId))
        sound->Play(coords, false, true);
    if (SoundPak* sound = GetSound(activeSoundId)) {
        sound->Track(parent);
        sound->Play(coords, true, true);
    }
}

void CharFxPak::Stop()
{
    Character* character = FindParent();
    if (character == nullptr || !active)
        return;
    active = false;
    for (uint32_t id : meshEffectIds)
        character->StopMeshEffect(id);
    for (uint32_t id : particleEffectIds)
        character->StopParticleEffect(id);
    if (useTint)
        character->SetTintColor(savedTintColor);
    if (SoundPak* sound = GetSound(activeSoundId)) {
        sound->StopTracking();
        sound->FadeLastPlayedSound(static_cast<int32_t>(soundFadeTime));
    }
    if (SoundPak* sound = GetSound(stopSoundId))
        sound->Play(character->GetCoords(), false, true);
}

} // namespace GAME
