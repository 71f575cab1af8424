#include "world/BoundingVolumeKinds.h"

#include "characters/Player.h"
#include "engine/DayNightManager.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolumeLerpDaylight, BoundingVolume);
GAME_IMPLEMENT_CLASS(BoundingVolumeChangePlaylist, BoundingVolume);
GAME_IMPLEMENT_CLASS(BoundingVolumeSoundFxOneShot, BoundingVolume);
GAME_IMPLEMENT_CLASS(BoundingVolumeWind, BoundingVolume);

namespace {

constexpr const char* kBoundingVolumeKindsSource = "Project/Game/BoundingVolumeKinds";

uint32_t MainPlayerId()
{
    return gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
}

} // namespace

BoundingVolumeLerpDaylight::~BoundingVolumeLerpDaylight() = default;

void BoundingVolumeLerpDaylight::Load(const LoadTable& table)
{
    BoundingVolume::Load(table);
    startHour = table.GetFloat("startHour", 0.0f);
    endHour = table.GetFloat("endHour", 0.0f);
    radiusToEndHour = table.GetFloat("radiusToEndHour", 0.0f);
}

void BoundingVolumeLerpDaylight::ForcedUpdate(int32_t elapsedMs)
{
    Entity::ForcedUpdate(elapsedMs);
    Update(elapsedMs);
}

void BoundingVolumeLerpDaylight::OnEnterAction(uint32_t entityId)
{
    BoundingVolume::OnEnterAction(entityId);
    StartIfControllingPlayer(entityId);
}

void BoundingVolumeLerpDaylight::OnExitAction(uint32_t entityId)
{
    BoundingVolume::OnExitAction(entityId);
    StartIfControllingPlayer(entityId);
}

void BoundingVolumeLerpDaylight::StartIfControllingPlayer(uint32_t entityId)
{
    if (active)
        return;
    const Player* player = ObjectManager::Instance().GetObject<Player>(entityId);
    if (player == nullptr || !player->IsControllingCharacter())
        return;
    active = true;
    DayNightManager& dayNight = DayNightManager::Instance();
    savedSwitch = dayNight.IsEnabled();
    dayNight.Enable(false);
    gEngine->RegisterForForcedUpdates(GetObjectId());
}

void BoundingVolumeLerpDaylight::Stop()
{
    gEngine->UnregisterForForcedUpdates(GetObjectId());
    DayNightManager::Instance().Enable(savedSwitch);
    active = false;
}

void BoundingVolumeLerpDaylight::UpdateSelf(int32_t elapsedMs)
{
    BoundingVolume::UpdateSelf(elapsedMs);
    if (!active)
        return;
    const Player* player = ObjectManager::Instance().GetObject<Player>(MainPlayerId());
    const World* world = gEngine->GetWorld();
    if (player != nullptr && world != nullptr) {
        const float distance =
            world->GetDistance(GetVolumeCoords().GetPosition(), player->GetCoords().GetPosition());
        if (distance > farthestDistance)
            farthestDistance = distance;
    }
    // Without a positive reach the hour stays at the start until the first step away.
    const float reach = std::max(radiusToEndHour, 0.0f);
    if (farthestDistance <= reach) {
        const float share = reach > 0.0f ? farthestDistance / reach : 0.0f;
        DayNightManager::Instance().SetStartTime(startHour + (endHour - startHour) * share);
    } else {
        Stop();
    }
}

BoundingVolumeChangePlaylist::~BoundingVolumeChangePlaylist() = default;

void BoundingVolumeChangePlaylist::Load(const LoadTable& table)
{
    BoundingVolume::Load(table);
    ambientPlaylist = table.GetString("ambientPlaylist", "");
    musicPlaylist = table.GetString("musicPlaylist", "");
}

void BoundingVolumeChangePlaylist::OnEnterAction(uint32_t entityId)
{
    BoundingVolume::OnEnterAction(entityId);
    if (entityId == 0 || entityId != MainPlayerId())
        return;
    Jukebox& jukebox = Jukebox::Instance();
    if (!ambientPlaylist.empty())
        jukebox.LoadAmbientPlaylist(ambientPlaylist, false);
    if (!musicPlaylist.empty())
        jukebox.LoadMusicPlaylist(musicPlaylist);
}

BoundingVolumeSoundFxOneShot::~BoundingVolumeSoundFxOneShot() = default;

void BoundingVolumeSoundFxOneShot::Load(const LoadTable& table)
{
    BoundingVolume::Load(table);
    soundPakName = table.GetString("soundPak", "");
}

void BoundingVolumeSoundFxOneShot::OnEnterAction(uint32_t entityId)
{
    BoundingVolume::OnEnterAction(entityId);
    if (entityId == 0 || entityId != MainPlayerId())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    SoundPak* sound = objects.CreateObjectFromFile<SoundPak>(soundPakName, 0, true);
    if (sound == nullptr)
        return;
    sound->Play(GetVolumeCoords(), false, true);
    objects.DestroyObjectEx(sound, kBoundingVolumeKindsSource, __LINE__);
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(this);
    objects.DestroyObjectEx(this, kBoundingVolumeKindsSource, __LINE__);
    StopMerge();
}

BoundingVolumeWind::~BoundingVolumeWind() = default;

void BoundingVolumeWind::UpdateSelf(int32_t elapsedMs)
{
    BoundingVolume::UpdateSelf(elapsedMs);
    const WorldCoords coords = GetVolumeCoords();
    regionPosition = coords.GetRegionCoords().origin;
    World* world = gEngine->GetWorld();
    if (!windOn || world == nullptr)
        return;
    World::PhysicsGrassWind wind;
    wind.objectId = GetObjectId();
    wind.strength = std::sqrt(windX * windX + windZ * windZ);
    wind.radius = GetRadius();
    wind.x = regionPosition.x;
    wind.z = regionPosition.z;
    wind.windX = windX;
    wind.windZ = windZ;
    wind.regionId = coords.GetRegionId();
    world->CreateGrassWind(wind);
}

void BoundingVolumeWind::Start()
{
    windOn = true;
    SoundManager& sounds = SoundManager::Instance();
    if (sound.handle == 0)
        sounds.Load(sound, kSoundFile);
    sounds.Play2D(sound, false);
    sounds.UpdateVolume(sound, volume);
}

void BoundingVolumeWind::Stop()
{
    windOn = false;
    SoundManager::Instance().Stop(sound);
}

} // namespace GAME
