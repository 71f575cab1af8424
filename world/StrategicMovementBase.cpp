#include "world/StrategicMovementBase.h"

#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "core/WorldHelpers.h"
#include "engine/BinaryReader.h"
#include "engine/Coords.h"
#include "engine/DynamicObstacle.h"
#include "engine/Engine.h"
#include "engine/Light.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "multiplayer/ConfigCmdPackets.h"

#include <utility>

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementBase, Tile);

namespace {

constexpr const char* kStrategicMovementBaseSource = "Project/Game/StrategicMovementBase";

uint32_t CreateMovementSound(const LoadTable& table, const char* key)
{
    const std::string record = table.GetString(key, "");
    if (record.empty())
        return 0;
    SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record, 0, true);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void LoadMovementAnimation(const LoadTable& table, const char* key, const char* speedKey,
                           AnimationEntry& entry)
{
    const std::string name = table.GetString(key, "");
    if (!name.empty())
        entry.AddAnimation(name, table.GetFloat(speedKey, 0.0f), 0.0f, "");
}

std::unique_ptr<ActorConfigCommand> RebuildMovementCommand(const NetPacket& packet)
{
    const auto* typed = dynamic_cast<const StrategicMovementTargetConfigCmdPacket*>(&packet);
    if (typed == nullptr)
        return nullptr;
    return std::make_unique<StrategicMovementTargetConfigCmd>(typed->actorId.GetId(),
                                                              typed->targets);
}

[[maybe_unused]] const bool strategicMovementBaseRegistered = NetworkShim::RegisterCommandBuilder(
    StrategicMovementTargetConfigCmdPacket().GetType(), &RebuildMovementCommand);

} // namespace

StrategicMovementBase::StrategicMovementBase()
{
    timer.Reset();
}

StrategicMovementBase::~StrategicMovementBase()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : {dormantSoundId, dormantToActiveSoundId, activeSoundId}) {
        if (SoundPak* sound = Sound(id)) {
            sound->Stop();
            objects.DestroyObjectEx(sound, kStrategicMovementBaseSource, __LINE__);
        }
    }
}

void StrategicMovementBase::OnRemoveFromLevel(World* level)
{
    Tile::OnRemoveFromLevel(level);
    RemovePathObstacle();
}

void StrategicMovementBase::CreatePathObstacle()
{
    DynamicObstacle::CreateForHitBoxes(*this, pathObstacles);
}

void StrategicMovementBase::RemovePathObstacle()
{
    DynamicObstacle::RemoveAll(pathObstacles);
}

SoundPak* StrategicMovementBase::Sound(uint32_t id)
{
    return id != 0 ? ObjectManager::Instance().GetObject<SoundPak>(id) : nullptr;
}

Light* StrategicMovementBase::GetLight() const
{
    return lightId != 0 ? ObjectManager::Instance().GetObject<Light>(lightId) : nullptr;
}

void StrategicMovementBase::PlaySound(uint32_t id, bool loop, bool flag) const
{
    if (SoundPak* sound = Sound(id))
        sound->Play(GetCoords(), loop, flag);
}

void StrategicMovementBase::ReplayIfSilent(uint32_t id) const
{
    const SoundPak* sound = Sound(id);
    if (sound != nullptr && !sound->IsPlaying())
        PlaySound(id, true, true);
}

void StrategicMovementBase::Load(const LoadTable& table)
{
    Actor::Load(table);
    bindDistance = table.GetFloat("bindDistance", 0.0f);
    for (int n = 0; n < 5; ++n)
        sounds[n] = table.GetString(("sound" + std::to_string(n + 1)).c_str(), "");
    LoadMovementAnimation(table, "dormantAnimation", "dormantAnimationSpeed", dormantAnimation);
    LoadMovementAnimation(table, "activeAnimation", "activeAnimationSpeed", activeAnimation);
    dormantSoundId = CreateMovementSound(table, "dormantSound");
    dormantToActiveSoundId = CreateMovementSound(table, "dormantToActiveSound");
    activeSoundId = CreateMovementSound(table, "activeSound");
    lightName = table.GetString("lightName", "");
    lightAttachPointName = table.GetString("lightAttachPointName", "");
    lightFadeInTime = Max(
        SaturateToInt(static_cast<double>(table.GetFloat("lightFadeInTime", 0.0f)) * 1000.0), 1);
    descriptionTag = table.GetString("description", "");
}

void StrategicMovementBase::PreLoad(bool flag)
{
    Tile::PreLoad(flag);
    dormantAnimation.PreLoad(flag);
    activeAnimation.PreLoad(flag);
    for (const uint32_t id : {dormantSoundId, dormantToActiveSoundId, activeSoundId}) {
        if (SoundPak* sound = Sound(id))
            sound->PreLoad(flag);
    }
}

WorldVec3 StrategicMovementBase::GetMoveToPoint(uint32_t /*user*/)
{
    return GetCoords().GetPosition();
}

void StrategicMovementBase::AnimationCallback(int32_t kind, const Name& name)
{
    Actor::AnimationCallback(kind, name);
    if (name == Name::Create("End"))
        instant = false;
    if (!instant)
        animationSounds.PlaySound(*this, name, nullptr);
}

void StrategicMovementBase::SetState(StrategicMovementBaseState newState, bool makeInstant)
{
    if (newState == state)
        return;
    state = newState;
    if (makeInstant)
        instant = true;
    const float speed = makeInstant ? kInstantAnimationSpeed : kNormalAnimationSpeed;
    switch (state) {
    case StrategicMovementDormant:
        if (SoundPak* active = Sound(activeSoundId))
            active->Stop();
        RemoveAndDestroyAttachments();
        dormantAnimation.PlayAnimation(*this, Name(), speed, true, 0);
        if (!makeInstant)
            PlaySound(dormantSoundId, true, true);
        break;
    case StrategicMovementActive:
        if (SoundPak* dormant = Sound(dormantSoundId))
            dormant->FadeLastPlayedSound(kDormantSoundFade);
        activeAnimation.PlayAnimation(*this, Name(), speed, false, 0);
        if (!makeInstant) {
            PlaySound(dormantToActiveSoundId, false, true);
            PlaySound(activeSoundId, true, true);
        }
        lightFadeTimeLeft = lightFadeInTime;
        if (GetLight() == nullptr && !lightName.empty()) {
            if (Light* light =
                    ObjectManager::Instance().CreateObjectFromFile<Light>(lightName, 0, true)) {
                light->SetIntensity(0.0f);
                Attach(light, Coords::Identity(), lightAttachPointName.c_str());
                lightId = light->GetObjectId();
            }
        }
        break;
    default:
        dormantAnimation.SetLastPose(*this);
        break;
    }
}

void StrategicMovementBase::RemoveAndDestroyAttachments()
{
    lightId = 0;
    ObjectManager& objects = ObjectManager::Instance();
    while (Entity* child = GetAttachedEntity(0)) {
        Detach(child);
        objects.DestroyObjectEx(child, kStrategicMovementBaseSource, __LINE__);
    }
}

bool StrategicMovementBase::QualifyMapData() const
{
    WorldVec3 position;
    return !needsMapQualification || GetInstanceEntityPosition(GetUniqueID(), position);
}

void StrategicMovementBase::InitialUpdate()
{
    Actor::InitialUpdate();
    for (int n = 0; n < 5; ++n)
        animationSounds.AddSound(Name::Create(("sound" + std::to_string(n + 1)).c_str()), sounds[n],
                                 100.0f);
    if (gEngine->IsLevelEditor())
        SetState(StrategicMovementEditor, true);
    else if (!QualifyMapData())
        SetState(StrategicMovementNotOnMap, true);
    if (state == StrategicMovementUndetermined)
        SetState(DetermineStateFromPlayer(), true);
    if (state == StrategicMovementActive)
        PlaySound(activeSoundId, true, true);
    else if (state == StrategicMovementDormant)
        PlaySound(dormantSoundId, true, true);
}

void StrategicMovementBase::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    timer.Update();
    elapsed = timer.GetElapsedTime();
    switch (state) {
    case StrategicMovementDormant:
        UpdateDormant();
        break;
    case StrategicMovementActive:
        UpdateActive();
        break;
    case StrategicMovementUndetermined:
        SetState(DetermineStateFromPlayer(), true);
        break;
    default:
        break;
    }
}

void StrategicMovementBase::UpdateDormant()
{
    std::vector<Player*> players;
    GetEntitiesInSphereOfType(players, GetCoords().GetPosition(), bindDistance);
    ReplayIfSilent(dormantSoundId);
    for (Player* player : players) {
        if (player->IsControllingCharacter() && InstallOnPlayerProximity(player))
            SetState(StrategicMovementActive, false);
    }
}

void StrategicMovementBase::UpdateActive()
{
    Light* light = GetLight();
    if (lightFadeTimeLeft > 0 && light != nullptr) {
        lightFadeTimeLeft = AddSaturating(lightFadeTimeLeft, -elapsed);
        light->SetIntensity(Min(1.0f, 1.0f - static_cast<float>(lightFadeTimeLeft) /
                                                 static_cast<float>(lightFadeInTime)));
    }
    ReplayIfSilent(activeSoundId);
    recheckTimeLeft = AddSaturating(recheckTimeLeft, -elapsed);
    if (recheckTimeLeft <= 0) {
        recheckTimeLeft = kRecheckInterval;
        SetState(DetermineStateFromPlayer(), false);
    }
}

Player* StrategicMovementBase::GetLocalPlayer()
{
    return ObjectManager::Instance().GetObject<Player>(GameEngine::Get().GetPlayerId());
}

StrategicMovementBaseState
StrategicMovementBase::StateFromPlayer(bool (Player::*knows)(const UniqueId&) const,
                                       const UniqueId& id)
{
    const Player* player = GetLocalPlayer();
    if (player == nullptr)
        return StrategicMovementUndetermined;
    return (player->*knows)(id) ? StrategicMovementActive : StrategicMovementDormant;
}

std::wstring StrategicMovementBase::GetGameDescription(bool /*flag*/) const
{
    return descriptionTag.empty() ? std::wstring()
                                  : LocalizationManager::Instance().Format(descriptionTag);
}

void StrategicMovementBase::AppendNugget(std::vector<MinimapGameNugget>& list, uint32_t type) const
{
    MinimapGameNugget nugget;
    nugget.type = type;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(nugget);
}

void StrategicMovementBase::SaveState(BinaryWriter& writer) const
{
    Actor::SaveState(writer);
    writer.WriteUInt32(static_cast<uint32_t>(state));
}

bool StrategicMovementBase::RestoreState(BinaryReader& reader)
{
    uint32_t word = 0;
    if (!Actor::RestoreState(reader) || !reader.ReadUInt32(word))
        return false;
    if (word > StrategicMovementActive) {
        gEngine->Log(Engine::LogData, "Strategic movement (%s): saved state %u is not a state",
                     GetObjectName().c_str(), word);
        return false;
    }
    SetState(static_cast<StrategicMovementBaseState>(word), true);
    return true;
}

StrategicMovementTargetConfigCmd::StrategicMovementTargetConfigCmd(uint32_t objectId,
                                                                   std::vector<uint32_t> targets)
    : ActorConfigCommand(objectId), targets(std::move(targets))
{
    SetNetworked(true);
}

void StrategicMovementTargetConfigCmd::Execute()
{
    if (auto* object = ObjectManager::Instance().GetObject<StrategicMovementBase>(actorId))
        object->HandleTargets(targets);
}

std::unique_ptr<NetPacket> StrategicMovementTargetConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<StrategicMovementTargetConfigCmdPacket>();
    packet->actorId = actorId;
    packet->targets = targets;
    return packet;
}

} // namespace GAME
