#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/ZoneManager.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "game/RespawnLocalClientActivity.h"
#include "game/RespawnLocalServerActivity.h"
#include "game/RespawnNonLocalServerActivity.h"
#include "game/TeleportLocalClientActivity.h"
#include "game/TeleportLocalServerActivity.h"
#include "game/TeleportNonLocalClientActivity.h"
#include "game/TeleportNonLocalServerActivity.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/NetworkRegionLoaderClient.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"
#include "multiplayer/NetworkRegionLoaderServer.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItemTeleport.h"

#include <algorithm>

namespace GAME {

namespace {
const char* const kPlayerPortalRecord = "Records/Item/Teleporters/ArtifactShrine.dbr";

// A message from another machine names a player of ours, or nothing is started for it.
bool IsKnownPlayer(uint32_t playerId)
{
    return ObjectManager::Instance().GetObject<Player>(playerId) != nullptr;
}

// The top four bits of a player's object id name the machine that made it.
int HostOfPlayer(uint32_t playerId)
{
    return static_cast<int>(playerId >> 28);
}

template <typename Match>
void EraseTeleports(std::vector<FixedItemTeleport::TeleportInfo>& list, Match match)
{
    list.erase(std::remove_if(list.begin(), list.end(), match), list.end());
}

void PlacePortal(const WorldCoords& coords, uint32_t teleportId)
{
    const Region* region = coords.GetRegion();
    World* world = gEngine->GetWorld();
    if (region == nullptr || world == nullptr || !region->IsLevelLoaded())
        return;
    auto* portal = ObjectManager::Instance().CreateObjectFromFile<FixedItemTeleport>(
        kPlayerPortalRecord, teleportId);
    if (portal != nullptr)
        world->AddEntity(portal, coords, true);
}
} // namespace

// Portals.

void GameEngine::CreateFixedItemTeleportNetHook(const WorldCoords& coords, uint32_t ownerId,
                                                uint32_t teleportId, const std::string& recordName)
{
    if (GetTeleportInfo(teleportId) != nullptr)
        return;
    // An object already under that id is not ours to replace; the entry still lists the portal.
    const bool idTaken = ObjectManager::Instance().GetObject(teleportId) != nullptr;
    RemovePortalsFor(ownerId);
    teleportInfoList.push_back({teleportId, ownerId, coords, recordName});
    if (!IsServerOrSingle())
        return;
    if (idTaken) {
        gEngine->Log(Engine::LogData, "Portal %u of player %u not created: the id is in use",
                     teleportId, ownerId);
        return;
    }
    PlacePortal(coords, teleportId);
}

void GameEngine::DestroyFixedItemTeleportNetHook(uint32_t id)
{
    EraseTeleports(teleportInfoList, [id](const FixedItemTeleport::TeleportInfo& info) {
        return info.teleportId == id || info.ownerId == id;
    });
}

void GameEngine::RemovePortalsFor(uint32_t ownerId)
{
    EraseTeleports(teleportInfoList, [ownerId](const FixedItemTeleport::TeleportInfo& info) {
        return info.ownerId == ownerId;
    });
}

void GameEngine::SendFixedItemTeleports(uint32_t playerId)
{
    for (const FixedItemTeleport::TeleportInfo& info : teleportInfoList)
        currentInterface->CreateFixedItemTeleport(info.coords, info.ownerId, info.teleportId,
                                                  info.recordName, playerId);
}

const FixedItemTeleport::TeleportInfo* GameEngine::GetTeleportInfo(uint32_t teleportId) const
{
    for (const FixedItemTeleport::TeleportInfo& info : teleportInfoList)
        if (info.teleportId == teleportId)
            return &info;
    return nullptr;
}

bool GameEngine::ValidateArtifactPortal(uint32_t teleportId) const
{
    return GetTeleportInfo(teleportId) != nullptr;
}

bool GameEngine::HasFixedItemTeleport(uint32_t ownerId) const
{
    return std::any_of(
        teleportInfoList.begin(), teleportInfoList.end(),
        [ownerId](const FixedItemTeleport::TeleportInfo& info) { return info.ownerId == ownerId; });
}

bool GameEngine::MainPlayerHasPersonalTeleport() const
{
    return HasFixedItemTeleport(GetPlayerId());
}

uint32_t GameEngine::GetMainPlayersPersonalPortalZone() const
{
    const uint32_t owner = GetPlayerId();
    for (const FixedItemTeleport::TeleportInfo& info : teleportInfoList) {
        if (info.ownerId != owner)
            continue;
        if (const Region* region = info.coords.GetRegion())
            return static_cast<uint32_t>(ZoneManager::Instance().GetActFromRegion(region->GetId()));
    }
    return 0;
}

// Teleports and respawns.

void GameEngine::InitiatePlayerTeleport(int32_t x, int32_t y, int32_t z)
{
    InstallTeleportActivity(GetPlayerId(), x, y, z);
}

void GameEngine::InstallTeleportActivity(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    const bool local = playerId == GetPlayerId();
    std::unique_ptr<TeleportActivity> activity;
    if (IsServerOrSingle()) {
        if (local)
            activity = std::make_unique<TeleportLocalServerActivity>();
        else
            activity = std::make_unique<TeleportNonLocalServerActivity>();
    } else if (local) {
        activity = std::make_unique<TeleportLocalClientActivity>();
    } else {
        activity = std::make_unique<TeleportNonLocalClientActivity>();
    }
    activity->SetDestination(x, y, z, playerId);
    ActivityManager::Get().InstallActivity(activity.release());
}

void GameEngine::StoC_StartTeleportInbound(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    if (IsKnownPlayer(playerId))
        InstallTeleportActivity(playerId, x, y, z);
}

void GameEngine::CtoS_StartTeleportInbound(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    if (IsKnownPlayer(playerId))
        InstallTeleportActivity(playerId, x, y, z);
}

void GameEngine::ServerPropegateTeleport(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    const PlayerManagerClient* players = GetPlayerManagerClient();
    if (players == nullptr)
        return;
    StartTeleportPacket packet;
    packet.playerId = playerId;
    packet.x = static_cast<float>(x);
    packet.y = static_cast<float>(y);
    packet.z = static_cast<float>(z);
    const uint32_t localPlayer = GetPlayerId();
    ConnectionManager& connections = gEngine->GetNetworkConnectionManager();
    for (const PlayerNetBasicInfo& info : players->GetPlayerInfoCache())
        if (info.playerId != localPlayer && info.playerId != playerId)
            connections.SendPacketToHost(HostOfPlayer(info.playerId), packet);
}

uint32_t GameEngine::StartRespawnForLocalPlayer(const WorldVec3& position)
{
    std::unique_ptr<RespawnActivity> activity;
    if (IsServerOrSingle()) {
        activity = std::make_unique<RespawnLocalServerActivity>();
    } else {
        activity = std::make_unique<RespawnLocalClientActivity>();
        CtoS_InitiateServerRespawnLoaderOutbound(position);
    }
    activity->Begin(position, GetPlayerId());
    RespawnActivity* installed = activity.release();
    ActivityManager::Get().FastInstallActivity(installed);
    return installed->GetId();
}

void GameEngine::CtoS_InitiateServerRespawnLoaderOutbound(const WorldVec3& position)
{
    StartServerRespawnPacket packet;
    packet.playerId = GetPlayerId();
    packet.location = position;
    gEngine->GetNetworkConnectionManager().SendPacket(packet);
}

void GameEngine::CtoS_StartServerRespawnInbound(uint32_t playerId, const WorldVec3& position)
{
    if (!IsKnownPlayer(playerId))
        return;
    auto activity = std::make_unique<RespawnNonLocalServerActivity>();
    activity->Begin(position, playerId);
    ActivityManager::Get().InstallActivity(activity.release());
}

bool GameEngine::IsDeathLoaderActive(uint32_t activityId) const
{
    return ActivityManager::Get().IsActivityActive(activityId);
}

// Region loaders.

NetworkRegionLoaderBase* GameEngine::CreateNetworkLoader(uint32_t playerId,
                                                         const WorldVec3& position)
{
    NetworkRegionLoaderBase* loader = nullptr;
    if (IsServerOrSingle())
        loader = new NetworkRegionLoaderServer();
    else
        loader = new NetworkRegionLoaderClient();
    loader->Register(position, playerId);
    return loader;
}

NetworkRegionLoaderBase* GameEngine::CreateNetworkLoaderInbound(uint32_t playerId,
                                                                const WorldVec3& position)
{
    NetworkRegionLoaderBase* loader = nullptr;
    if (!IsServerOrSingle())
        loader = new NetworkRegionLoaderClient();
    else if (playerId == GetPlayerId())
        loader = new NetworkRegionLoaderOwnPlayer();
    else
        loader = new NetworkRegionLoaderServer();
    loader->Register(position, playerId);
    return loader;
}

void GameEngine::RegisterNRLoader(uint32_t playerId, NetworkRegionLoaderBase* loader)
{
    networkRegionLoaders.emplace_back(loader, playerId);
}

void GameEngine::UnregisterNRLoader(NetworkRegionLoaderBase* loader)
{
    networkRegionLoaders.erase(
        std::remove_if(networkRegionLoaders.begin(), networkRegionLoaders.end(),
                       [loader](const auto& entry) { return entry.first == loader; }),
        networkRegionLoaders.end());
}

NetworkRegionLoaderBase* GameEngine::FindNRLoader(uint32_t playerId) const
{
    for (const auto& [loader, id] : networkRegionLoaders)
        if (id == playerId)
            return loader;
    return nullptr;
}

void GameEngine::DestroyNetworkLoader(NetworkRegionLoaderBase* loader)
{
    // Its destructor unregisters it.
    delete loader;
}

void GameEngine::CtoS_HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state)
{
    HandleNRLoaderStateChangeInbound(playerId, state);
}

void GameEngine::StoC_HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state)
{
    HandleNRLoaderStateChangeInbound(playerId, state);
}

void GameEngine::HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state)
{
    // Any other value would leave the loader waiting for ever.
    if (state < 0 || state > 2) {
        gEngine->Log(Engine::LogRuntime, "Region loader state %d for player %u ignored",
                     static_cast<int>(state), playerId);
        return;
    }
    if (NetworkRegionLoaderBase* loader = FindNRLoader(playerId))
        loader->SetRemoteState(state);
}

} // namespace GAME
