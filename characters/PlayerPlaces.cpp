#include "characters/Player.h"

#include "core/WorldHelpers.h"
#include "engine/Engine.h"
#include "game/GameEngine.h"

#include <algorithm>

namespace GAME {

namespace {

bool Contains(const std::vector<UniqueId>& ids, const UniqueId& id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// False when the id was known already.
bool AddIfNew(std::vector<UniqueId>& ids, const UniqueId& id)
{
    if (Contains(ids, id))
        return false;
    ids.push_back(id);
    return true;
}

const char* FoundText(const UniqueId& id)
{
    WorldVec3 position;
    return GetInstanceEntityPosition(id, position) ? "eData Found" : "eData Not Found";
}

} // namespace

size_t Player::CurrentDifficultyIndex()
{
    // A difficulty out of range would index past the lists; the lowest stands in.
    const auto difficulty = static_cast<size_t>(GameEngine::Get().GetGameDifficulty());
    return difficulty < kNumDifficulties ? difficulty : 0;
}

void Player::AddTeleportUID(const UniqueId& id)
{
    if (AddIfNew(teleportIds[CurrentDifficultyIndex()], id))
        MarkSaveNeeded();
}

void Player::AddMarkerUID(const UniqueId& id)
{
    if (AddIfNew(markerIds[CurrentDifficultyIndex()], id))
        MarkSaveNeeded();
}

void Player::AddRespawnUID(const UniqueId& id)
{
    const size_t difficulty = CurrentDifficultyIndex();
    if (AddIfNew(respawnIds[difficulty], id))
        MarkSaveNeeded();
    if (strategicMovementRespawnPoints[difficulty] != id) {
        strategicMovementRespawnPoints[difficulty] = id;
        MarkSaveNeeded();
    }
}

bool Player::IsTeleportUIDKnown(const UniqueId& id) const
{
    return Contains(teleportIds[CurrentDifficultyIndex()], id);
}

bool Player::IsMarkerUIDKnown(const UniqueId& id) const
{
    return Contains(markerIds[CurrentDifficultyIndex()], id);
}

bool Player::IsRespawnUIDKnown(const UniqueId& id) const
{
    return Contains(respawnIds[CurrentDifficultyIndex()], id);
}

bool Player::IsCurrentRespawnPoint(const UniqueId& id) const
{
    return strategicMovementRespawnPoints[CurrentDifficultyIndex()] == id;
}

const std::vector<UniqueId>& Player::GetTeleportUIDs() const
{
    return teleportIds[CurrentDifficultyIndex()];
}

const std::vector<UniqueId>& Player::GetMarkerUIDs() const
{
    return markerIds[CurrentDifficultyIndex()];
}

void Player::ClearTeleportLocations()
{
    teleportIds[CurrentDifficultyIndex()].clear();
}

void Player::ClearRespawnLocation()
{
    // A fresh id names no placed object, so the closest respawn point falls back to the spawn.
    strategicMovementRespawnPoints[CurrentDifficultyIndex()].Generate();
}

WorldCoords Player::GetClosestRespawnPoint() const
{
    WorldCoords point = GetSpawnPoint();
    WorldVec3 position;
    if (GetInstanceEntityPosition(strategicMovementRespawnPoints[CurrentDifficultyIndex()],
                                  position))
        point.SetPosition(position);
    return point;
}

void Player::DumpTeleportIds() const
{
    gEngine->Log(Engine::LogInfo, "^bTeleport UIDs:");
    for (const UniqueId& id : teleportIds[CurrentDifficultyIndex()])
        gEngine->Log(Engine::LogInfo, "^b   ID (%x:%x:%x:%x)  %s", id.GetPart(0), id.GetPart(1),
                     id.GetPart(2), id.GetPart(3), FoundText(id));
}

void Player::DumpRespawnIds() const
{
    const UniqueId& id = strategicMovementRespawnPoints[CurrentDifficultyIndex()];
    gEngine->Log(Engine::LogInfo, "^bRespawn UID (%x:%x:%x:%x)  %s", id.GetPart(0), id.GetPart(1),
                 id.GetPart(2), id.GetPart(3), FoundText(id));
}

} // namespace GAME
