#include "multiplayer/PlayerManagerClient.h"

#include "characters/Bonus.h"
#include "characters/Player.h"
#include "core/PlayerInfo.h"
#include "core/Saturate.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/GameInfo.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/PlayerManagerServer.h"

#include <algorithm>
#include <cwctype>

namespace GAME {

namespace {
Player* FindPlayer(uint32_t playerId)
{
    return ObjectManager::Instance().GetObject<Player>(playerId);
}

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}
} // namespace

GameEngineNetworkInterface* PlayerManagerClient::GetNetworkInterface() const
{
    return owner != nullptr ? owner->GetNetworkInterface() : nullptr;
}

void PlayerManagerClient::Update(int ms)
{
    heartbeatTimer = AddSaturating(heartbeatTimer, ms);
    UpdateLocalPlayer();
    if (heartbeatTimer > kHeartbeatIntervalMs) {
        HandlePlayerHeartbeatOutbound();
        heartbeatTimer = 0;
    }
}

void PlayerManagerClient::HandlePlayerHeartbeatOutbound()
{
    const Player* player = FindPlayer(mainPlayer);
    GameEngineNetworkInterface* network = GetNetworkInterface();
    if (player == nullptr || network == nullptr)
        return;
    PlayerNetHeartbeatInfo heartbeat;
    player->GetPlayerNetHeartbeatInfo(heartbeat);
    network->CtoS_SinglePlayerHeartbeat(heartbeat);
}

void PlayerManagerClient::HandlePlayerHeartbeatInbound(
    const std::vector<PlayerNetHeartbeatInfo>& heartbeats)
{
    // This machine knows its own player better than the server does.
    const uint32_t localId = GameEngine::Get().GetPlayerId();
    CriticalSectionLock guard(lock);
    for (const PlayerNetHeartbeatInfo& heartbeat : heartbeats) {
        if (heartbeat.playerId == localId)
            continue;
        for (PlayerNetBasicInfo& record : playerInfoCache)
            if (record.playerId == heartbeat.playerId)
                record = heartbeat;
    }
}

// The list goes in before the local record is rebuilt: the player's party is read from the
// list, so the record and the next heartbeat carry the party the server gave it.
void PlayerManagerClient::HandlePlayerUpdate(const std::vector<PlayerNetBasicInfo>& players)
{
    CriticalSectionLock guard(lock);
    playersInGame.resize(players.size());
    for (size_t i = 0; i < players.size(); ++i)
        playersInGame[i] = players[i].playerId;
    playerInfoCache = players;
    UpdateLocalPlayer();
    UpdateGameInfoLocked();
}

// Whatever the server last sent, the local record is the player as it is now.
void PlayerManagerClient::UpdateLocalPlayer()
{
    PlayerNetBasicInfo local;
    if (!GetLocalRecord(local))
        return;
    CriticalSectionLock guard(lock);
    RewriteRecordsLocked(local);
}

void PlayerManagerClient::UpdateGameInfo()
{
    CriticalSectionLock guard(lock);
    UpdateGameInfoLocked();
}

// A main player without an object yet is listed by its id alone; UpdateLocalPlayer fills the
// record once the object exists.
void PlayerManagerClient::SetMainPlayer(uint32_t playerId)
{
    const Player* player = FindPlayer(playerId);
    PlayerNetBasicInfo record;
    record.playerId = playerId;
    if (player != nullptr)
        player->GetPlayerNetBasicInfo(record);
    {
        CriticalSectionLock guard(lock);
        mainPlayer = playerId;
        if (FindRecordLocked(playerId) != nullptr)
            return;
        playersInGame.push_back(playerId);
        playerInfoCache.push_back(record);
    }
    // In single player the server's answer comes straight back into this manager.
    PlayerManagerServer* server = GameEngine::Get().GetPlayerManagerServer();
    if (player != nullptr && server != nullptr) {
        PlayerNetBasicInfo fresh;
        player->GetPlayerNetBasicInfo(fresh);
        server->HandleNewPlayer(fresh);
    }
}

void PlayerManagerClient::RemovePlayerFromGame(int host)
{
    GameEngine& game = GameEngine::Get();
    CriticalSectionLock guard(lock);
    for (size_t i = 0; i < playersInGame.size();) {
        if (GetHostOfPlayer(playersInGame[i]) != host) {
            ++i;
            continue;
        }
        game.RemovePortalsFor(playersInGame[i]);
        playersInGame.erase(playersInGame.begin() + static_cast<std::ptrdiff_t>(i));
        playerInfoCache.erase(playerInfoCache.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void PlayerManagerClient::Clear()
{
    CriticalSectionLock guard(lock);
    playersInGame.clear();
    playerInfoCache.clear();
    mainPlayer = 0;
}

void PlayerManagerClient::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    CriticalSectionLock guard(lock);
    for (PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == playerId)
            record.partyId = partyId;
}

// A bonus that the local player's own object earned has been taken here already.
void PlayerManagerClient::HandleBonus(const Bonus& bonus)
{
    if (bonus.sourceId == GameEngine::Get().GetPlayerId())
        return;
    if (Player* player = FindPlayer(bonus.receiverId))
        player->TakeBonus(bonus, false, PlayStatsLife_Unknown);
}

// The ids are taken as one whole list; the players are looked up after the lock is released.
void PlayerManagerClient::GetPlayerInfo(PlayerInfo& info)
{
    info.Clear();
    // Wide and saturated: levels are the players' own, whatever their saves held.
    uint64_t sum = 0;
    for (uint32_t id : GetAllPlayersInGame()) {
        const Player* player = FindPlayer(id);
        if (player == nullptr)
            continue;
        const uint32_t level = player->GetCharLevel();
        if (info.minPlayerLevel == 0 || level < info.minPlayerLevel)
            info.minPlayerLevel = level;
        info.maxPlayerLevel = std::max(info.maxPlayerLevel, level);
        sum += level;
        ++info.numberOfPlayers;
    }
    if (info.numberOfPlayers != 0)
        info.averagePlayerLevel = SaturateToUInt(
            static_cast<float>(sum) / static_cast<float>(info.numberOfPlayers) + 0.5f);
}

PlayerNetBasicInfo PlayerManagerClient::GetPlayerInfo(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    const PlayerNetBasicInfo* record = FindRecordLocked(playerId);
    return record != nullptr ? *record : PlayerNetBasicInfo();
}

std::vector<uint32_t> PlayerManagerClient::GetAllPlayersInGame() const
{
    CriticalSectionLock guard(lock);
    return playersInGame;
}

uint32_t PlayerManagerClient::GetPlayerIdFromHostId(int host) const
{
    CriticalSectionLock guard(lock);
    for (uint32_t id : playersInGame)
        if (GetHostOfPlayer(id) == host)
            return id;
    return 0;
}

std::string PlayerManagerClient::GetPlayerClass(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    const PlayerNetBasicInfo* record = FindRecordLocked(playerId);
    return record != nullptr ? record->classTag : std::string();
}

std::wstring PlayerManagerClient::GetPlayerName(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    const PlayerNetBasicInfo* record = FindRecordLocked(playerId);
    return record != nullptr ? record->name : std::wstring(L"ErrorName");
}

WorldVec3 PlayerManagerClient::GetPlayerLocation(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    const PlayerNetBasicInfo* record = FindRecordLocked(playerId);
    return record != nullptr ? record->position : WorldVec3();
}

std::wstring PlayerManagerClient::GetPlayerLevel(uint32_t playerId) const
{
    uint32_t level = 0;
    {
        CriticalSectionLock guard(lock);
        const PlayerNetBasicInfo* record = FindRecordLocked(playerId);
        if (record == nullptr)
            return std::wstring();
        level = record->level;
    }
    return LocalizationManager::ToWChar(std::to_string(level));
}

bool PlayerManagerClient::IsPlayerInList(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    return FindRecordLocked(playerId) != nullptr;
}

bool PlayerManagerClient::IsPlayerInGame(uint32_t playerId) const
{
    CriticalSectionLock guard(lock);
    return std::find(playersInGame.begin(), playersInGame.end(), playerId) != playersInGame.end();
}

uint32_t PlayerManagerClient::GetPlayerWithName(const std::wstring& name) const
{
    std::wstring bare = name;
    if (!bare.empty() && bare.front() == L'"') {
        if (bare.size() < 3)
            return 0;
        bare = bare.substr(1, bare.size() - 2);
    }
    CriticalSectionLock guard(lock);
    for (const PlayerNetBasicInfo& record : playerInfoCache)
        if (EqualsIgnoringCase(record.name, bare))
            return record.playerId;
    return 0;
}

// The name compared is the player's own: the list's copy may be stale or forged by the server.
void PlayerManagerClient::BanPlayer(const std::string& name)
{
    for (uint32_t id : GetAllPlayersInGame()) {
        const Player* player = FindPlayer(id);
        if (player != nullptr && player->GetPlayerNameInChar() == name)
            Ban(id, name);
    }
}

void PlayerManagerClient::BanPlayer(const std::wstring& name)
{
    for (uint32_t id : GetAllPlayersInGame()) {
        const Player* player = FindPlayer(id);
        if (player != nullptr && player->GetPlayerName() == name)
            Ban(id, LocalizationManager::ToChar(name));
    }
}

void PlayerManagerClient::Ban(uint32_t playerId, const std::string& narrowName)
{
    const int host = GetHostOfPlayer(playerId);
    gEngine->GetNetworkConnectionManager().DropHost(host, "ban");
    gEngine->Log(Engine::LogInfo, "Banning Host %d (%s)", host, narrowName.c_str());
}

void PlayerManagerClient::DumpPlayersToConsole() const
{
    std::vector<PlayerNetBasicInfo> records;
    {
        CriticalSectionLock guard(lock);
        records = playerInfoCache;
    }
    gEngine->Log(Engine::LogInfo, "===================================");
    gEngine->Log(Engine::LogInfo, "Player List:");
    for (const PlayerNetBasicInfo& record : records) {
        gEngine->Log(Engine::LogInfo, "Name:    %s",
                     LocalizationManager::ToChar(record.name).c_str());
        gEngine->Log(Engine::LogInfo, "Gender:  %s", record.isMale ? "Male" : "Female");
        gEngine->Log(Engine::LogInfo, "Id:      %d", static_cast<int>(record.playerId));
        gEngine->Log(Engine::LogInfo, "Level:   %d", static_cast<int>(record.level));
        gEngine->Log(Engine::LogInfo, "%s", "");
    }
    gEngine->Log(Engine::LogInfo, "===================================");
}

bool PlayerManagerClient::GetLocalRecord(PlayerNetBasicInfo& record)
{
    const Player* player = FindPlayer(GameEngine::Get().GetPlayerId());
    if (player == nullptr)
        return false;
    player->GetPlayerNetBasicInfo(record);
    return true;
}

const PlayerNetBasicInfo* PlayerManagerClient::FindRecordLocked(uint32_t playerId) const
{
    for (const PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == playerId)
            return &record;
    return nullptr;
}

void PlayerManagerClient::RewriteRecordsLocked(const PlayerNetBasicInfo& fresh)
{
    for (PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == fresh.playerId)
            record = fresh;
}

void PlayerManagerClient::UpdateGameInfoLocked() const
{
    GameInfo& info = gEngine->GetGameInfo();
    info.ClearPlayerList();
    for (const PlayerNetBasicInfo& record : playerInfoCache)
        info.AddPlayer(record.name);
    info.SetNumOfPlayers(static_cast<uint32_t>(playerInfoCache.size()));
}

} // namespace GAME
