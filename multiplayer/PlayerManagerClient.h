#pragma once

#include "engine/CriticalSection.h"
#include "engine/WorldVec3.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Bonus;
class GameEngineClientServicesModule;
class GameEngineNetworkInterface;
struct PlayerInfo;

// Every machine's view of the players in the game: the list as the server last described it,
// the local main player, and the local heartbeat that goes back to the server.
//
// The game thread alone changes the two lists; other threads (the host's interface, say) may
// read them. Every operation on the lists therefore holds the lock, for its whole change or
// look-up and never longer: player objects are looked up, and other managers called, with the
// lock released, so that no other lock is ever taken under it and it is never entered twice.
// The lists always have one length, record i describing playersInGame[i].
class PlayerManagerClient {
public:
    // A client reports its own player a little more often than the server reports everyone.
    static constexpr int32_t kHeartbeatIntervalMs = 900;

    // The host of a player is kept in the top four bits of its object id.
    static int GetHostOfPlayer(uint32_t playerId) { return static_cast<int>(playerId >> 28); }

    PlayerManagerClient() = default;
    virtual ~PlayerManagerClient() = default;
    PlayerManagerClient(const PlayerManagerClient&) = delete;
    PlayerManagerClient& operator=(const PlayerManagerClient&) = delete;

    void SetClientServicesModule(GameEngineClientServicesModule* module) { owner = module; }
    // The interface that the owning module's slot points to; null without one.
    GameEngineNetworkInterface* GetNetworkInterface() const;

    void Update(int ms);
    void HandlePlayerHeartbeatOutbound();
    void HandlePlayerHeartbeatInbound(const std::vector<PlayerNetHeartbeatInfo>& heartbeats);
    void HandlePlayerUpdate(const std::vector<PlayerNetBasicInfo>& players);
    void UpdateLocalPlayer();
    void UpdateGameInfo();

    void SetMainPlayer(uint32_t playerId);
    void RemovePlayerFromGame(int host);
    void Clear();
    void AddPlayerToParty(uint32_t playerId, int32_t partyId);
    void HandleBonus(const Bonus& bonus);

    void GetPlayerInfo(PlayerInfo& info);
    PlayerNetBasicInfo GetPlayerInfo(uint32_t playerId) const;
    uint32_t GetMainPlayer() const { return mainPlayer; }
    std::vector<uint32_t> GetAllPlayersInGame() const;
    // For the game thread, the only one that changes the list while the reference is held.
    const std::vector<PlayerNetBasicInfo>& GetPlayerInfoCache() const { return playerInfoCache; }
    uint32_t GetPlayerIdFromHostId(int host) const;
    std::string GetPlayerClass(uint32_t playerId) const;
    // "ErrorName" for a player that the list does not hold.
    std::wstring GetPlayerName(uint32_t playerId) const;
    WorldVec3 GetPlayerLocation(uint32_t playerId) const;
    std::wstring GetPlayerLevel(uint32_t playerId) const;
    bool IsPlayerInList(uint32_t playerId) const;
    bool IsPlayerInGame(uint32_t playerId) const;
    // Ignores case; a name in double quotes is looked up without them.
    uint32_t GetPlayerWithName(const std::wstring& name) const;
    void BanPlayer(const std::string& name);
    void BanPlayer(const std::wstring& name);
    void DumpPlayersToConsole() const;

private:
    // This machine's player's record as it is now; false when that player has no object.
    static bool GetLocalRecord(PlayerNetBasicInfo& record);
    static void Ban(uint32_t playerId, const std::string& narrowName);

    // The lock is held by the caller of each of these.
    const PlayerNetBasicInfo* FindRecordLocked(uint32_t playerId) const;
    void RewriteRecordsLocked(const PlayerNetBasicInfo& record);
    void UpdateGameInfoLocked() const;

    GameEngineClientServicesModule* owner = nullptr;
    std::atomic<uint32_t> mainPlayer = 0;
    std::vector<uint32_t> playersInGame;
    std::vector<PlayerNetBasicInfo> playerInfoCache; // parallel to playersInGame
    int32_t heartbeatTimer = 0;
    mutable CriticalSection lock;
};

} // namespace GAME
